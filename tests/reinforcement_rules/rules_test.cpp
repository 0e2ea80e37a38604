// SPDX-License-Identifier: GPL-3.0-or-later
// The rules on the amount of reinforcement against hand figures, in kg and cm.
#include <gtest/gtest.h>

#include "reinforcement_rules/rules.hpp"

namespace {

using namespace reinforcement_rules;

const materials::Units kKilogramCentimetre{"kg", "cm"};
const materials::SteelGrade kB450C{"B450C", 450};

std::vector<Rule> rules(const char* concrete, RuleSection section, Element element)
{
    return check_rules(section, *materials::concrete_class(concrete), kB450C, element, kKilogramCentimetre, ',');
}

std::vector<std::string> statements(const std::vector<Rule>& all)
{
    std::vector<std::string> lines;
    for (const Rule& rule : all)
        lines.push_back(rule.name + ": " + rule.statement);
    return lines;
}

TEST(BeamRules, APassingBeamShowsEachRuleWithItsNumbers)
{
    // C20/25: 0,26 · fctm / fyk = 0,001277, so the floor 0,0013 governs.
    const std::vector<Rule> beam = rules("C20/25", {.b = 30, .h = 50, .c = 3.5, .As = 10, .As1 = 5, .NEd = 0, .x = 12}, Element::Beam);
    EXPECT_EQ(statements(beam),
              (std::vector<std::string>{
                  "As ≥ As,min: 0,26 · fctm / fyk = 0,26 · 2,2104 / 450 = 0,001277 < 0,0013, governa 0,0013; "
                  "As,min = 0,0013 · 30 · 46,5 = 1,8135 cm² ≤ 10 ✔",
                  "As ≤ 0,04 · Ac: As = 10 ≤ 0,04 · Ac = 0,04 · 30 · 50 = 60 cm² ✔",
                  "As' ≤ 0,04 · Ac: As' = 5 ≤ 0,04 · Ac = 0,04 · 30 · 50 = 60 cm² ✔",
                  "x/d ≤ 0,45: x/d = 12 / 46,5 = 0,2581 ≤ 0,45: i momenti si possono ridistribuire (solo "
                  "informativo)"}));
    EXPECT_EQ(failed_rules(beam), "");
    EXPECT_EQ(beam[0].clause, "NTC 2018 §4.1.6.1.1");
}

TEST(BeamRules, BelowTheMinimumFailsWhereTheTensileRatioGoverns)
{
    // C25/30: 0,26 · 2,565 / 450 = 0,001482 governs; As,min = 0,001481979 · 30 · 46,5 = 2,067361.
    const std::vector<Rule> beam = rules("C25/30", {.b = 30, .h = 50, .c = 3.5, .As = 2.06, .As1 = 0, .NEd = 0, .x = {}}, Element::Beam);
    EXPECT_EQ(beam.size(), 3u);  // no depth, no ductility line
    EXPECT_EQ(beam[0].statement, "0,26 · fctm / fyk = 0,26 · 2,565 / 450 = 0,001482 ≥ 0,0013, governa; "
                                 "As,min = 0,001481979 · 30 · 46,5 = 2,067361 cm² > 2,06 ✘");
    EXPECT_FALSE(beam[0].holds);
    EXPECT_EQ(failed_rules(beam), "As ≥ As,min");
    EXPECT_TRUE(rules("C25/30", {.b = 30, .h = 50, .c = 3.5, .As = 2.07, .As1 = 0, .NEd = 0, .x = {}}, Element::Beam)[0].holds);
}

TEST(BeamRules, EachLayerAboveFourPerCentFails)
{
    const std::vector<Rule> beam = rules("C25/30", {.b = 30, .h = 50, .c = 3.5, .As = 60.01, .As1 = 61, .NEd = 0, .x = {}}, Element::Beam);
    EXPECT_EQ(beam[1].statement, "As = 60,01 > 0,04 · Ac = 0,04 · 30 · 50 = 60 cm² ✘");
    EXPECT_EQ(failed_rules(beam), "As ≤ 0,04 · Ac; As' ≤ 0,04 · Ac");
    EXPECT_EQ(failed_rules(rules("C25/30", {.b = 30, .h = 50, .c = 3.5, .As = 60, .As1 = 60, .NEd = 0, .x = {}}, Element::Beam)), "");
}

TEST(ColumnRules, TheGreaterOfTheForceAndTheAreaMinimumGoverns)
{
    // 30 × 30: 0,003 · Ac = 2,7 cm²; 0,10 · 50000 / 3990,194 = 1,253 cm².
    const std::vector<Rule> light =
        rules("C25/30", {.b = 30, .h = 30, .c = 4, .As = 1, .As1 = 1, .NEd = 50000, .x = {}}, Element::Column);
    ASSERT_EQ(light.size(), 2u);
    EXPECT_EQ(light[0].statement, "As,min = max(0,1 · NEd / fyd; 0,003 · Ac) = max(0,1 · 50000 / 3990,194; "
                                  "0,003 · 30 · 30) = 2,7 cm² > As + As' = 2 ✘");
    EXPECT_EQ(light[0].clause, "NTC 2018 §4.1.6.1.2");
    EXPECT_EQ(failed_rules(light), "As + As' ≥ As,min");
    // 0,10 · 200000 / 3990,194 = 5,012288 cm² governs.
    const std::vector<Rule> heavy =
        rules("C25/30", {.b = 30, .h = 30, .c = 4, .As = 2.5, .As1 = 2.5, .NEd = 200000, .x = {}}, Element::Column);
    EXPECT_NE(heavy[0].statement.find("= 5,012288 cm² > As + As' = 5 ✘"), std::string::npos) << heavy[0].statement;
    EXPECT_EQ(failed_rules(rules("C25/30", {.b = 30, .h = 30, .c = 4, .As = 2.51, .As1 = 2.51, .NEd = 200000, .x = {}},
                                 Element::Column)),
              "");
    // Tension takes the area minimum alone.
    EXPECT_NE(rules("C25/30", {.b = 30, .h = 30, .c = 4, .As = 2, .As1 = 2, .NEd = -90000, .x = {}}, Element::Column)[0]
                  .statement.find("0,1 · 0 / 3990,194"),
              std::string::npos);
}

TEST(ColumnRules, BothLayersTogetherAboveFourPerCentFail)
{
    const std::vector<Rule> column = rules("C25/30", {.b = 30, .h = 30, .c = 4, .As = 20, .As1 = 16.5, .NEd = 0, .x = {}}, Element::Column);
    EXPECT_EQ(column[1].statement, "As + As' = 36,5 > 0,04 · Ac = 0,04 · 30 · 30 = 36 cm² ✘");
    EXPECT_EQ(failed_rules(column), "As + As' ≤ 0,04 · Ac");
}

TEST(Ductility, IsShownButNeverFails)
{
    const std::vector<Rule> deep = rules("C25/30", {.b = 30, .h = 50, .c = 3.5, .As = 10, .As1 = 5, .NEd = 0, .x = 30}, Element::Beam);
    EXPECT_EQ(deep.back().statement,
              "x/d = 30 / 46,5 = 0,6452 > 0,45: i momenti non si possono ridistribuire (solo informativo)");
    EXPECT_TRUE(deep.back().informative);
    EXPECT_EQ(failed_rules(deep), "");
}

TEST(RulesOfASection, NeedTheClassTheGradeAndTheUnits)
{
    section_inputs::InputValues values{};
    using section_inputs::Input;
    using section_inputs::index;
    values[index(Input::B)] = 30;
    values[index(Input::H)] = 30;
    values[index(Input::D1)] = 4;
    values[index(Input::As)] = 1;
    values[index(Input::As1)] = 1;
    materials::SectionMaterials known;
    known.concrete = *materials::concrete_class("C25/30");
    known.steel = kB450C;
    const auto found = rules_for(values, known, Element::Column, kKilogramCentimetre, {50000, 200000, -1}, 10, ',');
    ASSERT_TRUE(found);
    EXPECT_NE((*found)[0].statement.find("0,1 · 200000 / 3990,194"), std::string::npos);  // the largest compression
    EXPECT_EQ(found->size(), 3u);
    materials::SectionMaterials no_grade = known;
    no_grade.steel.reset();
    EXPECT_FALSE(rules_for(values, no_grade, Element::Column, kKilogramCentimetre, {}, 10, ','));
    EXPECT_FALSE(rules_for(values, known, Element::Column, std::nullopt, {}, 10, ','));
    EXPECT_EQ(element_of("pilastro"), Element::Column);
    EXPECT_EQ(element_of("trave"), Element::Beam);
    EXPECT_FALSE(element_of("Trave"));
}

}  // namespace
