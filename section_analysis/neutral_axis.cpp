// SPDX-License-Identifier: GPL-3.0-or-later
#include "section_analysis/neutral_axis.hpp"

#include <array>
#include <cmath>
#include <cstddef>

#include "section_analysis/single_store.hpp"

namespace section_analysis {

namespace {

constexpr float kTolerance = 0.001f;  // of the height, a single
// The secant alone gets this many evaluations before bisection takes over.
constexpr int kSecantEvaluations = 50;

struct Point {
    float x;
    float R;  // residual Nd - N at x
};

}  // namespace

void check_solvable(const SectionState& s)
{
    const float positives[] = {s.B, s.H, s.D1, s.D, s.As, s.As1, s.Fsd, s.Fcd};
    for (float value : positives)
        if (!std::isfinite(value) || !(value > 0))
            throw BrokenPrecondition("b, h, c, d, As, As', fsd and fcd must be finite and positive");
    if (!std::isfinite(s.Nd)) throw BrokenPrecondition("Nd must be finite");
    if (!(store(static_cast<double>(s.H) - s.D1) > 0))
        throw BrokenPrecondition("the cover must be less than the height");
    if (s.Nd > axial_capacity(s)) throw BrokenPrecondition("Nd above the capacity h x b x fcd");
    const float limit = tension_limit(s);
    if (s.Nd < limit) throw TensionBeyondSteel(limit);
}

namespace {

// One solver run: the section, its bounds and every trial evaluated so far.
class Run {
public:
    Run(SectionState& section, const TrialObserver& observe)
        : s_(section), bounds_(Calc_Bounds(section)), observe_(observe)
    {
    }

    SolveResult solve()
    {
        if (secant()) return result(false);
        bisect();
        return result(true);
    }

private:
    // The secant iteration as the model gives it. False where it would
    // divide by zero or has not converged after its evaluations.
    bool secant()
    {
        const double H = s_.H;
        float x_prev = store(bounds_.x34 - H);
        float dx = s_.H;
        float R_prev = 0;
        for (;;) {
            const float q = store(divide(std::fabs(static_cast<double>(dx)), H));
            if (q <= kTolerance) return true;
            if (evaluations_ == kSecantEvaluations) return false;
            const float x = store(static_cast<double>(x_prev) + dx);
            const float R = evaluate(x);
            if (R_prev == 0) {
                dx = store(divide(R, static_cast<double>(s_.Fcd) * s_.B));
            } else {
                const double denominator = static_cast<double>(R_prev) - R;
                if (denominator == 0) return false;
                dx = store((static_cast<double>(x_prev) - x) * -static_cast<double>(R) / denominator);
            }
            x_prev = x;
            R_prev = R;
        }
    }

    // Halves the closest pair of trials whose residuals differ in sign
    // until it is no wider than the tolerance; N(x) is continuous, so a
    // root lies inside. The last evaluation is an end of the final pair.
    void bisect()
    {
        Point low{}, high{};  // residual below zero, above zero
        if (!closest_bracket(low, high) && !extend(low, high)) return;
        const double H = s_.H;
        for (;;) {
            const float mid = store((static_cast<double>(low.x) + high.x) / 2);
            const float R = evaluate(mid);
            if (R == 0) return;
            if (mid == low.x || mid == high.x) return;  // as narrow as singles go
            (R < 0 ? low : high) = Point{mid, R};
            const double width = std::fabs(static_cast<double>(high.x) - low.x);
            if (store(divide(width, H)) <= kTolerance) return;
        }
    }

    bool closest_bracket(Point& low, Point& high) const
    {
        bool found = false;
        float closest = 0;
        for (std::size_t i = 0; i < recorded_; ++i) {
            for (std::size_t j = 0; j < recorded_; ++j) {
                if (!(trials_[i].R < 0 && trials_[j].R > 0)) continue;
                const float gap = std::fabs(trials_[i].x - trials_[j].x);
                if (!found || gap < closest) {
                    found = true;
                    closest = gap;
                    low = trials_[i];
                    high = trials_[j];
                }
            }
        }
        return found;
    }

    // Every residual so far has one sign: step beyond the deepest trial
    // (N too small) or the shallowest (N too large) in steps of H,
    // doubling, until the sign changes. False on an exact root.
    bool extend(Point& low, Point& high)
    {
        const bool deeper = trials_[0].R > 0;
        Point edge = trials_[0];
        for (std::size_t i = 1; i < recorded_; ++i)
            if (deeper ? trials_[i].x > edge.x : trials_[i].x < edge.x) edge = trials_[i];
        float step = s_.H;
        for (;;) {
            const float x =
                store(deeper ? static_cast<double>(edge.x) + step : static_cast<double>(edge.x) - step);
            const float R = evaluate(x);
            if (R == 0) return false;
            const Point next{x, R};
            if ((R > 0) != (edge.R > 0)) {
                low = R < 0 ? next : edge;
                high = R < 0 ? edge : next;
                return true;
            }
            edge = next;
            step = store(static_cast<double>(step) * 2);
        }
    }

    float evaluate(float x)
    {
        if (evaluations_ == kEvaluationCap) throw DoesNotConverge(evaluations_);
        ++evaluations_;
        last_ = Calc_NM(s_, x, bounds_);
        if (observe_) observe_(last_);
        const float R = store(static_cast<double>(s_.Nd) - s_.N);
        if (recorded_ < trials_.size()) trials_[recorded_++] = Point{x, R};
        return R;
    }

    SolveResult result(bool bisected) const
    {
        return SolveResult{last_.Mu, last_.x, evaluations_, bisected, last_.domain};
    }

    SectionState& s_;
    const DomainBounds bounds_;
    const TrialObserver& observe_;
    Trial last_;
    int evaluations_ = 0;
    // The secant's trials, where the bisection looks for its first pair.
    std::array<Point, kSecantEvaluations> trials_{};
    std::size_t recorded_ = 0;
};

}  // namespace

float tension_limit(const SectionState& s)
{
    return store(-(static_cast<double>(s.As) + s.As1) * s.Fsd);
}

float axial_capacity(const SectionState& s)
{
    return store(static_cast<double>(s.H) * s.B * s.Fcd);
}

SolveResult Calc_Mu(SectionState& section, const TrialObserver& observe)
{
    check_solvable(section);
    return Run(section, observe).solve();
}

}  // namespace section_analysis
