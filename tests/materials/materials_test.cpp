// SPDX-License-Identifier: GPL-3.0-or-later
// Classes, grades, bars and units as engineers write them, against hand figures.
#include <gtest/gtest.h>

#include "materials/section_materials.hpp"

namespace {

using namespace materials;

const Units kNewtonMillimetre{"N", "mm"}, kKilogramCentimetre{"kg", "cm"};

TEST(ConcreteClasses, GiveTheDesignStrengthOfTheirCylinderStrength)
{
    const std::vector<std::string> names = concrete_class_names();
    ASSERT_EQ(names.size(), 12u);
    EXPECT_EQ(names.front(), "C8/10");
    EXPECT_EQ(names.back(), "C50/60");
    for (const char* kept : {"C28/35", "C30/37", "C32/40"})
        EXPECT_NE(std::find(names.begin(), names.end(), kept), names.end()) << kept;
    for (const std::string& name : names) {
        const Reading<ConcreteClass> concrete = concrete_class(name);
        ASSERT_TRUE(concrete) << name;
        EXPECT_EQ(concrete->fck, std::stod(name.substr(1, name.find('/') - 1))) << name;
        EXPECT_DOUBLE_EQ(design_compressive_strength(*concrete), 0.85 * concrete->fck / 1.5) << name;
    }
    const Reading<ConcreteClass> c25 = concrete_class(" c25/30 ");
    ASSERT_TRUE(c25);
    EXPECT_EQ(c25->name, "C25/30");
    EXPECT_EQ(c25->cube, 30);
    EXPECT_NEAR(design_compressive_strength(*c25), 14.16667, 5e-6);
    EXPECT_NEAR(mean_tensile_strength(*c25), 2.564964, 5e-7);
    EXPECT_NEAR(mean_tensile_strength(*concrete_class("C20/25")), 2.210419, 5e-7);
}

TEST(ConcreteClasses, AboveC50AreRefusedWithTheModelsReasonAndUnknownOnesByName)
{
    for (const char* strong : {"C55/67", "C60/75", "c90/105"}) {
        const Reading<ConcreteClass> refused = concrete_class(strong);
        EXPECT_FALSE(refused) << strong;
        EXPECT_NE(refused.refusal.find("è oltre C50/60"), std::string::npos) << refused.refusal;
        EXPECT_NE(refused.refusal.find("§4.1.2.1.2.1"), std::string::npos) << refused.refusal;
        EXPECT_TRUE(beyond_model(strong));
    }
    for (const char* unknown : {"C26/31", "C25", "25/30", "", "C25/30x"}) {
        const Reading<ConcreteClass> refused = concrete_class(unknown);
        EXPECT_FALSE(refused) << unknown;
        EXPECT_EQ(refused.refusal, "classe di calcestruzzo non riconosciuta: «" + std::string(unknown) +
                                       "» (ad esempio C25/30, da C8/10 a C50/60)");
        EXPECT_FALSE(beyond_model(unknown));
    }
}

TEST(SteelGrades, BothHave450AndTheSameDesignStrength)
{
    for (const char* name : {"B450C", "b450a", " B450C "}) {
        const Reading<SteelGrade> steel = steel_grade(name);
        ASSERT_TRUE(steel) << name;
        EXPECT_EQ(steel->fyk, 450);
        EXPECT_NEAR(design_yield_strength(*steel), 391.3043, 5e-5);
    }
    EXPECT_EQ(steel_grade("B500B").refusal, "acciaio non riconosciuto: «B500B» (B450C o B450A)");
    EXPECT_EQ(steel_grade_names(), (std::vector<std::string>{"B450C", "B450A"}));
}

TEST(Bars, ReadEveryDiameterSignAndSumTheirAreas)
{
    for (const char* four_16 : {"4Ø16", "4ø16", "4Φ16", "4φ16", "4ϕ16", "4⌀16", "4∅16", "4fi16", "4 phi 16",
                                "4 PHI 16", " 4 Ø 16 "}) {
        const Reading<Bars> bars = bars_of(four_16);
        ASSERT_TRUE(bars) << four_16 << ": " << bars.refusal;
        EXPECT_EQ(written(*bars), "4Ø16");
        EXPECT_NEAR(area_in_square_millimetres(*bars), 804.2477, 5e-5) << four_16;
    }
    const Reading<Bars> mixed = bars_of("3Ø20+2Ø16");
    ASSERT_TRUE(mixed);
    EXPECT_EQ(mixed->size(), 2u);
    EXPECT_NEAR(area_in_square_millimetres(*mixed), 1344.602, 5e-4);
    EXPECT_EQ(written(*bars_of("3 Ø 20 + 2fi16 + 1∅5")), "3Ø20+2Ø16+1Ø5");
    EXPECT_TRUE(bars_of("1Ø40"));
}

TEST(Bars, AnythingElseIsRefusedNamingThePartNotUnderstood)
{
    const std::pair<const char*, const char*> refusals[] = {
        {"0Ø16", "«0Ø16»: il numero di barre va da 1 a 999"},
        {"4Ø4", "«4Ø4»: il diametro 4 mm è fuori dall'intervallo da 5 a 40 mm"},
        {"4Ø41", "«4Ø41»: il diametro 41 mm è fuori dall'intervallo da 5 a 40 mm"},
        {"4Ø", "«4Ø»: manca il diametro dopo il segno Ø"},
        {"Ø16", "«Ø16»: manca il numero di barre prima del diametro"},
        {"4x16", "«4x16»: non si legge «x16» dopo 4; le barre si scrivono come 4Ø16 o 3Ø20+2Ø16"},
        {"4Ø16mm", "«4Ø16mm»: non si legge il diametro «16mm»; le barre si scrivono come 4Ø16 o 3Ø20+2Ø16"},
        {"4Ø16+", "«»: non si legge; le barre si scrivono come 4Ø16 o 3Ø20+2Ø16"},
        {"1000Ø16", "«1000Ø16»: non si legge; le barre si scrivono come 4Ø16 o 3Ø20+2Ø16"},
    };
    for (const auto& [text, reason] : refusals) {
        const Reading<Bars> bars = bars_of(text);
        EXPECT_FALSE(bars) << text;
        EXPECT_EQ(bars.refusal, reason) << text;
    }
}

TEST(DeclaredUnits, ConvertTheCodesValuesExactly)
{
    EXPECT_NEAR(kKilogramCentimetre.stress_from_newtons_per_square_millimetre(1), 10.19716, 5e-6);
    EXPECT_EQ(kNewtonMillimetre.stress_from_newtons_per_square_millimetre(14.5), 14.5);
    EXPECT_DOUBLE_EQ((Units{"kN", "m"}).stress_from_newtons_per_square_millimetre(1), 1000);
    EXPECT_DOUBLE_EQ(kKilogramCentimetre.area_from_square_millimetres(1344.602), 13.44602);
    EXPECT_DOUBLE_EQ((Units{"N", "m"}).area_from_square_millimetres(1e6), 1);
}

TEST(DeclaredUnits, ComeFromAHeaderWhenEveryUnitAgrees)
{
    using section_inputs::Quantity;
    using Columns = std::vector<std::pair<Quantity, std::string>>;
    const auto units = [](const Columns& columns) {
        const std::optional<Units> found = units_of_header(columns);
        return found ? found->force + "," + found->length : std::string("none");
    };
    EXPECT_EQ(units({{Quantity::Length, "cm"}, {Quantity::Area, "cm²"}, {Quantity::Force, "kg"}}), "kg,cm");
    EXPECT_EQ(units({{Quantity::Length, "mm"}, {Quantity::Strength, "N/mm2"}, {Quantity::Length, ""}}), "N,mm");
    EXPECT_EQ(units({{Quantity::Area, "m^2"}, {Quantity::Force, "kN"}}), "kN,m");
    EXPECT_EQ(units({{Quantity::Length, "cm"}, {Quantity::Length, "mm"}, {Quantity::Force, "N"}}), "none");
    EXPECT_EQ(units({{Quantity::Length, "cm"}, {Quantity::Strength, "kg/mm²"}}), "none");
    EXPECT_EQ(units({{Quantity::Length, "cm"}}), "none");
    EXPECT_EQ(units({{Quantity::Force, "t"}, {Quantity::Length, "cm"}}), "none");
    EXPECT_EQ(units({{Quantity::Strength, "kg cm"}, {Quantity::Force, "kg"}}), "none");
}

TEST(SectionMaterialsRead, GiveTheValuesInTheDeclaredUnitsWithTheirDerivation)
{
    const MaterialTexts texts{"C25/30", "B450C", "3Ø20+2Ø16", "2Ø12"};
    const Reading<SectionMaterials> metric = read_materials(texts, kNewtonMillimetre, ',');
    ASSERT_TRUE(metric) << metric.refusal;
    EXPECT_EQ(metric->derivations(),
              (std::vector<std::string>{
                  "fcd = αcc · fck / γc = 0,85 · 25 / 1,5 = 14,16667 N/mm² (C25/30, NTC 2018 §4.1.2.1.1.1)",
                  "fsd = fyd = fyk / γs = 450 / 1,15 = 391,3043 N/mm² (B450C, NTC 2018 §4.1.2.1.1.3)",
                  "As = 3Ø20+2Ø16 = 1344,602 mm²", "As' = 2Ø12 = 226,1947 mm²"}));
    EXPECT_DOUBLE_EQ(metric->fcd->value, 0.85 * 25 / 1.5);
    EXPECT_DOUBLE_EQ(metric->As->value, 1344.602);  // as written, to seven digits
    const Reading<SectionMaterials> technical = read_materials(texts, kKilogramCentimetre, '.');
    ASSERT_TRUE(technical);
    EXPECT_NEAR(technical->fcd->value, 144.4598, 5e-5);
    EXPECT_NEAR(technical->fsd->value, 3990.194, 5e-4);
    EXPECT_DOUBLE_EQ(technical->As1->value, 2.261947);
    EXPECT_EQ(technical->derivations()[0],
              "fcd = αcc · fck / γc = 0.85 · 25 / 1.5 = 14.16667 N/mm² = 144.4598 kg/cm² (C25/30, NTC 2018 "
              "§4.1.2.1.1.1)");
    EXPECT_EQ(texts_of(*technical).tension, "3Ø20+2Ø16");
}

TEST(SectionMaterialsRead, RefuseWithoutUnitsAndNameTheFirstPartThatDoesNotRead)
{
    EXPECT_EQ(read_materials({"", "", "4Ø16", ""}, std::nullopt, ',').refusal, kUnitsNeeded);
    EXPECT_TRUE(read_materials({}, std::nullopt, ','));  // numbers only need no units
    EXPECT_EQ(read_materials({"C25/30", "B500", "", ""}, kNewtonMillimetre, ',').refusal,
              "acciaio non riconosciuto: «B500» (B450C o B450A)");
    EXPECT_EQ(read_materials({"", "", "4Ø16", "2x12"}, kNewtonMillimetre, ',').refusal,
              "As' «2x12»: non si legge «x12» dopo 2; le barre si scrivono come 4Ø16 o 3Ø20+2Ø16");
    EXPECT_TRUE(reads_as_material(section_inputs::Input::Fcd, "C70/85"));
    EXPECT_FALSE(reads_as_material(section_inputs::Input::B, "4Ø16"));
    EXPECT_FALSE(reads_as_material(section_inputs::Input::As, "abc"));
}

}  // namespace
