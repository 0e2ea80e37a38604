// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "section_analysis/errors.hpp"
#include "section_analysis/section_state.hpp"
#include "section_analysis/strain_domains.hpp"

namespace section_analysis {

struct SolveResult {
    float Mu = 0;                 // moment of the last evaluation
    float Yc = 0;                 // its depth: the neutral axis from the compressed edge
    int evaluations = 0;          // how many trial depths were evaluated
    bool bisected = false;        // the secant could not finish and bisection did
    Domain domain = Domain::One;  // strain domain of the last evaluation
};

// Sees every evaluated trial in order; for tests and checks from outside.
using TrialObserver = std::function<void(const Trial&)>;

// The most trial depths one run may evaluate; a solvable section needs a
// few, and a run finished by bisection at most a few hundred.
inline constexpr int kEvaluationCap = 1000;

// The axial forces the section can balance: from the tension limit
// -(As + As') fsd of the yielded steel to the capacity h b fcd, each a single.
float tension_limit(const SectionState& section);
float axial_capacity(const SectionState& section);

// Throws BrokenPrecondition where a value is not finite and positive, the
// cover is not less than the height or Nd is above the capacity, and
// TensionBeyondSteel where Nd is below the tension limit.
void check_solvable(const SectionState& section);

// Finds the depth at which the internal axial force balances Nd, by the
// secant iteration, and the moment there. N and Mu of the last evaluation
// stay in the section. Throws BrokenPrecondition, TensionBeyondSteel,
// ArithmeticFault or DoesNotConverge; a thrown run has no result.
SolveResult Calc_Mu(SectionState& section, const TrialObserver& observe = {});

}  // namespace section_analysis
