// The solver over many generated sections and axial forces: every run ends
// in one of its named ways, and what it returns is what it evaluated.
#include <cmath>
#include <cstdint>
#include <iostream>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "section_analysis/neutral_axis.hpp"
#include "sections.hpp"

namespace {

using section_analysis::Calc_Bounds;
using section_analysis::Calc_Mu;
using section_analysis::Calc_NM;
using section_analysis::SectionState;
using section_analysis::SolveResult;
using section_analysis::Trial;

enum class Units { KgfCm, NMm, AnyMagnitude };

struct Generator {
    explicit Generator(std::uint32_t seed) : random(seed) {}

    double uniform(double low, double high)
    {
        return std::uniform_real_distribution<double>(low, high)(random);
    }
    double decade(int low, int high)
    {
        return std::pow(10.0, std::uniform_int_distribution<int>(low, high)(random));
    }
    bool chance(double p) { return std::bernoulli_distribution(p)(random); }

    sections::Geometry section(Units units)
    {
        // A beam or column in kgf and cm; the other units scale it.
        const double b = uniform(15, 150), h = uniform(15, 200);
        const double c = chance(0.15) ? uniform(0.45, 0.98) * h : uniform(0.02, 0.2) * h;
        const double As = uniform(0.0005, 0.03) * b * h, As1 = uniform(0.0002, 0.03) * b * h;
        const double fsd = uniform(2000, 4500), fcd = uniform(60, 250);
        double length = 1, force = 1;
        if (units == Units::NMm) length = 10, force = 10;
        if (units == Units::AnyMagnitude) length = decade(-6, 6), force = decade(-8, 8);
        const double stress = force / (length * length);
        return {static_cast<float>(b * length),
                static_cast<float>(h * length),
                static_cast<float>(c * length),
                static_cast<float>(As * length * length),
                static_cast<float>(As1 * length * length),
                static_cast<float>(fsd * stress),
                static_cast<float>(fcd * stress)};
    }

    // Mostly between the steel limit and the capacity, sometimes beyond.
    float axial_force(const sections::Geometry& g)
    {
        const double limit = sections::steel_limit(g), capacity = sections::capacity(g);
        if (chance(0.03)) return static_cast<float>(limit * uniform(1.0, 2.0));
        if (chance(0.03)) return static_cast<float>(capacity * uniform(1.0, 2.0));
        if (chance(0.05)) return 0;
        return static_cast<float>(uniform(limit, capacity));
    }

    std::mt19937 random;
};

struct Tally {
    long converged = 0, bisected = 0, arithmetic = 0, tension = 0, endless = 0, broken = 0;
    long solvable_unsolved = 0;
    int most_evaluations = 0;
};

// Runs one section and checks every property of its end.
void check_run(const sections::Geometry& g, float Nd, Tally& tally)
{
    SectionState s = sections::make(g, Nd);
    s.D = g.h - g.c;
    std::vector<Trial> trials;
    const bool solvable = Nd > sections::steel_limit(g) && Nd <= sections::capacity(g);
    try {
        const SolveResult r = Calc_Mu(s, [&](const Trial& t) { trials.push_back(t); });
        ++tally.converged;
        tally.most_evaluations = std::max(tally.most_evaluations, r.evaluations);
        ASSERT_LE(r.evaluations, section_analysis::kEvaluationCap);
        ASSERT_EQ(static_cast<int>(trials.size()), r.evaluations);
        ASSERT_TRUE(std::isfinite(r.Yc) && std::isfinite(r.Mu));
        // The result is the last evaluation, and evaluating its depth again gives it.
        ASSERT_EQ(trials.back().x, r.Yc);
        ASSERT_EQ(trials.back().Mu, r.Mu);
        SectionState again = s;
        ASSERT_EQ(Calc_NM(again, r.Yc, Calc_Bounds(s)).Mu, r.Mu);
        if (r.bisected) {
            ++tally.bisected;
            // Some evaluated trial within 0.001 h has a residual of the other sign.
            const float R = Nd - trials.back().N;
            const double reach = 0.001 * g.h * (1 + 1e-5);
            bool bracketed = R == 0;
            for (const Trial& t : trials)
                if (std::fabs(static_cast<double>(t.x) - r.Yc) <= reach && (Nd - t.N) * R <= 0)
                    bracketed = true;
            ASSERT_TRUE(bracketed) << "no sign change near Yc = " << r.Yc;
        }
        return;
    } catch (const section_analysis::ArithmeticFault&) {
        ++tally.arithmetic;
    } catch (const section_analysis::TensionBeyondSteel& e) {
        ++tally.tension;
        ASSERT_LT(Nd, e.limit());
    } catch (const section_analysis::DoesNotConverge& e) {
        ++tally.endless;
        ASSERT_EQ(e.evaluations(), section_analysis::kEvaluationCap);
    } catch (const section_analysis::BrokenPrecondition&) {
        ++tally.broken;
    }
    if (solvable) ++tally.solvable_unsolved;
}

struct UnitsCase : sections::NamedCase {
    Units units;
    int runs;
    bool sensible;  // every solvable run must converge
};

class SolverProperties : public testing::TestWithParam<UnitsCase> {};

TEST_P(SolverProperties, EveryRunEndsInANamedWayAndReturnsWhatItEvaluated)
{
    Generator generate(20261206u + static_cast<std::uint32_t>(GetParam().units));
    Tally tally;
    for (int i = 0; i < GetParam().runs; ++i) {
        const sections::Geometry g = generate.section(GetParam().units);
        const float Nd = generate.axial_force(g);
        check_run(g, Nd, tally);
        if (HasFatalFailure()) {
            ADD_FAILURE() << "section " << g.b << " x " << g.h << ", c " << g.c << ", As " << g.As << ", As' "
                          << g.As1 << ", fsd " << g.fsd << ", fcd " << g.fcd << ", Nd " << Nd;
            return;
        }
    }
    std::cout << GetParam().name << ": " << tally.converged << " converged (" << tally.bisected
              << " by bisection), " << tally.tension << " tension beyond the steel, " << tally.broken
              << " broken preconditions, " << tally.arithmetic << " arithmetic faults, " << tally.endless
              << " not converging; most evaluations " << tally.most_evaluations << "; solvable yet unsolved "
              << tally.solvable_unsolved << "\n";
    if (GetParam().sensible) {
        EXPECT_EQ(tally.solvable_unsolved, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Units, SolverProperties,
                         testing::Values(UnitsCase{{"kgf_cm"}, Units::KgfCm, 40000, true},
                                         UnitsCase{{"N_mm"}, Units::NMm, 40000, true},
                                         UnitsCase{{"any_magnitude"}, Units::AnyMagnitude, 30000, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
