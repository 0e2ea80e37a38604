#include "section_analysis/strain_domains.hpp"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "section_analysis/errors.hpp"
#include "sections.hpp"

namespace {

using section_analysis::Calc_Bounds;
using section_analysis::Calc_NM;
using section_analysis::Domain;
using section_analysis::DomainBounds;
using section_analysis::SectionState;
using section_analysis::Trial;

Trial evaluate(const sections::Geometry& g, float x)
{
    SectionState s = sections::make(g);
    return Calc_NM(s, x, Calc_Bounds(s));
}

float above(float x)
{
    return std::nextafter(x, INFINITY);
}

TEST(DomainBoundsOfBeam, AreTheYieldStrainAndTheTwoDepths)
{
    const DomainBounds b = Calc_Bounds(sections::make(sections::kBeam));
    EXPECT_EQ(b.Es, 2100000);
    EXPECT_NEAR(b.eps_yd, 1.573e-3, 0.001e-3);
    EXPECT_NEAR(b.x23, 12.06, 0.01);
    EXPECT_NEAR(b.x34, 32.08, 0.01);
}

// Each bound is inclusive and the earlier test wins.
struct BoundCase : sections::NamedCase {
    float (*depth)(const DomainBounds&, const SectionState&);
    Domain domain;
};

class DomainOfBeam : public testing::TestWithParam<BoundCase> {};

TEST_P(DomainOfBeam, IsChosenByTheFirstBoundThatHolds)
{
    SectionState s = sections::make(sections::kBeam);
    const DomainBounds bounds = Calc_Bounds(s);
    const float x = GetParam().depth(bounds, s);
    EXPECT_EQ(Calc_NM(s, x, bounds).domain, GetParam().domain) << "x = " << x;
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, DomainOfBeam,
    testing::Values(BoundCase{"beyond_compressed_edge", [](auto&, auto&) { return -5.0f; }, Domain::One},
                    BoundCase{"just_beyond_edge", [](auto&, auto&) { return -1e-30f; }, Domain::One},
                    BoundCase{"on_compressed_edge", [](auto&, auto&) { return 0.0f; }, Domain::Two},
                    BoundCase{"at_x23", [](auto& b, auto&) { return b.x23; }, Domain::Two},
                    BoundCase{"above_x23", [](auto& b, auto&) { return above(b.x23); }, Domain::Three},
                    BoundCase{"at_x34", [](auto& b, auto&) { return b.x34; }, Domain::Three},
                    BoundCase{"above_x34", [](auto& b, auto&) { return above(b.x34); }, Domain::Four},
                    BoundCase{"at_effective_depth", [](auto&, auto& s) { return s.D; }, Domain::Four},
                    BoundCase{"above_effective_depth", [](auto&, auto& s) { return above(s.D); },
                              Domain::FourA},
                    BoundCase{"at_height", [](auto&, auto& s) { return s.H; }, Domain::FourA},
                    BoundCase{"beyond_height", [](auto&, auto& s) { return above(s.H); }, Domain::Five}),
    [](const auto& info) { return std::string(info.param.name); });

// One quantity of one trial, from the worked example's figures.
struct QuantityCase : sections::NamedCase {
    sections::Geometry g;
    float x;
    Domain domain;
    float Trial::*quantity;
    double expected, tolerance;
};

class TrialQuantity : public testing::TestWithParam<QuantityCase> {};

TEST_P(TrialQuantity, IsWhatTheModelGives)
{
    const QuantityCase& c = GetParam();
    const Trial t = evaluate(c.g, c.x);
    EXPECT_EQ(t.domain, c.domain);
    EXPECT_NEAR(t.*c.quantity, c.expected, c.tolerance);
}

constexpr sections::Geometry kBeam = sections::kBeam, kSlab = sections::kSlab;
constexpr Domain D1 = Domain::One, D2 = Domain::Two, D3 = Domain::Three, D4 = Domain::Four, D4a = Domain::FourA,
                 D5 = Domain::Five;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Domains, TrialQuantity, testing::Values(
    // Domain 1: both layers yielded, N and Mu no longer depend on x.
    QuantityCase{{"beam_beyond_edge_N_is_all_steel"}, kBeam, -5, D1, &Trial::N, -49560, 0.01},
    QuantityCase{{"beam_beyond_edge_Mu"}, kBeam, -5, D1, &Trial::Mu, 355180, 0.1},
    QuantityCase{{"beam_far_beyond_edge_same_N"}, kBeam, -5000, D1, &Trial::N, -49560, 0.01},
    QuantityCase{{"beam_far_beyond_edge_same_Mu"}, kBeam, -5000, D1, &Trial::Mu, 355180, 0.1},
    QuantityCase{{"beam_just_beyond_edge_N_meets_domain_2"}, kBeam, -1e-6f, D1, &Trial::N, -40943.0, 1},
    // Domain 2 on the edge: no concrete, the compression layer stretched and elastic.
    QuantityCase{{"beam_on_edge_no_concrete"}, kBeam, 0, D2, &Trial::Acc, 0, 0},
    QuantityCase{{"beam_on_edge_layer_stretched"}, kBeam, 0, D2, &Trial::eps_s1, -7.527e-4, 0.001e-4},
    QuantityCase{{"beam_on_edge_layer_pulls_elastically"}, kBeam, 0, D2, &Trial::sigma_s1, -1580.6, 0.1},
    QuantityCase{{"beam_on_edge_N"}, kBeam, 0, D2, &Trial::N, -40943.0, 1},
    // At the cover the layer carries nothing: N = fcd 0.8 c b - As fsd.
    QuantityCase{{"beam_at_cover_no_strain"}, kBeam, 3.5f, D2, &Trial::sigma_s1, 0, 0},
    QuantityCase{{"beam_at_cover_N"}, kBeam, 3.5f, D2, &Trial::N, -23800, 0.01},
    QuantityCase{{"beam_at_effective_depth_tension_layer_idle"}, kBeam, 46.5f, D4, &Trial::sigma_s, 0, 0},
    QuantityCase{{"beam_at_height_block_factor"}, kBeam, 50, D4a, &Trial::psi, 0.8f, 0},
    QuantityCase{{"beam_at_height_centroid_factor"}, kBeam, 50, D4a, &Trial::lambda, 0.4f, 0},
    // Domain 5: the block grows towards the whole height, the tension layer is compressed.
    QuantityCase{{"beam_beyond_height_block_factor"}, kBeam, 60, D5, &Trial::psi, 8.0 / 9, 1e-7},
    QuantityCase{{"beam_beyond_height_centroid_factor"}, kBeam, 60, D5, &Trial::lambda, 4.0 / 9, 1e-7},
    QuantityCase{{"beam_beyond_height_tension_layer_shortened"}, kBeam, 60, D5, &Trial::eps_s, 7.0e-4, 0.001e-4},
    QuantityCase{{"beam_deep_negative_moment"}, kBeam, 100, D5, &Trial::Mu, -1.01e5, 0.01e5},
    // Mended: a stretched compression-layer bar pulls, in domain 2 beyond yield too.
    QuantityCase{{"mended_slab_stretched_beyond_yield"}, kSlab, 3, D2, &Trial::eps_s1, -1.667e-3, 0.001e-3},
    QuantityCase{{"mended_slab_pulls_at_fsd"}, kSlab, 3, D2, &Trial::sigma_s1, -3304, 0},
    QuantityCase{{"mended_slab_pulls_elastically"}, kSlab, 3.2f, D2, &Trial::sigma_s1, -3200, 5},
    QuantityCase{{"mended_slab_above_cover_in_domain_3"}, kSlab, 4, D3, &Trial::eps_s1, -8.75e-4, 1e-9},
    QuantityCase{{"mended_slab_pulls_in_domain_3"}, kSlab, 4, D3, &Trial::sigma_s1, -1837.5, 0.01}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// N(x) must not jump anywhere; the unmended model jumped at x23 and at d.
struct ContinuityCase : sections::NamedCase {
    sections::Geometry g;
};

class ContinuityOfN : public testing::TestWithParam<ContinuityCase> {};

TEST_P(ContinuityOfN, HoldsOnAFineGridAndAcrossEveryBound)
{
    const sections::Geometry& g = GetParam().g;
    SectionState s = sections::make(g);
    const DomainBounds bounds = Calc_Bounds(s);
    // Largest change of N worth a jump: 1 % of the section's full range.
    const double range = static_cast<double>(g.b) * g.h * g.fcd + (g.As + g.As1) * g.fsd;
    const double jump = 0.01 * range;

    const int steps = 30000;
    float previous = Calc_NM(s, -g.h, bounds).N;
    for (int i = 1; i <= steps; ++i) {
        const float x = -g.h + 3 * g.h * i / steps;
        const float N = Calc_NM(s, x, bounds).N;
        ASSERT_LT(std::fabs(N - previous), jump) << "between x = " << x - 3 * g.h / steps << " and " << x;
        previous = N;
    }
    for (float bound : {0.0f, bounds.x23, bounds.x34, s.D, s.H}) {
        const float below = Calc_NM(s, std::nextafter(bound, -INFINITY), bounds).N;
        const float at = Calc_NM(s, bound, bounds).N;
        const float beyond = Calc_NM(s, above(bound), bounds).N;
        EXPECT_NEAR(below, at, 1e-4 * range) << "at x = " << bound;
        EXPECT_NEAR(beyond, at, 1e-4 * range) << "at x = " << bound;
    }
}

INSTANTIATE_TEST_SUITE_P(Sections, ContinuityOfN,
                         testing::Values(ContinuityCase{"beam_30x50", sections::kBeam},
                                         ContinuityCase{"slab_strip_100x20", sections::kSlab},
                                         ContinuityCase{"column_400x400_N_mm", sections::kColumnNmm},
                                         ContinuityCase{"cover_beyond_half_height",
                                                        {30, 20, 12, 10, 5, 3304, 110}}),
                         [](const auto& info) { return std::string(info.param.name); });

// Every formula is evaluated in double from stored singles and rounded once.
// These bits were checked against that rule; arithmetic in float (the lever
// arm h/2 - c, say) changes the last bit of N or Mu at several depths.
TEST(OneRoundingPerQuantity, GivesTheseExactSingles)
{
    struct Golden {
        float x, N, Mu;
    };
    const Golden rows[] = {
        {-7.3f, -0x1.aff562p+15f, 0x1.9d0f72p+18f},  // domain 1
        {0.9f, -0x1.33223cp+15f, 0x1.86d9a6p+19f},   // domain 2
        {5.1f, -0x1.e1ee32p+13f, 0x1.4e144p+20f},    // domain 2
        {13.7f, 0x1.e1438ap+14f, 0x1.1a1f4p+21f},    // domain 3
        {21.3f, 0x1.c5ff28p+15f, 0x1.444b82p+21f},   // domain 3
        {29.9f, 0x1.5bb7c8p+16f, 0x1.5b923ap+21f},   // domain 3
        {37.1f, 0x1.f5a5b2p+16f, 0x1.352f82p+21f},   // domain 4
        {45.3f, 0x1.551a14p+17f, 0x1.df1824p+20f},   // domain 4
        {51.1f, 0x1.8e9d8cp+17f, 0x1.72477p+20f},    // domain 4a
        {58.7f, 0x1.c8ab06p+17f, 0x1.da4f4ep+19f},   // domain 5
        {77.7f, 0x1.fe288ap+17f, 0x1.6fed62p+18f},   // domain 5
    };
    SectionState s = sections::make({31.7f, 53.3f, 3.7f, 9.42f, 4.71f, 3913, 141.7f});
    s.D = 49.6f;
    const DomainBounds bounds = Calc_Bounds(s);
    for (const Golden& row : rows) {
        const Trial t = Calc_NM(s, row.x, bounds);
        EXPECT_EQ(t.N, row.N) << "x = " << row.x;
        EXPECT_EQ(t.Mu, row.Mu) << "x = " << row.x;
    }
}

TEST(ArithmeticFaultInEvaluation, OverflowOfTheMomentIsRefused)
{
    SectionState s = sections::make({3e30f, 3e30f, 1, 10, 5, 3304, 110});
    const DomainBounds bounds = Calc_Bounds(s);
    try {
        Calc_NM(s, 1e30f, bounds);
        FAIL() << "no fault";
    } catch (const section_analysis::ArithmeticFault& fault) {
        EXPECT_EQ(fault.kind(), section_analysis::FaultKind::Overflow);
    }
}

}  // namespace
