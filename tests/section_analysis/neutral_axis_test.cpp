#include "section_analysis/neutral_axis.hpp"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sections.hpp"

namespace {

using section_analysis::Calc_Bounds;
using section_analysis::Calc_Mu;
using section_analysis::Calc_NM;
using section_analysis::Domain;
using section_analysis::SectionState;
using section_analysis::SolveResult;
using section_analysis::Trial;

struct Solved {
    SolveResult result;
    std::vector<Domain> domains;
    SectionState section;
};

Solved solve(const sections::Geometry& g, float Nd)
{
    Solved run;
    run.section = sections::make(g, Nd);
    run.result = Calc_Mu(run.section, [&](const Trial& t) { run.domains.push_back(t.domain); });
    return run;
}

struct RunCase : sections::NamedCase {
    sections::Geometry g;
    float Nd;
    int evaluations;
    std::vector<Domain> domains;  // empty: not checked
    float Yc, Yc_tolerance;
    float Mu, Mu_tolerance;
    bool bisected;
};

class SolverRun : public testing::TestWithParam<RunCase> {};

TEST_P(SolverRun, ConvergesToTheNeutralAxisAndTheMoment)
{
    const RunCase& c = GetParam();
    const Solved run = solve(c.g, c.Nd);
    EXPECT_EQ(run.result.evaluations, c.evaluations);
    if (!c.domains.empty()) {
        EXPECT_EQ(run.domains, c.domains);
    }
    EXPECT_NEAR(run.result.Yc, c.Yc, c.Yc_tolerance);
    EXPECT_NEAR(run.result.Mu, c.Mu, c.Mu_tolerance);
    EXPECT_EQ(run.result.bisected, c.bisected);
    // The result is the last evaluation, which the section keeps.
    EXPECT_EQ(run.section.Mu, run.result.Mu);
}

constexpr Domain D1 = Domain::One, D2 = Domain::Two, D3 = Domain::Three, D5 = Domain::Five;
const float kBeamCapacity = sections::capacity(sections::kBeam);
const float kBeamSteel = -sections::steel_limit(sections::kBeam);

// Name, section, Nd, evaluations, domains, Yc and tolerance, Mu and tolerance, bisected.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Sections, SolverRun,
    testing::Values(
        RunCase{"beam_pure_bending", sections::kBeam, 0, 5, {D3, D2, D2, D2, D2}, 7.93f, 0.005f, 1.43e6f, 0.005e6f, false},
        RunCase{"beam_at_0_3_capacity", sections::kBeam, 0.3f * kBeamCapacity, 3, {D3, D3, D3}, 25.0f, 0.05f, 2.06e6f, 0.005e6f, false},
        RunCase{"beam_at_capacity", sections::kBeam, kBeamCapacity, 6, {D3, D5, D5, D5, D5, D5}, 53.6f, 0.05f, 6.99e5f, 0.005e5f, false},
        RunCase{"beam_in_tension_0_9_steel", sections::kBeam, -0.9f * kBeamSteel, 4, {D3, D1, D1, D1}, -1.82f, 0.005f, 4.62e5f, 0.005e5f, false},
        RunCase{"mended_slab_stretched_layer_pulls", sections::kSlab, 0, 5, {D3, D2, D2, D2, D2}, 3.46332f, 0.000005f, 275221.4f, 0.05f, false},
        RunCase{"mended_column_division_by_zero_bisected", sections::kColumn, -60000, 13, {}, -0.712f, 0.04f, 9.74e4f, 0.05e4f, true},
        RunCase{"mended_column_N_mm_division_by_zero_bisected", sections::kColumnNmm, -720000, 13, {}, -26.99f, 0.4f, 4.22e7f, 0.005e7f, true}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(PureBending, EndsNearButNotAtEquilibrium)
{
    const Solved run = solve(sections::kBeam, 0);
    // Convergence judges the step, not the residual.
    EXPECT_NEAR(run.section.N, -54, 1);
}

TEST(BeamSweep, EveryWholeAxialForceFromTheSteelLimitToTheCapacityConverges)
{
    int most = 0;
    for (float Nd = std::floor(-kBeamSteel) + 1; Nd <= kBeamCapacity; Nd += 1) {
        SectionState s = sections::make(sections::kBeam, Nd);
        const SolveResult r = Calc_Mu(s);
        most = std::max(most, r.evaluations);
        ASSERT_FALSE(r.bisected) << "Nd = " << Nd;
    }
    EXPECT_LE(most, 6);
}

TEST(UnitsChangeNothing, TheBeamInMillimetresIsTenTimesLarger)
{
    const sections::Geometry cm = sections::kColumn;
    const sections::Geometry mm{cm.b * 10,    cm.h * 10,    cm.c * 10,   cm.As * 100,
                                cm.As1 * 100, cm.fsd / 100, cm.fcd / 100};
    for (float Nd : {0.0f, 50000.0f, -30000.0f, 150000.0f}) {
        const SolveResult r_cm = solve(cm, Nd).result;
        const SolveResult r_mm = solve(mm, Nd).result;
        EXPECT_NEAR(r_mm.Yc, 10 * r_cm.Yc, 0.002 * mm.h) << "Nd = " << Nd;
        EXPECT_NEAR(r_mm.Mu, 10 * r_cm.Mu, 0.002 * std::fabs(10 * r_cm.Mu)) << "Nd = " << Nd;
    }
}

TEST(MendedSteelModulus, TheColumnInNewtonsAgreesWithKilogramsForce)
{
    // 400 x 400 column at Nd = 0.6 b h fcd; 1 kgf = 10 N (to 2 %), 1 cm = 10 mm.
    const sections::Geometry Nmm{400, 400, 40, 1257, 1257, 391.3f, 14.17f};
    const sections::Geometry kgcm{40, 40, 4, 12.57f, 12.57f, 3913, 141.7f};
    const float Nd_N = 0.6f * sections::capacity(Nmm);
    const SolveResult in_N = solve(Nmm, Nd_N).result;
    const SolveResult in_kgf = solve(kgcm, Nd_N / 10).result;
    EXPECT_NEAR(in_N.Mu, 100 * in_kgf.Mu, 0.002 * in_N.Mu);
}

// Runs that cannot give a result end with their own error.
TEST(TensionBeyondSteel, IsRefusedWithTheLimit)
{
    for (float Nd : {-1.2f * kBeamSteel, -49561.0f}) {
        SectionState s = sections::make(sections::kBeam, Nd);
        try {
            Calc_Mu(s);
            FAIL() << "Nd = " << Nd << " solved";
        } catch (const section_analysis::TensionBeyondSteel& e) {
            EXPECT_EQ(e.limit(), -49560);
        }
    }
    SectionState at_limit = sections::make(sections::kBeam, -49560);
    EXPECT_NO_THROW(Calc_Mu(at_limit));
}

struct BrokenCase : sections::NamedCase {
    void (*spoil)(SectionState&);
};

class BrokenPrecondition : public testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenPrecondition, EndsWithoutAResult)
{
    SectionState s = sections::make(sections::kBeam);
    s.Mu = 12345;  // a stale result must never come back
    GetParam().spoil(s);
    EXPECT_THROW(Calc_Mu(s), section_analysis::BrokenPrecondition);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, BrokenPrecondition,
    testing::Values(BrokenCase{"negative_height", [](SectionState& s) { s.H = -50; }},
                    BrokenCase{"zero_width", [](SectionState& s) { s.B = 0; }},
                    BrokenCase{"negative_steel_area", [](SectionState& s) { s.As1 = -5; }},
                    BrokenCase{"zero_concrete_strength", [](SectionState& s) { s.Fcd = 0; }},
                    BrokenCase{"cover_equal_to_height", [](SectionState& s) { s.D1 = 50; }},
                    BrokenCase{"no_effective_depth", [](SectionState& s) { s.D = 0; }},
                    BrokenCase{"width_not_a_number", [](SectionState& s) { s.B = NAN; }},
                    BrokenCase{"infinite_axial_force", [](SectionState& s) { s.Nd = -INFINITY; }},
                    BrokenCase{"axial_force_above_capacity",
                               [](SectionState& s) { s.Nd = std::nextafter(kBeamCapacity, INFINITY); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArithmeticFault, AnOverflowingSectionIsAbandoned)
{
    SectionState s = sections::make({3e37f, 3e37f, 3.5f, 10, 5, 3304, 110});
    try {
        Calc_Mu(s);
        FAIL() << "solved";
    } catch (const section_analysis::ArithmeticFault& fault) {
        EXPECT_EQ(fault.kind(), section_analysis::FaultKind::Overflow);
    }
}

}  // namespace
