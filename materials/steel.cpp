// SPDX-License-Identifier: GPL-3.0-or-later
#include "materials/steel.hpp"

namespace materials {

namespace {

struct GradeEntry {
    const char* name;
    double fyk;
};

// NTC 2018 §11.3.2.1: both grades have the nominal yield strength 450 N/mm².
constexpr GradeEntry kGrades[] = {{"B450C", 450}, {"B450A", 450}};

}  // namespace

Reading<SteelGrade> steel_grade(std::string_view text)
{
    const std::string name = table_name(text);
    for (const GradeEntry& grade : kGrades)
        if (name == grade.name) return {SteelGrade{grade.name, grade.fyk}, {}};
    return Reading<SteelGrade>::refused("acciaio non riconosciuto: «" + std::string(text) +
                                        "» (B450C o B450A)");
}

std::vector<std::string> steel_grade_names()
{
    std::vector<std::string> names;
    for (const GradeEntry& grade : kGrades)
        names.emplace_back(grade.name);
    return names;
}

double design_yield_strength(const SteelGrade& steel)
{
    return steel.fyk / kSteelFactor;
}

}  // namespace materials
