// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "section_inputs/section_inputs.hpp"

namespace materials {

// The units a user declares: one force and one length. The program computes
// in whatever units it is given; these name them, and turn the code's values
// (N/mm², mm²) into them.
struct Units {
    std::string force, length;  // "kg", "daN", "N", "kN"; "mm", "cm", "m"

    std::string area() const { return length + "²"; }
    std::string stress() const { return force + "/" + length + "²"; }
    std::string moment() const { return force + "·" + length; }
    std::string of(section_inputs::Quantity quantity) const;
    // A force in kN, a moment in kN·m: what an engineer compares at a glance.
    double in_kilonewtons(double force) const;
    double in_kilonewton_metres(double moment) const;
    // A stress in N/mm², an area in mm², in these units; exact, with 1 kgf = 9,80665 N.
    double stress_from_newtons_per_square_millimetre(double stress) const;
    double area_from_square_millimetres(double area) const;
    double length_from_millimetres(double length) const;
};

// "FORZA,LUNGHEZZA" as --unita takes it: kg, daN, N or kN with mm, cm or m.
// None for anything else.
std::optional<Units> units_of(std::string_view text);

// The units a table's header gives its columns, each with its quantity
// ("cm" for a length, "cm²" or "cm2" for an area, "kg/cm²" for a strength,
// "kg" for a force): those units when they all agree and name both a force
// and a length; none otherwise.
std::optional<Units> units_of_header(const std::vector<std::pair<section_inputs::Quantity, std::string>>& columns);

// The steel modulus 210 000 N/mm² in the declared units.
double expected_steel_modulus(const Units& units);

// Whether the modulus the program chose from fsd lies more than half a
// decade from the one the declared units give: then the strengths are not
// in those units (kg/cm² declared as N and mm, say).
bool units_disagree(const Units& units, double chosen_modulus);

// The first units, kg before daN before N before kN, in which the steel
// modulus is this one within 5 %: those the strengths appear to be in.
std::optional<Units> units_of_modulus(double modulus);

}  // namespace materials
