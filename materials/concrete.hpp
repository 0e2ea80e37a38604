// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "materials/reading.hpp"

namespace materials {

// A strength class, Cfck/Rck: its characteristic strengths in N/mm².
struct ConcreteClass {
    std::string name;  // "C25/30"
    double fck = 0;    // cylinder
    double cube = 0;   // Rck
};

// NTC 2018 §4.1.2.1.1.1, eq. [4.1.3]: fcd = αcc·fck/γc.
inline constexpr double kLongTermFactor = 0.85;  // αcc
inline constexpr double kConcreteFactor = 1.5;   // γc

// The class a text names, "C25/30" (any case, blanks around). Refused with
// the reason: an unknown name, or a class above C50/60, beyond the model's
// εcu = 0,35 % and 0,8·x block (NTC 2018 §4.1.2.1.2.1).
Reading<ConcreteClass> concrete_class(std::string_view text);

// Whether a text names a class of the code's table above C50/60.
bool beyond_model(std::string_view text);

// The classes the model accepts, weakest first: the choosers' list.
std::vector<std::string> concrete_class_names();

// fcd in N/mm², eq. [4.1.3].
double design_compressive_strength(const ConcreteClass& concrete);

// fctm in N/mm²: 0,30·fck^(2/3) for classes up to C50/60 (NTC 2018 §11.2.10.2).
double mean_tensile_strength(const ConcreteClass& concrete);

}  // namespace materials
