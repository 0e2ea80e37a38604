// SPDX-License-Identifier: GPL-3.0-or-later
#include "materials/concrete.hpp"

#include <algorithm>
#include <cmath>

namespace materials {

namespace {

struct ClassEntry {
    const char* name;
    double fck, cube;
};

// NTC 2018 Tab. 4.1.I, with C30/37 of EN 206 that engineers also specify.
constexpr ClassEntry kAccepted[] = {
    {"C8/10", 8, 10},   {"C12/15", 12, 15}, {"C16/20", 16, 20}, {"C20/25", 20, 25}, {"C25/30", 25, 30},
    {"C28/35", 28, 35}, {"C30/37", 30, 37}, {"C32/40", 32, 40}, {"C35/45", 35, 45}, {"C40/50", 40, 50},
    {"C45/55", 45, 55}, {"C50/60", 50, 60},
};
// The high-strength classes of the same table, which the model does not cover.
constexpr const char* kBeyondModel[] = {"C55/67", "C60/75", "C70/85", "C80/95", "C90/105"};

constexpr double kTensileFactor = 0.30;      // §11.2.10.2
constexpr double kTensileExponent = 2.0 / 3;

}  // namespace

bool beyond_model(std::string_view text)
{
    const std::string name = table_name(text);
    return std::find(std::begin(kBeyondModel), std::end(kBeyondModel), name) != std::end(kBeyondModel);
}

Reading<ConcreteClass> concrete_class(std::string_view text)
{
    const std::string name = table_name(text);
    for (const ClassEntry& entry : kAccepted)
        if (name == entry.name) return {ConcreteClass{entry.name, entry.fck, entry.cube}, {}};
    if (beyond_model(text))
        return Reading<ConcreteClass>::refused(
                "la classe " + name +
                " è oltre C50/60: il modello (εcu = 0,35 % e blocco di altezza 0,8·x) vale solo fino a "
                "C50/60 (NTC 2018 §4.1.2.1.2.1)");
    return Reading<ConcreteClass>::refused("classe di calcestruzzo non riconosciuta: «" + std::string(text) +
                                           "» (ad esempio C25/30, da C8/10 a C50/60)");
}

std::vector<std::string> concrete_class_names()
{
    std::vector<std::string> names;
    for (const ClassEntry& entry : kAccepted)
        names.emplace_back(entry.name);
    return names;
}

double design_compressive_strength(const ConcreteClass& concrete)
{
    return kLongTermFactor * concrete.fck / kConcreteFactor;
}

double mean_tensile_strength(const ConcreteClass& concrete)
{
    return kTensileFactor * std::pow(concrete.fck, kTensileExponent);
}

}  // namespace materials
