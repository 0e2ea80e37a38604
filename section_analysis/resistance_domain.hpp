// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <optional>
#include <span>
#include <vector>

#include "section_analysis/neutral_axis.hpp"

namespace section_analysis {

// The two branches of the resistance domain M-N: moments that compress the
// edge depths are measured from (the section as given), and moments that
// compress the other edge (the section turned over).
enum class Branch { Positive, Negative };

struct DomainPoint {
    Branch branch = Branch::Positive;
    float Nd = 0;
    // Calc_Mu of the section on its branch at Nd; on the negative branch Mu
    // has its sign changed and Yc is measured from the other edge.
    std::optional<SolveResult> result;
    std::exception_ptr failure;  // the solver's SectionError where there is no result
};

// The section turned over: the two steel layers exchanged. Both lie at the
// same cover, so d stays as it is.
SectionState turned_over(const SectionState& section);

// intervals + 1 evenly spaced axial forces from the tension limit to the
// capacity, both included, with the extra ones, in increasing order.
std::vector<float> domain_axial_forces(const SectionState& section, int intervals,
                                       std::span<const float> extra = {});

// Calc_Mu on one branch at Nd, as the window computes it.
DomainPoint domain_point(const SectionState& section, Branch branch, float Nd);

// The exact equilibrium on one branch at Nd: the bound a combination is
// checked against. Its evaluations count is 0.
DomainPoint exact_domain_point(const SectionState& section, Branch branch, float Nd);

// Every force on the positive branch, then every force on the negative one.
std::vector<DomainPoint> resistance_domain(const SectionState& section, std::span<const float> axial_forces);

// Where a load combination (Nd, Md) lies against the domain.
enum class Verdict {
    Verified,             // MuRd- <= Md <= MuRd+
    MomentBeyond,         // beyond the bound on Md's side, the bounds holding Md = 0 between them
    MomentOutsideBounds,  // outside bounds of one sign: this Nd needs a moment between them
    AboveCapacity,        // Nd > b h fcd
    BeyondTensionLimit,   // Nd < -(As + As') fsd
    NotComputed,          // a branch has no point at Nd; `failure` says why
};

struct CombinationCheck {
    Verdict verdict = Verdict::NotComputed;
    // MuRd- and MuRd+: the exact equilibrium at Nd on the negative and the
    // positive branch; present when both were computed.
    std::optional<float> lower, upper;
    // Md over the bound on its side, only where lower <= 0 <= upper and
    // that bound is not 0; at most 1 exactly when verified.
    std::optional<float> ratio;
    std::exception_ptr failure;
};

// The combination against both bounds at its Nd. Moments of both signs are
// checked against both bounds: with unsymmetric steel, under tension or near
// the capacity, both bounds can have one sign.
CombinationCheck check_combination(const SectionState& section, float Nd, float Md);

}  // namespace section_analysis
