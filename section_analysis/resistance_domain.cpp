// SPDX-License-Identifier: GPL-3.0-or-later
#include "section_analysis/resistance_domain.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

#include "section_analysis/exact_equilibrium.hpp"
#include "section_analysis/single_store.hpp"

namespace section_analysis {

SectionState turned_over(const SectionState& section)
{
    SectionState turned = section;
    std::swap(turned.As, turned.As1);
    return turned;
}

std::vector<float> domain_axial_forces(const SectionState& section, int intervals,
                                       std::span<const float> extra)
{
    const float low = tension_limit(section), high = axial_capacity(section);
    std::vector<float> forces(extra.begin(), extra.end());
    forces.push_back(low);
    for (int i = 1; i < intervals; ++i)
        forces.push_back(store(low + (static_cast<double>(high) - low) * i / intervals));
    forces.push_back(high);
    std::sort(forces.begin(), forces.end());
    forces.erase(std::unique(forces.begin(), forces.end()), forces.end());
    return forces;
}

namespace {

// A point of one branch from a solve of the section on it, its moment's
// sign the branch's.
template <typename Solve>
DomainPoint point_on_branch(const SectionState& section, Branch branch, float Nd, Solve solve)
{
    DomainPoint point{branch, Nd, std::nullopt, nullptr};
    SectionState s = branch == Branch::Positive ? section : turned_over(section);
    s.Nd = Nd;
    try {
        point.result = solve(s);
        if (branch == Branch::Negative) point.result->Mu = -point.result->Mu;
    } catch (const SectionError&) {
        point.failure = std::current_exception();
    }
    return point;
}

}  // namespace

DomainPoint domain_point(const SectionState& section, Branch branch, float Nd)
{
    return point_on_branch(section, branch, Nd, [](SectionState& s) { return Calc_Mu(s); });
}

DomainPoint exact_domain_point(const SectionState& section, Branch branch, float Nd)
{
    return point_on_branch(section, branch, Nd, [](SectionState& s) {
        const Trial exact = exact_equilibrium(s, s.Nd);
        return SolveResult{exact.Mu, exact.x, 0, false, exact.domain};
    });
}

std::vector<DomainPoint> resistance_domain(const SectionState& section, std::span<const float> axial_forces)
{
    std::vector<DomainPoint> points;
    points.reserve(2 * axial_forces.size());
    for (Branch branch : {Branch::Positive, Branch::Negative})
        for (float Nd : axial_forces)
            points.push_back(domain_point(section, branch, Nd));
    return points;
}

namespace {

// Md over the bound on its side, nudged off 1 where rounding the quotient
// would hide which side of the bound Md lies on.
std::optional<float> moment_ratio(float Md, float lower, float upper, bool verified)
{
    const float bound = Md >= 0 ? upper : lower;
    if (lower > 0 || upper < 0 || bound == 0) return std::nullopt;
    const auto ratio = static_cast<float>(static_cast<double>(Md) / bound);
    if (!std::isfinite(ratio)) return std::nullopt;  // a bound too near 0 to divide by
    if (verified && ratio > 1) return 1.0f;
    if (!verified && ratio <= 1) return std::nextafter(1.0f, 2.0f);
    return ratio;
}

}  // namespace

CombinationCheck check_combination(const SectionState& section, float Nd, float Md)
{
    CombinationCheck check;
    if (Nd > axial_capacity(section)) {
        check.verdict = Verdict::AboveCapacity;
        return check;
    }
    if (Nd < tension_limit(section)) {
        check.verdict = Verdict::BeyondTensionLimit;
        return check;
    }
    const DomainPoint upper = exact_domain_point(section, Branch::Positive, Nd);
    const DomainPoint lower = exact_domain_point(section, Branch::Negative, Nd);
    if (!upper.result || !lower.result) {
        check.failure = upper.result ? lower.failure : upper.failure;
        return check;
    }
    check.lower = lower.result->Mu;
    check.upper = upper.result->Mu;
    const bool verified = *check.lower <= Md && Md <= *check.upper;
    check.ratio = moment_ratio(Md, *check.lower, *check.upper, verified);
    const bool straddles_zero = *check.lower <= 0 && 0 <= *check.upper;
    check.verdict = verified         ? Verdict::Verified
                    : straddles_zero ? Verdict::MomentBeyond
                                     : Verdict::MomentOutsideBounds;
    return check;
}

}  // namespace section_analysis
