// SPDX-License-Identifier: GPL-3.0-or-later
// Any nine singles as a section and an axial force: the solver ends in one
// of its named ways, with a finite result that it evaluated last.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "section_analysis/neutral_axis.hpp"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    section_analysis::SectionState s;
    float* values[] = {&s.B, &s.H, &s.D1, &s.D, &s.As, &s.As1, &s.Fsd, &s.Fcd, &s.Nd};
    if (size < sizeof(float) * std::size(values)) return 0;
    for (std::size_t i = 0; i < std::size(values); ++i)
        std::memcpy(values[i], data + i * sizeof(float), sizeof(float));
    try {
        int evaluations = 0;
        float last_x = NAN;
        const auto r = section_analysis::Calc_Mu(s, [&](const auto& t) { ++evaluations, last_x = t.x; });
        if (!std::isfinite(r.Mu) || r.evaluations != evaluations || r.Yc != last_x || r.Mu != s.Mu)
            std::abort();
    } catch (const section_analysis::SectionError&) {
        // A named end: refused, faulted or not converging.
    }
    return 0;
}
