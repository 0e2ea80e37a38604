// SPDX-License-Identifier: GPL-3.0-or-later
#include "section_analysis/exact_equilibrium.hpp"

#include <cmath>
#include <limits>

#include "section_analysis/neutral_axis.hpp"
#include "section_analysis/single_store.hpp"

namespace section_analysis {

namespace {

// Doubling from any h, the smallest denormal included (2^-149), passes the
// largest single (below 2^128) in fewer steps than this.
constexpr int kMostDoublings = std::numeric_limits<float>::max_exponent - std::numeric_limits<float>::min_exponent +
                               std::numeric_limits<float>::digits + 1;

}  // namespace

Trial exact_equilibrium(SectionState section, float Nd)
{
    section.Nd = Nd;
    check_solvable(section);
    const DomainBounds bounds = Calc_Bounds(section);
    // N grows with x: a positive residual asks for a deeper axis.
    const auto residual = [&](float x) { return static_cast<double>(Nd) - Calc_NM(section, x, bounds).N; };
    float low = -section.H, high = section.H;
    for (int i = 0; residual(low) < 0; ++i) {
        if (i == kMostDoublings) throw DoesNotConverge(i);
        low = store(2.0 * low);
    }
    for (int i = 0; residual(high) > 0; ++i) {
        if (i == kMostDoublings) throw DoesNotConverge(i);
        high = store(2.0 * high);
    }
    for (;;) {
        const float mid = store((static_cast<double>(low) + high) / 2);
        if (mid == low || mid == high) break;
        (residual(mid) > 0 ? low : high) = mid;
    }
    const float x = std::fabs(residual(low)) <= std::fabs(residual(high)) ? low : high;
    return Calc_NM(section, x, bounds);
}

}  // namespace section_analysis
