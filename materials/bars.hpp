// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "materials/reading.hpp"

namespace materials {

// Bars of one diameter: 4Ø16.
struct BarGroup {
    int count = 0;
    int diameter = 0;  // mm
};

// A layer's bars as written: 3Ø20+2Ø16.
using Bars = std::vector<BarGroup>;

inline constexpr int kSmallestDiameter = 5, kLargestDiameter = 40;  // mm

// Groups joined by "+", each a count, a diameter sign (Ø ø Φ φ ϕ ⌀ ∅, or
// fi, phi) and a diameter in mm from 5 to 40, blanks allowed around each
// part. Refused with the part not understood.
Reading<Bars> bars_of(std::string_view text);

// The bars as the program writes them: 3Ø20+2Ø16.
std::string written(const Bars& bars);

// Their area in mm²: π·Ø²/4 each.
double area_in_square_millimetres(const Bars& bars);

}  // namespace materials
