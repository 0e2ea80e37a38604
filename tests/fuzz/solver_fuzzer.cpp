// Any nine singles as a section and an axial force: the solver ends in one
// of its named ways, with a finite result that it evaluated.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "section_analysis/neutral_axis.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    float values[9];
    if (size < sizeof values) return 0;
    std::memcpy(values, data, sizeof values);
    section_analysis::SectionState s;
    s.B = values[0];
    s.H = values[1];
    s.D1 = values[2];
    s.D = values[3];
    s.As = values[4];
    s.As1 = values[5];
    s.Fsd = values[6];
    s.Fcd = values[7];
    s.Nd = values[8];
    try {
        int evaluations = 0;
        float last_x = 0;
        const auto result = section_analysis::Calc_Mu(s, [&](const section_analysis::Trial& t) {
            ++evaluations;
            last_x = t.x;
        });
        if (!std::isfinite(result.Mu) || !std::isfinite(result.Yc)) std::abort();
        if (result.evaluations != evaluations || result.Yc != last_x || result.Mu != s.Mu) std::abort();
    } catch (const section_analysis::SectionError&) {
        // A named end: refused, faulted or not converging.
    }
    return 0;
}
