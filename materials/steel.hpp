// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "materials/reading.hpp"

namespace materials {

// A reinforcing steel grade and its characteristic yield strength in N/mm².
struct SteelGrade {
    std::string name;  // "B450C"
    double fyk = 0;
};

// NTC 2018 §4.1.2.1.1.3, eq. [4.1.5]: fyd = fyk/γs.
inline constexpr double kSteelFactor = 1.15;  // γs

// B450C or B450A (any case, blanks around), fyk = 450 N/mm² (NTC 2018
// §11.3.2.1); anything else is refused with the reason.
Reading<SteelGrade> steel_grade(std::string_view text);

// The grades, for the choosers' list.
std::vector<std::string> steel_grade_names();

// fyd in N/mm², eq. [4.1.5].
double design_yield_strength(const SteelGrade& steel);

}  // namespace materials
