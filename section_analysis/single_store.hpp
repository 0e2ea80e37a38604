// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

namespace section_analysis {

[[noreturn]] void throw_not_a_single(double value);
[[noreturn]] void throw_division_by_zero();

// Every named quantity is a single. A formula is evaluated in double from
// stored singles and rounded once, here; a value that is not a number or
// does not fit a single is an arithmetic fault, never a stored infinity.
inline float store(double value)
{
    const float single = static_cast<float>(value);
    if (!std::isfinite(single)) throw_not_a_single(value);
    return single;
}

// The one place a quotient of the model is formed, so no formula can
// divide by zero unnoticed.
inline double divide(double numerator, double denominator)
{
    if (denominator == 0) throw_division_by_zero();
    return numerator / denominator;
}

}  // namespace section_analysis
