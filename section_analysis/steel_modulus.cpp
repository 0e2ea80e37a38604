// SPDX-License-Identifier: GPL-3.0-or-later
#include "section_analysis/steel_modulus.hpp"

#include <cmath>

namespace section_analysis {

namespace {

constexpr double kModulusKgCm2 = 2100000;
constexpr double kLowestYieldStrain = 0.0007;
constexpr double kHighestYieldStrain = 0.007;  // excluded
// Beyond any strength a single can hold; keeps the search finite.
constexpr int kMostDecades = 60;

// 2100000 x 10^decades, formed from exact powers of ten.
double modulus_scaled(int decades)
{
    double power = 1;
    for (int i = 0; i < std::abs(decades); ++i)
        power *= 10;
    return decades >= 0 ? kModulusKgCm2 * power : kModulusKgCm2 / power;
}

}  // namespace

double steel_modulus(float Fsd)
{
    const double strength = std::fabs(static_cast<double>(Fsd));
    if (!(strength > 0) || !std::isfinite(strength)) return kModulusKgCm2;
    int decades = 0;
    while (decades < kMostDecades && strength / modulus_scaled(decades) >= kHighestYieldStrain)
        ++decades;
    while (decades > -kMostDecades && strength / modulus_scaled(decades) < kLowestYieldStrain)
        --decades;
    return modulus_scaled(decades);
}

}  // namespace section_analysis
