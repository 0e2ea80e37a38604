// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "materials/section_materials.hpp"
#include "reinforcement_rules/rules.hpp"
#include "runs/resistance_tables.hpp"
#include "section_analysis/resistance_domain.hpp"
#include "section_inputs/section_inputs.hpp"

namespace reinforcement_design {

// How the compression layer As' follows the tension layer As.
struct CompressionSteel {
    enum class Kind { Fixed, Ratio } kind = Kind::Fixed;
    double value = 0;  // As' itself where fixed; the ratio r of As' = r·As otherwise (1: symmetric)

    double of(double As) const { return kind == Kind::Fixed ? value : value * As; }
};

// What is designed: the section without As, how As' follows, the
// combinations, and the class and grade where the rules apply.
struct DesignRequest {
    section_inputs::InputValues values{};  // b, h, c, fcd, fsd; As, As' and Nd are the design's
    CompressionSteel compression;
    std::vector<runs::PlottedCombination> combinations;  // Nd, Md and name of each
    materials::SectionMaterials materials;               // class and grade, where given
    std::optional<materials::Units> units;
    reinforcement_rules::Element element = reinforcement_rules::Element::Beam;
};

// The verdicts at one As: every combination, with the exact bounds
// `dominio --verifica` uses, and the rules where they apply.
struct Trial {
    double As = 0, As1 = 0;  // as the section stores them
    std::vector<section_analysis::CombinationCheck> checks;
    std::optional<std::vector<reinforcement_rules::Rule>> rules;

    bool combinations_hold() const;
    bool rules_hold() const;
    bool holds() const { return combinations_hold() && rules_hold(); }
    // The largest Md/MuRd; none where a combination has no ratio.
    std::optional<float> worst_ratio() const;
};

// The least As for which every combination and rule holds, what governs it,
// or the refusal with what would help.
struct Design {
    std::optional<Trial> least;
    std::string governs;  // "la combinazione «SLU 2»", "la regola As ≥ As,min (NTC 2018 §4.1.6.1.1)"
    std::string refusal;
    double greatest = 0;  // the largest As the search tried: 0,04·Ac with the rules, b·h without
};

// The verdicts with this As, As' following it.
Trial trial(const DesignRequest& request, double As, char decimal_mark);

// The search: a scan up from a very small As brackets the first As that
// holds, bisection narrows it to a relative 10⁻⁶, and the answer is checked
// (it holds, and 10⁻⁵ less does not). The verdict need not grow with As:
// the scan never passes an As that holds for a larger one that does too.
Design least_reinforcement(const DesignRequest& request, char decimal_mark);

}  // namespace reinforcement_design
