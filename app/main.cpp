#include <cstdio>

int main()
{
    std::puts("The calculation core is built; the window comes next.");
    return 0;
}
