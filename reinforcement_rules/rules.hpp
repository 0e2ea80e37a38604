// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "materials/concrete.hpp"
#include "materials/section_materials.hpp"
#include "materials/steel.hpp"
#include "materials/units.hpp"

namespace reinforcement_rules {

// NTC 2018 §4.1.6.1.1 and §4.1.6.1.2: no layer of a beam, and no column's
// steel, above 0,04·Ac.
inline constexpr double kGreatestRatio = 0.04;

// Which of the code's rules on the amount of reinforcement apply.
enum class Element { Beam, Column };

// "trave" or "pilastro"; none for anything else.
std::optional<Element> element_of(std::string_view text);
const char* element_name(Element element);

// The section as the rules see it, in the declared units.
struct RuleSection {
    double b = 0, h = 0, c = 0;  // d = h - c
    double As = 0, As1 = 0;
    double NEd = 0;            // the largest compression among the forces, 0 if none
    std::optional<double> x;   // the neutral axis depth at the ultimate state
};

// One rule, with its numbers.
struct Rule {
    std::string name;       // "As ≥ As,min"
    std::string clause;     // "NTC 2018 §4.1.6.1.1"
    std::string statement;  // "As,min = 0,0013 · 30 · 46,5 = 1,8135 cm² ≤ 10 ✔"
    bool holds = true;
    bool informative = false;  // shown, never a failure
};

// The rules of the element, then the ductility line.
std::vector<Rule> check_rules(const RuleSection& section, const materials::ConcreteClass& concrete,
                              const materials::SteelGrade& steel, Element element, const materials::Units& units,
                              char decimal_mark);

// The rules of a section whose class and grade are known, at the largest
// compression among `forces` (Nd, and the combinations' where there are),
// with the ultimate neutral axis depth x where known; none otherwise.
std::optional<std::vector<Rule>> rules_for(const section_inputs::InputValues& values,
                                           const materials::SectionMaterials& materials, Element element,
                                           const std::optional<materials::Units>& units, const std::vector<double>& forces,
                                           std::optional<double> x, char decimal_mark);

// The names of the rules that fail, joined by "; "; empty when all hold.
std::string failed_rules(const std::vector<Rule>& rules);

}  // namespace reinforcement_rules
