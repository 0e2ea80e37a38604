// SPDX-License-Identifier: GPL-3.0-or-later
// The section model and its solver, against the figures of the worked examples.
#include <cmath>

#include <gtest/gtest.h>

#include "section_analysis/neutral_axis.hpp"
#include "section_analysis/resistance_domain.hpp"
#include "section_analysis/single_store.hpp"

namespace {

using namespace section_analysis;

struct Geometry {
    float b, h, c, As, As1, fsd, fcd;
};

constexpr Geometry kBeam{30, 50, 3.5f, 10, 5, 3304, 110};  // 30 x 50, kgf and cm: the README's example

SectionState make(const Geometry& g, float Nd = 0)
{
    return {g.b, g.h, g.c, g.h - g.c, g.As, g.As1, g.fsd, g.fcd, Nd};
}

const auto above = [](float x) { return std::nextafter(x, INFINITY); };

TEST(DomainsOfBeam, EachBoundIsInclusiveAndTheShallowerDomainWins)
{
    SectionState s = make(kBeam);
    const DomainBounds b = Calc_Bounds(s);
    EXPECT_EQ(b.Es, 2100000);
    EXPECT_NEAR(b.eps_yd, 1.573e-3, 0.001e-3);
    EXPECT_NEAR(b.x23, 12.06, 0.01);
    EXPECT_NEAR(b.x34, 32.08, 0.01);
    // Es follows the units of fsd: the power of ten that puts fsd / Es in [0.0007, 0.007).
    for (const auto& [fsd, Es] : {std::pair{1470.0f, 2100000.0},
                                  {1469.0f, 210000.0},
                                  {14699.0f, 2100000.0},
                                  {14700.0f, 21000000.0},
                                  {391.3f, 210000.0},
                                  {324000.0f, 210000000.0}})
        EXPECT_EQ(Calc_Bounds(make({30, 50, 3.5f, 10, 5, fsd, 110})).Es, Es) << "fsd = " << fsd;
    // clang-format off
    const std::pair<float, Domain> rows[] = {
        {-1e-30f, Domain::One}, {0, Domain::Two}, {b.x23, Domain::Two}, {above(b.x23), Domain::Three},
        {b.x34, Domain::Three}, {above(b.x34), Domain::Four}, {s.D, Domain::Four}, {above(s.D), Domain::FourA},
        {s.H, Domain::FourA}, {above(s.H), Domain::Five}};
    // clang-format on
    for (const auto& [x, domain] : rows)
        EXPECT_EQ(Calc_NM(s, x, b).domain, domain) << "x = " << x;
}

// Every formula is evaluated in double from stored singles and rounded once:
// arithmetic in float (the lever arm h/2 - c, say) changes the last bit of N
// or Mu at several of these depths, one or two in each domain.
TEST(OneRoundingPerQuantity, GivesTheseExactSingles)
{
    const float rows[][3] = {
        {-7.3f, -0x1.aff562p+15f, 0x1.9d0f72p+18f}, {0.9f, -0x1.33223cp+15f, 0x1.86d9a6p+19f},
        {5.1f, -0x1.e1ee32p+13f, 0x1.4e144p+20f},   {13.7f, 0x1.e1438ap+14f, 0x1.1a1f4p+21f},
        {21.3f, 0x1.c5ff28p+15f, 0x1.444b82p+21f},  {29.9f, 0x1.5bb7c8p+16f, 0x1.5b923ap+21f},
        {37.1f, 0x1.f5a5b2p+16f, 0x1.352f82p+21f},  {45.3f, 0x1.551a14p+17f, 0x1.df1824p+20f},
        {51.1f, 0x1.8e9d8cp+17f, 0x1.72477p+20f},   {58.7f, 0x1.c8ab06p+17f, 0x1.da4f4ep+19f},
        {77.7f, 0x1.fe288ap+17f, 0x1.6fed62p+18f},
    };
    SectionState s = make({31.7f, 53.3f, 3.7f, 9.42f, 4.71f, 3913, 141.7f});
    s.D = 49.6f;
    const DomainBounds bounds = Calc_Bounds(s);
    for (const auto& [x, N, Mu] : rows) {
        EXPECT_EQ(Calc_NM(s, x, bounds).N, N) << "x = " << x;
        EXPECT_EQ(s.Mu, Mu) << "x = " << x;  // the section keeps what the trial gives
    }
}

TEST(SolverRuns, ConvergeToTheNeutralAxisAndTheMoment)
{
    const Geometry column{40, 40, 4, 10, 10, 3304, 110}, column_N_mm{400, 400, 40, 1257, 628, 391.3f, 14.17f};
    const Geometry metres_kN{0.3f, 0.5f, 0.035f, 10e-4f, 5e-4f, 324000, 10800};
    const Geometry N_mm{300, 500, 35, 1000, 500, 324, 10.8f}, steel_1e30{30, 50, 3.5f, 10, 5, 1e30f, 110};
    // clang-format off
    const std::tuple<const char*, Geometry, float, int, float, float, bool> rows[] = {
        // name, section, Nd, evaluations, Yc, Mu, bisected
        {"beam, pure bending", kBeam, 0, 5, 7.928331f, 1426430, false},
        {"beam at 0.3 of the capacity", kBeam, 49500, 3, 25.00758f, 2055640, false},
        {"beam at the capacity", kBeam, 165000, 6, 53.5583f, 699021, false},
        {"beam in tension, 0.9 of the steel", kBeam, -44604, 4, -1.821201f, 461760.8f, false},
        {"beam in metres and kN", metres_kN, 0, 5, 0.07881824f, 139.9081f, false},
        {"beam in N and mm", N_mm, 0, 5, 78.81824f, 139908080, false},
        {"mended: slab, stretched layer pulls", {100, 20, 5, 5, 5, 3304, 110}, 0, 5, 3.46332f, 275221.4f, false},
        {"mended: column, bisected at a flat residual", column, -60000, 13, -0.7117281f, 97404.34f, true},
        {"mended: column in N and mm, bisected", column_N_mm, -720000, 13, -26.99438f, 42169690, true},
        // The first trial alone brackets the root with the later ones, from either side.
        {"bisection from the first trial, above", steel_1e30, 0, 98, 32.18193f, 1.407263e32f, true},
        {"bisection from the first trial, below", steel_1e30, -1e31f, 96, 3.500689f, 2.150036e32f, true},
        {"domain 4a with a steel that yields late", {30, 50, 3.5f, 10, 5, 7000, 110}, 160000, 7, 47.26111f, 1466700.4f, false},
        {"the secant gives up after 50 evaluations", {81.8651962f, 31.3883324f, 17.6240082f, 8991.22656f, 0.30381301f, 3510.7981f, 5499.37305f}, -16518431, 57, 10.50721f, 3954650.5f, true},
        // Every trial short of Nd: the bracket is found by stepping beyond the deepest one.
        {"near the capacity, little steel", {71.8914185f, 95.4270248f, 15.0179224f, 1.0936383f, 0.288135141f, 507.915131f, 329.273376f}, 2257405.75f, 27, 5171.128f, 89822.39f, true},
    };
    // clang-format on
    for (const auto& [name, g, Nd, evaluations, Yc, Mu, bisected] : rows) {
        SectionState s = make(g, Nd);
        int seen = 0;
        float last_x = NAN;
        const SolveResult r = Calc_Mu(s, [&](const Trial& t) { ++seen, last_x = t.x; });
        EXPECT_EQ(r.evaluations, evaluations) << name;
        EXPECT_EQ(seen, evaluations) << name;
        EXPECT_NEAR(r.Yc, Yc, 1e-6 * std::fabs(Yc)) << name;  // as the window shows them, to 7 digits
        EXPECT_NEAR(r.Mu, Mu, 1e-6 * std::fabs(Mu)) << name;
        EXPECT_EQ(r.bisected, bisected) << name;
        EXPECT_EQ(r.Yc, last_x) << name;  // the result is the last evaluation, which the section keeps
        EXPECT_EQ(s.Mu, r.Mu) << name;
    }
}

TEST(Refusals, TensionBeyondTheSteelCarriesTheLimit)
{
    for (float Nd : {-1.2f * 49560, -49561.0f}) {
        SectionState s = make(kBeam, Nd);
        EXPECT_THROW(Calc_Mu(s), TensionBeyondSteel) << "Nd = " << Nd;
    }
    EXPECT_EQ(TensionBeyondSteel(-49560).limit(), -49560);
    SectionState at_limit = make(kBeam, -49560);  // at the limit, a result
    EXPECT_EQ(Calc_Mu(at_limit).evaluations, 4);
}

TEST(Refusals, ASectionTheSolverCannotComputeHasNoResult)
{
    const auto broken = [](float SectionState::*value, float spoilt) {
        SectionState s = make(kBeam);
        s.*value = spoilt;
        return s;
    };
    using S = SectionState;
    // clang-format off
    for (S s : {broken(&S::H, -50), broken(&S::B, 0), broken(&S::As, -10), broken(&S::As1, -5), broken(&S::Fsd, 0),
                broken(&S::Fcd, 0), broken(&S::D1, 0), broken(&S::D1, 50), broken(&S::D, 0), broken(&S::B, NAN),
                broken(&S::Nd, -INFINITY), broken(&S::Nd, above(165000))})
        EXPECT_THROW(Calc_Mu(s), BrokenPrecondition) << "b " << s.B << " h " << s.H << " c " << s.D1 << " Nd " << s.Nd;
    // clang-format on
}

// A value that is not a single is never stored: each kind of fault has its name.
TEST(ArithmeticFaults, AreNamedByTheirKind)
{
    const auto kind_of = [](auto step) {
        try {
            step();
        } catch (const ArithmeticFault& fault) {
            return fault.kind();
        }
        return FaultKind{-1};
    };
    EXPECT_EQ(kind_of([] { store(NAN); }), FaultKind::InvalidOperation);
    EXPECT_EQ(kind_of([] { store(-1e39); }), FaultKind::Overflow);
    EXPECT_EQ(kind_of([] { divide(1, 0); }), FaultKind::DivisionByZero);
    EXPECT_EQ(store(0x1.fffffep+127), 0x1.fffffep+127f);
    EXPECT_EQ(divide(1, 4), 0.25);
    SectionState huge = make({3e37f, 3e37f, 3.5f, 10, 5, 3304, 110});
    EXPECT_EQ(kind_of([&] { Calc_Mu(huge); }), FaultKind::Overflow);
}

TEST(ResistanceDomain, EachPointIsTheSolverAtItsForceOnItsBranch)
{
    const SectionState beam = make(kBeam);
    const float worked[] = {0, 49500, 165000, -44604};
    const std::vector<float> forces = domain_axial_forces(beam, 200, worked);
    ASSERT_EQ(forces.size(), 201u + 3);  // 165000 is an end already
    EXPECT_EQ(forces.front(), -49560);
    EXPECT_EQ(forces.back(), 165000);
    EXPECT_TRUE(std::is_sorted(forces.begin(), forces.end()));
    const std::vector<DomainPoint> points = resistance_domain(beam, forces);
    ASSERT_EQ(points.size(), 2 * forces.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const DomainPoint& point = points[i];
        const bool positive = i < forces.size();
        EXPECT_EQ(point.branch, positive ? Branch::Positive : Branch::Negative);
        EXPECT_EQ(point.Nd, forces[i % forces.size()]);
        SectionState s = positive ? beam : make({30, 50, 3.5f, 5, 10, 3304, 110});
        s.Nd = point.Nd;
        const SolveResult expected = Calc_Mu(s);
        ASSERT_TRUE(point.result) << "Nd = " << point.Nd;
        EXPECT_EQ(point.result->Mu, positive ? expected.Mu : -expected.Mu) << "Nd = " << point.Nd;
        EXPECT_EQ(point.result->Yc, expected.Yc) << "Nd = " << point.Nd;
    }
    // The README's table, on the positive branch.
    for (const auto& [Nd, Mu, Yc] : {std::tuple{0.0f, 1426430.0f, 7.928331f},
                                     {49500.0f, 2055640.0f, 25.00758f},
                                     {165000.0f, 699021.0f, 53.5583f},
                                     {-44604.0f, 461760.8f, -1.821201f}}) {
        const DomainPoint point = domain_point(beam, Branch::Positive, Nd);
        EXPECT_NEAR(point.result->Mu, Mu, 1e-6 * Mu);
        EXPECT_NEAR(point.result->Yc, Yc, 1e-6 * std::fabs(Yc));
    }
}

TEST(ResistanceDomain, OfASymmetricSectionHasMirrorBranchesAndNamesItsFailures)
{
    const SectionState column = make({40, 40, 4, 10, 10, 3304, 110});
    const std::vector<float> forces = domain_axial_forces(column, 50);
    const std::vector<DomainPoint> points = resistance_domain(column, forces);
    for (std::size_t i = 0; i < forces.size(); ++i)
        EXPECT_EQ(points[i].result->Mu, -points[i + forces.size()].result->Mu) << "Nd = " << forces[i];
    const DomainPoint beyond = domain_point(column, Branch::Negative, forces.back() * 2);
    EXPECT_FALSE(beyond.result);
    EXPECT_THROW(std::rethrow_exception(beyond.failure), BrokenPrecondition);
}

}  // namespace

