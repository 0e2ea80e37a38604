// SPDX-License-Identifier: GPL-3.0-or-later
#include "reinforcement_design/least_reinforcement.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "numbers/number_text.hpp"
#include "runs/calculation.hpp"
#include "section_analysis/errors.hpp"
#include "section_analysis/single_store.hpp"

namespace reinforcement_design {

namespace {

using section_analysis::CombinationCheck;
using section_analysis::SectionState;
using section_analysis::Verdict;
using section_inputs::Input;
using section_inputs::index;

constexpr double kScanStart = 1e-5;   // of the greatest As: where the scan starts
constexpr int kScanSteps = 240;       // geometric steps from there to the greatest As
constexpr double kBisection = 1e-6;   // relative width the bracket is narrowed to
constexpr double kCheckBelow = 1e-5;  // relative step below the answer that must not hold
constexpr int kMostRefinements = 8;   // new brackets, where the check finds a smaller As that holds

// The section with every value checked as the Calculate command checks it,
// As and As' left to each trial; none, with the window's message.
std::optional<SectionState> formed_section(const DesignRequest& request, char mark, std::string& refusal)
{
    section_inputs::InputValues values = request.values;
    values[index(Input::As)] = 1;  // any value the check passes: each trial sets its own
    values[index(Input::As1)] = 1;
    values[index(Input::Nd)] = 0;
    const runs::Calculation formed = runs::calculate(values, mark);
    if (!formed.checks_passed) {
        refusal = formed.message.text;
        return std::nullopt;
    }
    return formed.section;
}

// The search's trials, on one formed section.
class Designer {
public:
    Designer(const DesignRequest& request, const SectionState& section, char mark)
        : request_(request), section_(section), mark_(mark)
    {
        for (const runs::PlottedCombination& combination : request.combinations)
            forces_.push_back(combination.Nd);
    }

