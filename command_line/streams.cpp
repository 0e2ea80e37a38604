#include "command_line/streams.hpp"

#include <cstdio>

namespace command_line {

void print(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stdout);
}

void print_error(const QString& text)
{
    std::fflush(stdout);  // what was said so far comes first
    std::fputs((text + u'\n').toUtf8().constData(), stderr);
}

}  // namespace command_line