// Sections with nearly all their steel at one edge: under tension, or near
// the capacity, both bounds of the domain have one sign.
constexpr Geometry kHeavyBottom{30, 50, 3.5f, 40, 1, 3304, 110};
constexpr Geometry kHeavyTop{30, 50, 3.5f, 0.01f, 40, 3304, 110};

TEST(Combinations, AreCheckedAgainstTheExactBoundsAtTheirForce)
{
    // Near the tension tip the solver's step leaves MuRd- at 6997.3: a
    // combination below 9202 would pass on it.
    const SectionState beam = make(kBeam);
    for (const auto& [Md, verdict] : {std::pair{8000.0f, Verdict::MomentOutsideBounds},
                                      {9300.0f, Verdict::Verified},
                                      {712000.0f, Verdict::Verified},
                                      {714000.0f, Verdict::MomentOutsideBounds}}) {
        const CombinationCheck check = check_combination(beam, -33468, Md);
        EXPECT_EQ(check.verdict, verdict) << "Md = " << Md;
        EXPECT_NEAR(*check.lower, 9202.04f, 0.01f);
        EXPECT_NEAR(*check.upper, 712985.8f, 0.1f);
        EXPECT_FALSE(check.ratio) << "no ratio where Md = 0 lies outside the domain";
    }
    const SectionState heavy_bottom = make(kHeavyBottom);
    for (const auto& [Md, verdict] : {std::pair{0.0f, Verdict::MomentOutsideBounds},
                                      {-500000.0f, Verdict::MomentOutsideBounds},
                                      {3000000.0f, Verdict::Verified},
                                      {3500000.0f, Verdict::MomentOutsideBounds}}) {
        const CombinationCheck check = check_combination(heavy_bottom, -105417.6f, Md);
        EXPECT_EQ(check.verdict, verdict) << "Md = " << Md;
        EXPECT_NEAR(*check.lower, 2124406.5f, 0.5f);
        EXPECT_NEAR(*check.upper, 3414315.2f, 0.5f);
    }
    // Near the capacity of the mirror section both bounds are positive.
    const SectionState top = make(kHeavyTop);
    EXPECT_EQ(check_combination(top, 165000, 0).verdict, Verdict::MomentOutsideBounds);
    EXPECT_EQ(check_combination(top, 165000, 24600).verdict, Verdict::Verified);
    EXPECT_EQ(check_combination(top, 165000, 3500243.5f).verdict, Verdict::Verified);
    EXPECT_EQ(check_combination(top, 165000, 3600000).verdict, Verdict::MomentOutsideBounds);
    EXPECT_EQ(check_combination(top, 165001, 100000).verdict, Verdict::AboveCapacity);
    EXPECT_EQ(check_combination(top, -135000, 0).verdict, Verdict::BeyondTensionLimit);
}