    Trial at(double As) const
    {
        Trial t;
        SectionState s = section_;
        s.As = section_analysis::store(As);
        t.As = s.As;
        const float As1 = section_analysis::store(request_.compression.of(s.As));
        t.As1 = As1;
        // The model needs a layer in each zone: no As' is the smallest area
        // a single holds, whose force no single can tell from none.
        s.As1 = std::max(As1, std::numeric_limits<float>::min());
        for (const runs::PlottedCombination& combination : request_.combinations) {
            CombinationCheck check;
            try {
                check = section_analysis::check_combination(s, combination.Nd, combination.Md);
            } catch (const section_analysis::SectionError&) {
                check.failure = std::current_exception();
            }
            t.checks.push_back(check);
        }
        section_inputs::InputValues values = request_.values;
        values[index(Input::As)] = t.As;
        values[index(Input::As1)] = t.As1;
        t.rules = reinforcement_rules::rules_for(values, request_.materials, request_.element, request_.units,
                                                 forces_, std::nullopt, mark_);
        return t;
    }

private:
    const DesignRequest& request_;
    SectionState section_;
    char mark_;
    std::vector<double> forces_;
};

// What fails a little below the answer: a combination, the worst first, or a rule.
std::string what_governs(const DesignRequest& request, const Trial& below)
{
    std::optional<std::size_t> worst;
    for (std::size_t i = 0; i < below.checks.size(); ++i) {
        if (below.checks[i].verdict == Verdict::Verified) continue;
        const auto ratio = [&](std::size_t k) { return below.checks[k].ratio.value_or(INFINITY); };
        if (!worst || ratio(i) > ratio(*worst)) worst = i;
    }
    if (worst) return "la combinazione «" + request.combinations[*worst].name + "»";
    if (below.rules) {
        for (const reinforcement_rules::Rule& rule : *below.rules)
            if (!rule.holds && !rule.informative) return "la regola " + rule.name + " (" + rule.clause + ")";
    }
    return "la precisione della ricerca";
}

// Why no As up to the greatest holds, with what would help.
std::string no_design(const DesignRequest& request, const Trial& greatest, char mark)
{
    for (std::size_t i = 0; i < greatest.checks.size(); ++i) {
        const runs::PlottedCombination& combination = request.combinations[i];
        if (greatest.checks[i].verdict == Verdict::Verified) continue;
        if (request.compression.kind == CompressionSteel::Kind::Fixed && combination.Md < 0)
            return "con As' fissa = " + numbers::number_to_text(static_cast<float>(request.compression.value), mark) +
                   " la combinazione «" + combination.name +
                   "», con Md negativo, non si verifica con nessuna As: usare --rapporto o --simmetrica";
        return "la sezione non basta: aumentare b o h (con As = " +
               numbers::number_to_text(static_cast<float>(greatest.As), mark) + " la combinazione «" +
               combination.name + "» non è ancora verificata)";
    }
    return "la sezione non basta: aumentare b o h (con As = " +
           numbers::number_to_text(static_cast<float>(greatest.As), mark) + " le regole di armatura non sono rispettate)";
}

}  // namespace

bool Trial::combinations_hold() const
{
    return std::all_of(checks.begin(), checks.end(),
                       [](const CombinationCheck& check) { return check.verdict == Verdict::Verified; });
}

bool Trial::rules_hold() const
{
    return !rules || reinforcement_rules::failed_rules(*rules).empty();
}

std::optional<float> Trial::worst_ratio() const
{
    std::optional<float> worst;
    for (const CombinationCheck& check : checks) {
        if (!check.ratio) return std::nullopt;
        worst = std::max(worst.value_or(*check.ratio), *check.ratio);
    }
    return worst;
}

Trial trial(const DesignRequest& request, double As, char decimal_mark)
{
    std::string refusal;
    const std::optional<SectionState> section = formed_section(request, decimal_mark, refusal);
    if (!section) return {};
    return Designer(request, *section, decimal_mark).at(As);
}

Design least_reinforcement(const DesignRequest& request, char decimal_mark)
{
    Design design;
    const std::optional<SectionState> section = formed_section(request, decimal_mark, design.refusal);
    if (!section) return design;
    const double area = static_cast<double>(section->B) * section->H;
    const bool ruled = request.materials.concrete && request.materials.steel && request.units;
    design.greatest = ruled ? reinforcement_rules::kGreatestRatio * area : area;
    const float capacity = section_analysis::axial_capacity(*section);
    for (const runs::PlottedCombination& combination : request.combinations)
        if (combination.Nd > capacity) {
            design.refusal = "la combinazione «" + combination.name + "» ha Nd = " +
                             numbers::number_to_text(combination.Nd, decimal_mark) +
                             " oltre la capacità Nu = b·h·fcd = " + numbers::number_to_text(capacity, decimal_mark) +
                             ": aumentare b, h o fcd";
            return design;
        }
    const Designer designer(request, *section, decimal_mark);
    // The scan: the first As that holds, from below.
    const double step = std::pow(1 / kScanStart, 1.0 / kScanSteps);
    double below = 0, above = 0;
    for (double As = design.greatest * kScanStart; As <= design.greatest * (1 + kBisection); As *= step) {
        if (designer.at(std::min(As, design.greatest)).holds()) {
            above = std::min(As, design.greatest);
            break;
        }
        below = As;
    }
    if (above == 0) {
        design.refusal = no_design(request, designer.at(design.greatest), decimal_mark);
        return design;
    }
    if (below == 0) {  // the smallest As tried already holds: the concrete alone carries every combination
        design.least = designer.at(above);
        design.governs = "nessuna combinazione: basta la sezione senza armatura tesa";
        return design;
    }
    for (int refinement = 0; refinement < kMostRefinements; ++refinement) {
        while (above - below > kBisection * above) {
            const double middle = (below + above) / 2;
            (designer.at(middle).holds() ? above : below) = middle;
        }
        // The check: a little less must fail, or the bracket held a smaller answer.
        const Trial less = designer.at(above * (1 - kCheckBelow));
        if (!less.holds()) {
            design.governs = what_governs(request, less);
            break;
        }
        above = less.As;
    }
    design.least = designer.at(above);
    if (design.governs.empty()) design.governs = what_governs(request, designer.at(above * (1 - kCheckBelow)));
    return design;
}

}  // namespace reinforcement_design
