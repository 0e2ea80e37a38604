// SPDX-License-Identifier: GPL-3.0-or-later
#include "materials/units.hpp"

#include <cmath>

namespace materials {

namespace {

struct Named {
    std::string_view name;
    double size;  // in newtons, or in millimetres
};

constexpr Named kForces[] = {{"kg", 9.80665}, {"daN", 10}, {"N", 1}, {"kN", 1000}};
constexpr Named kLengths[] = {{"mm", 1}, {"cm", 10}, {"m", 1000}};
constexpr double kModulusNewtonMillimetre = 210000;
constexpr double kHalfDecade = 0.5;  // in powers of ten
constexpr double kSameModulus = 0.05;
constexpr double kNewtonsPerKilonewton = 1000, kMillimetresPerMetre = 1000;

std::optional<double> size_of(std::string_view name, const auto& table)
{
    for (const Named& unit : table)
        if (unit.name == name) return unit.size;
    return std::nullopt;
}

}  // namespace

std::optional<Units> units_of(std::string_view text)
{
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const std::string_view force = text.substr(0, comma), length = text.substr(comma + 1);
    if (!size_of(force, kForces) || !size_of(length, kLengths)) return std::nullopt;
    return Units{std::string(force), std::string(length)};
}

namespace {

// A length unit with its square's mark after it: "cm²", "cm2", "cm^2".
std::string_view unsquared(std::string_view unit)
{
    for (std::string_view square : {"²", "^2", "2"})
        if (unit.ends_with(square)) return unit.substr(0, unit.size() - square.size());
    return {};
}

}  // namespace

std::optional<Units> units_of_header(const std::vector<std::pair<section_inputs::Quantity, std::string>>& columns)
{
    using section_inputs::Quantity;
    std::string force, length;
    // Each unit named must agree with those before it.
    const auto agree = [](std::string& known, std::string_view unit) {
        if (unit.empty()) return false;
        if (known.empty()) known = unit;
        return known == unit;
    };
    for (const auto& [quantity, unit] : columns) {
        if (unit.empty()) continue;
        const std::string_view text = unit;
        bool fits = true;
        switch (quantity) {
        case Quantity::Length:
            fits = agree(length, text);
            break;
        case Quantity::Area:
            fits = agree(length, unsquared(text));
            break;
        case Quantity::Strength: {
            const std::size_t slash = text.find('/');
            fits = slash != std::string_view::npos && agree(force, text.substr(0, slash)) &&
                   agree(length, unsquared(text.substr(slash + 1)));
            break;
        }
        case Quantity::Force:
            fits = agree(force, text);
            break;
        }
        if (!fits) return std::nullopt;
    }
    if (force.empty() || length.empty()) return std::nullopt;
    return units_of(force + "," + length);
}

double expected_steel_modulus(const Units& units)
{
    const double length = *size_of(units.length, kLengths);
    return kModulusNewtonMillimetre / *size_of(units.force, kForces) * length * length;
}

bool units_disagree(const Units& units, double chosen_modulus)
{
    return std::fabs(std::log10(chosen_modulus / expected_steel_modulus(units))) > kHalfDecade;
}

std::optional<Units> units_of_modulus(double modulus)
{
    for (const Named& force : kForces)
        for (const Named& length : kLengths) {
            const Units units{std::string(force.name), std::string(length.name)};
            if (std::fabs(modulus / expected_steel_modulus(units) - 1) <= kSameModulus) return units;
        }
    return std::nullopt;
}

double Units::in_kilonewtons(double force_value) const
{
    return force_value * *size_of(force, kForces) / kNewtonsPerKilonewton;
}

double Units::in_kilonewton_metres(double moment) const
{
    return in_kilonewtons(moment) * *size_of(length, kLengths) / kMillimetresPerMetre;
}

double Units::stress_from_newtons_per_square_millimetre(double stress) const
{
    const double length_mm = *size_of(length, kLengths);
    return stress / *size_of(force, kForces) * length_mm * length_mm;
}

double Units::area_from_square_millimetres(double area) const
{
    const double length_mm = *size_of(length, kLengths);
    return area / (length_mm * length_mm);
}

double Units::length_from_millimetres(double length_value) const
{
    return length_value / *size_of(length, kLengths);
}

std::string Units::of(section_inputs::Quantity quantity) const
{
    switch (quantity) {
    case section_inputs::Quantity::Length:
        return length;
    case section_inputs::Quantity::Area:
        return area();
    case section_inputs::Quantity::Strength:
        return stress();
    case section_inputs::Quantity::Force:
        return force;
    }
    return {};
}

}  // namespace materials