namespace {

// A bound is an equilibrium when Nd lies between the internal forces of the
// singles on either side of its depth (N grows with the depth), and its
// depth is the one of the two that misses Nd least. Returns the side of Nd
// its N lies on: -1 below, +1 above, 0 on it.
int expect_equilibrium(const SectionState& section, Branch branch, float Nd, float bound)
{
    const DomainPoint exact = exact_domain_point(section, branch, Nd);
    EXPECT_TRUE(exact.result) << "Nd = " << Nd;
    if (!exact.result) return 0;
    EXPECT_EQ(exact.result->Mu, bound);
    SectionState s = branch == Branch::Positive ? section : turned_over(section);
    const DomainBounds bounds = Calc_Bounds(s);
    const float x = exact.result->Yc;
    EXPECT_LE(Calc_NM(s, std::nextafter(x, -INFINITY), bounds).N, Nd) << "Nd = " << Nd;
    EXPECT_GE(Calc_NM(s, std::nextafter(x, INFINITY), bounds).N, Nd) << "Nd = " << Nd;
    const Trial at = Calc_NM(s, x, bounds);
    EXPECT_EQ(branch == Branch::Positive ? at.Mu : -at.Mu, bound);
    const auto miss = [&](float depth) {
        return std::fabs(static_cast<double>(Nd) - Calc_NM(s, depth, bounds).N);
    };
    EXPECT_LE(miss(x), miss(std::nextafter(x, -INFINITY))) << "Nd = " << Nd;
    EXPECT_LE(miss(x), miss(std::nextafter(x, INFINITY))) << "Nd = " << Nd;
    return (at.N > Nd) - (at.N < Nd);
}

}  // namespace

