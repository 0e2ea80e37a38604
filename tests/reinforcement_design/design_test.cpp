// SPDX-License-Identifier: GPL-3.0-or-later
// The least reinforcement against sections whose answer is known, the
// answer's check, a verdict that turns back with As, the refusals, and the
// bars proposed for an area.
#include <gtest/gtest.h>

#include <cmath>

#include "reinforcement_design/bar_sets.hpp"
#include "reinforcement_design/least_reinforcement.hpp"

namespace {

using namespace reinforcement_design;
using section_inputs::Input;
using section_inputs::index;

// The worked beam without its tension steel, in kg and cm.
DesignRequest beam(CompressionSteel compression, std::vector<runs::PlottedCombination> combinations)
{
    DesignRequest request;
    request.values[index(Input::B)] = 30;
    request.values[index(Input::H)] = 50;
    request.values[index(Input::D1)] = 3.5;
    request.values[index(Input::Fcd)] = 110;
    request.values[index(Input::Fsd)] = 3304;
    request.compression = compression;
    request.combinations = std::move(combinations);
    return request;
}

runs::PlottedCombination combination(float Nd, float Md, const char* name = "SLU")
{
    return {Nd, Md, false, 0, name};
}

const CompressionSteel kFive{CompressionSteel::Kind::Fixed, 5}, kNone{CompressionSteel::Kind::Fixed, 0};

TEST(LeastReinforcement, IsTheDossiersAsGivenItsExactMoment)
{
    // The exact Mu of As = 10 at Nd 49 500 (case 2) and in pure bending (case 1).
    for (const auto& [Nd, Md] : {std::pair{49500.0f, 2055640.0f}, std::pair{0.0f, 1427527.0f}}) {
        const Design design = least_reinforcement(beam(kFive, {combination(Nd, Md)}), '.');
        ASSERT_TRUE(design.least) << design.refusal;
        EXPECT_NEAR(design.least->As, 10, 10 * 1e-5) << Nd;
        EXPECT_EQ(design.least->As1, 5);
        EXPECT_EQ(design.governs, "la combinazione «SLU»");
    }
}

TEST(LeastReinforcement, HoldsAndALittleLessDoesNot)
{
    const DesignRequest request =
        beam({CompressionSteel::Kind::Ratio, 1},
             {combination(0, 1000000, "SLU 1"), combination(100000, -1500000, "SLU 2"), combination(120000, 1800000, "SLU 3")});
    const Design design = least_reinforcement(request, '.');
    ASSERT_TRUE(design.least);
    EXPECT_TRUE(design.least->holds());
    EXPECT_EQ(design.least->As1, design.least->As);  // symmetric
    const Trial less = trial(request, design.least->As * (1 - 1e-5), '.');
    EXPECT_FALSE(less.holds());
    EXPECT_EQ(design.governs.rfind("la combinazione «SLU", 0), 0u) << design.governs;
    EXPECT_FLOAT_EQ(design.least->worst_ratio().value_or(0), 1);
}

TEST(LeastReinforcement, NeverPassesTheFirstAsThatHoldsWhereTheVerdictTurnsBack)
{
    // With no As' at Nd 150 000, MuRd+ falls as As grows: the second
    // combination holds only up to an As, the first only from one.
    const DesignRequest request = beam(kNone, {combination(0, 600000, "flessione"), combination(150000, 320000, "pressoflessione")});
    const Design design = least_reinforcement(request, '.');
    ASSERT_TRUE(design.least) << design.refusal;
    const double answer = design.least->As;
    EXPECT_TRUE(trial(request, answer, '.').holds());
    EXPECT_FALSE(trial(request, 30, '.').holds()) << "the verdict turns back";
    // A fine scan below the answer finds nothing that holds.
    for (double As = 0.01; As < answer * (1 - 1e-5); As += answer / 2000)
        ASSERT_FALSE(trial(request, As, '.').holds()) << As;
    EXPECT_EQ(design.governs, "la combinazione «flessione»");
}

TEST(LeastReinforcement, RefusesWithWhatWouldHelp)
{
    EXPECT_EQ(least_reinforcement(beam(kFive, {combination(170000, 0, "SLU 9")}), '.').refusal,
              "la combinazione «SLU 9» ha Nd = 170000 oltre la capacità Nu = b·h·fcd = 165000: aumentare b, h o fcd");
    EXPECT_EQ(least_reinforcement(beam(kNone, {combination(0, -500000, "SLU 4")}), '.').refusal,
              "con As' fissa = 0 la combinazione «SLU 4», con Md negativo, non si verifica con nessuna As: usare "
              "--rapporto o --simmetrica");
    const Design too_small = least_reinforcement(beam(kFive, {combination(0, 90000000, "SLU 5")}), '.');
    EXPECT_FALSE(too_small.least);
    EXPECT_EQ(too_small.refusal, "la sezione non basta: aumentare b o h (con As = 1500 la combinazione «SLU 5» non è "
                                 "ancora verificata)");
    EXPECT_EQ(too_small.greatest, 1500);  // b·h without the rules
    DesignRequest broken = beam(kFive, {combination(0, 1000)});
    broken.values[index(Input::H)] = 3;  // below the cover
    EXPECT_EQ(least_reinforcement(broken, '.').refusal, "valore dell'altezza utile 'd' non corretto");
}

TEST(LeastReinforcement, WithTheClassesAKnownRuleCanGovern)
{
    DesignRequest request = beam(kFive, {combination(0, 100000, "SLU 6")});
    request.materials.concrete = *materials::concrete_class("C25/30");
    request.materials.steel = *materials::steel_grade("B450C");
    request.units = materials::Units{"kg", "cm"};
    const Design design = least_reinforcement(request, ',');
    ASSERT_TRUE(design.least);
    EXPECT_EQ(design.governs, "la regola As ≥ As,min (NTC 2018 §4.1.6.1.1)");
    EXPECT_NEAR(design.least->As, 0.001481979 * 30 * 46.5, 1e-5);
    EXPECT_EQ(design.greatest, 60);  // 0,04 · Ac
}

TEST(BarSets, LeastAreaFirstThenFewestBarsFromAdjacentDiameters)
{
    const BarProposals proposals = bar_sets(567.8478, 300, 35, {25, 12, 14, 16, 20});
    std::vector<std::string> written;
    for (const BarSet& set : proposals.sets) {
        written.push_back(materials::written(set.bars));
        EXPECT_GE(set.area, 567.8478);
        EXPECT_GE(set.count, 2);
    }
    EXPECT_EQ(written, (std::vector<std::string>{"3Ø14+1Ø12", "3Ø16", "1Ø14+4Ø12"}));
    EXPECT_NEAR(proposals.sets[0].area, 574.9115, 1e-4);
    EXPECT_TRUE(proposals.two_layers.empty());
    // Two bars at least, even where one would do.
    EXPECT_EQ(materials::written(bar_sets(100, 300, 35, {20}).sets[0].bars), "2Ø20");
}

TEST(BarSets, ASetThatDoesNotFitInOneLayerIsLeftOutAndSaid)
{
    // 200 wide, centres 40 from the sides: 120 mm for the centres.
    const BarProposals proposals = bar_sets(1200, 200, 40, {20, 25});
    std::vector<std::string> written;
    for (const BarSet& set : proposals.sets) {
        written.push_back(materials::written(set.bars));
        int largest = 0;
        for (const materials::BarGroup& group : set.bars)
            largest = std::max(largest, group.diameter);
        EXPECT_GE(120.0 / (set.count - 1) - largest, std::max(largest, 20)) << written.back();
    }
    EXPECT_EQ(written, (std::vector<std::string>{"4Ø20", "2Ø25+1Ø20", "3Ø25"}));  // 4Ø20: a clear 20 mm, just enough
    EXPECT_EQ(proposals.two_layers, (std::vector<std::string>{"1Ø25+3Ø20 non sta in uno strato: servirebbero due strati"}));
    // Where nothing fits, nothing is proposed, and each set left out is said.
    const BarProposals none = bar_sets(1500, 200, 40, {20, 25});
    EXPECT_TRUE(none.sets.empty());
    EXPECT_FALSE(none.two_layers.empty());
}

}  // namespace
