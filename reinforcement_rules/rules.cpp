// SPDX-License-Identifier: GPL-3.0-or-later
#include "reinforcement_rules/rules.hpp"

#include <algorithm>

#include "numbers/exact_number.hpp"

namespace reinforcement_rules {

namespace {

using materials::ConcreteClass;
using materials::SteelGrade;
using materials::Units;

// NTC 2018 §4.1.6.1.1, beams: As,min = 0,26·fctm/fyk·bt·d, and not below 0,0013·bt·d.
constexpr double kBeamTensileShare = 0.26;
constexpr double kBeamLeastRatio = 0.0013;
// NTC 2018 §4.1.6.1.2, columns: As,min = 0,10·NEd/fyd, and not below 0,003·Ac.
constexpr double kColumnForceShare = 0.10;
constexpr double kColumnLeastRatio = 0.003;
// NTC 2018 §4.1.1.1: x/d up to 0,45 where moments are redistributed.
constexpr double kRedistributionDepth = 0.45;

constexpr int kValueDigits = 7, kRatioDigits = 4, kStrengthDigits = 5;
const char kHolds[] = " ✔", kFails[] = " ✘";

class Writer {
public:
    Writer(const Units& units, char mark) : units_(units), mark_(mark) {}
    std::string operator()(double value, int digits = kValueDigits) const
    {
        return numbers::significant_text(value, digits, mark_);
    }
    std::string area(double value) const { return (*this)(value) + " " + units_.area(); }
    static const char* verdict(bool holds) { return holds ? kHolds : kFails; }

private:
    const Units& units_;
    char mark_;
};

Rule beam_minimum(const RuleSection& s, const ConcreteClass& concrete, const SteelGrade& steel, const Writer& w)
{
    const double fctm = materials::mean_tensile_strength(concrete);
    const double tensile_ratio = kBeamTensileShare * fctm / steel.fyk;
    const double ratio = std::max(tensile_ratio, kBeamLeastRatio);
    const double d = s.h - s.c;
    const double least = ratio * s.b * d;
    const bool holds = s.As >= least;
    const std::string share = w(kBeamTensileShare), floor = w(kBeamLeastRatio);
    const std::string why = share + " · fctm / fyk = " + share + " · " + w(fctm, kStrengthDigits) + " / " +
                            w(steel.fyk) + " = " + w(tensile_ratio, kRatioDigits) +
                            (tensile_ratio >= kBeamLeastRatio ? " ≥ " + floor + ", governa; "
                                                              : " < " + floor + ", governa " + floor + "; ");
    return {"As ≥ As,min", "NTC 2018 §4.1.6.1.1",
            why + "As,min = " + w(ratio) + " · " + w(s.b) + " · " + w(d) + " = " + w.area(least) +
                (holds ? " ≤ " : " > ") + w(s.As) + Writer::verdict(holds),
            holds, false};
}

Rule layer_maximum(const char* name, double area, const RuleSection& s, const char* clause, const Writer& w)
{
    const double greatest = kGreatestRatio * s.b * s.h;
    const bool holds = area <= greatest;
    const std::string share = w(kGreatestRatio);
    return {std::string(name) + " ≤ " + share + " · Ac", clause,
            std::string(name) + " = " + w(area) + (holds ? " ≤ " : " > ") + share + " · Ac = " + share + " · " + w(s.b) + " · " +
                w(s.h) + " = " + w.area(greatest) + Writer::verdict(holds),
            holds, false};
}

Rule column_minimum(const RuleSection& s, const SteelGrade& steel, const Units& units, const Writer& w)
{
    const double fyd = units.stress_from_newtons_per_square_millimetre(materials::design_yield_strength(steel));
    const double from_force = kColumnForceShare * std::max(s.NEd, 0.0) / fyd;
    const double from_area = kColumnLeastRatio * s.b * s.h;
    const double least = std::max(from_force, from_area);
    const double total = s.As + s.As1;
    const bool holds = total >= least;
    return {"As + As' ≥ As,min", "NTC 2018 §4.1.6.1.2",
            "As,min = max(" + w(kColumnForceShare) + " · NEd / fyd; " + w(kColumnLeastRatio) + " · Ac) = max(" +
                w(kColumnForceShare) + " · " + w(std::max(s.NEd, 0.0)) + " / " + w(fyd) + "; " +
                w(kColumnLeastRatio) + " · " + w(s.b) + " · " + w(s.h) + ") = " + w.area(least) +
                (holds ? " ≤ " : " > ") +
                "As + As' = " + w(total) + Writer::verdict(holds),
            holds, false};
}

Rule ductility(const RuleSection& s, const Writer& w)
{
    const double d = s.h - s.c;
    const double depth = *s.x / d;
    const bool within = depth <= kRedistributionDepth;
    const std::string limit = w(kRedistributionDepth);
    return {"x/d ≤ " + limit, "NTC 2018 §4.1.1.1",
            "x/d = " + w(*s.x) + " / " + w(d) + " = " + w(depth, kRatioDigits) + (within ? " ≤ " : " > ") + limit +
                ": " +
                (within ? "i momenti si possono ridistribuire" : "i momenti non si possono ridistribuire") +
                " (solo informativo)",
            true, true};
}

}  // namespace

std::optional<Element> element_of(std::string_view text)
{
    if (text == "trave") return Element::Beam;
    if (text == "pilastro") return Element::Column;
    return std::nullopt;
}

const char* element_name(Element element)
{
    return element == Element::Beam ? "trave" : "pilastro";
}

std::vector<Rule> check_rules(const RuleSection& section, const ConcreteClass& concrete, const SteelGrade& steel,
                              Element element, const Units& units, char decimal_mark)
{
    const Writer w(units, decimal_mark);
    std::vector<Rule> rules;
    if (element == Element::Beam) {
        rules.push_back(beam_minimum(section, concrete, steel, w));
        rules.push_back(layer_maximum("As", section.As, section, "NTC 2018 §4.1.6.1.1", w));
        rules.push_back(layer_maximum("As'", section.As1, section, "NTC 2018 §4.1.6.1.1", w));
    } else {
        rules.push_back(column_minimum(section, steel, units, w));
        rules.push_back(layer_maximum("As + As'", section.As + section.As1, section, "NTC 2018 §4.1.6.1.2", w));
    }
    if (section.x && section.h > section.c) rules.push_back(ductility(section, w));
    return rules;
}

std::optional<std::vector<Rule>> rules_for(const section_inputs::InputValues& values,
                                           const materials::SectionMaterials& materials, Element element,
                                           const std::optional<Units>& units, const std::vector<double>& forces,
                                           std::optional<double> x, char decimal_mark)
{
    if (!materials.concrete || !materials.steel || !units) return std::nullopt;
    using section_inputs::Input;
    const auto value = [&](Input input) { return values[section_inputs::index(input)]; };
    RuleSection section{.b = value(Input::B),
                        .h = value(Input::H),
                        .c = value(Input::D1),
                        .As = value(Input::As),
                        .As1 = value(Input::As1),
                        .NEd = 0,
                        .x = x};
    for (double force : forces)
        section.NEd = std::max(section.NEd, force);
    return check_rules(section, *materials.concrete, *materials.steel, element, *units, decimal_mark);
}

std::string failed_rules(const std::vector<Rule>& rules)
{
    std::string names;
    for (const Rule& rule : rules) {
        if (rule.holds || rule.informative) continue;
        if (!names.empty()) names += "; ";
        names += rule.name;
    }
    return names;
}

}  // namespace reinforcement_rules