TEST(Combinations, GetTheVerdictOfBothExactBoundsEvenNearTheTips)
{
    int kept_below = 0, kept_above = 0;  // which end of the final pair was kept
    // The last: a steel that yields late, so that near the tension limit the axis lies beyond -h.
    for (const Geometry& g :
         {kHeavyBottom, kHeavyTop, Geometry{100, 20, 5, 2, 8, 435, 14}, kBeam,
          Geometry{3040, 50, 3.5f, 10, 5, 3304, 110}, Geometry{30, 50, 3.5f, 10, 5, 14000, 110}}) {
        const SectionState section = make(g);
        const double low = tension_limit(section), high = axial_capacity(section);
        std::vector<float> forces = domain_axial_forces(section, 6);
        for (const double share : {0.0005, 0.003, 0.01})
            for (const double Nd : {low + share * (high - low), high - share * (high - low)})
                forces.push_back(store(Nd));
        for (const float Nd : forces) {
            const CombinationCheck at_zero = check_combination(section, Nd, 0);
            const float lower = *at_zero.lower, upper = *at_zero.upper;
            for (const int side : {expect_equilibrium(section, Branch::Negative, Nd, lower),
                                   expect_equilibrium(section, Branch::Positive, Nd, upper)}) {
                kept_below += side < 0;
                kept_above += side > 0;
            }
            const float middle = store((static_cast<double>(lower) + upper) / 2);
            for (const float Md : {lower, upper, middle, 0.0f, std::nextafter(lower, -INFINITY), above(upper),
                                   store(1.01 * upper - 0.01 * lower), store(1.01 * lower - 0.01 * upper)}) {
                const CombinationCheck check = check_combination(section, Nd, Md);
                const bool inside = lower <= Md && Md <= upper;
                EXPECT_EQ(check.verdict == Verdict::Verified, inside) << "Nd = " << Nd << ", Md = " << Md;
                const bool straddles_zero = lower <= 0 && 0 <= upper;
                EXPECT_EQ(check.ratio.has_value(), straddles_zero && (Md >= 0 ? upper : lower) != 0);
                if (check.ratio) {
                    EXPECT_EQ(*check.ratio <= 1, inside) << "Nd = " << Nd << ", Md = " << Md;
                }
                if (!inside) {
                    EXPECT_EQ(check.verdict,
                              straddles_zero ? Verdict::MomentBeyond : Verdict::MomentOutsideBounds);
                }
            }
        }
    }
    // Both ends were the better one somewhere: keeping either end always would be seen.
    EXPECT_GT(kept_below, 5);
    EXPECT_GT(kept_above, 5);
}
