// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "section_analysis/strain_domains.hpp"

namespace section_analysis {

// The trial depth where N(x) = Nd, found to the last bit: x bracketed by
// bisection down to adjacent singles, the end with the smaller residual
// kept. Unlike Calc_Mu, which stops on the size of its step, this is the
// equilibrium itself, for verdicts and checks. Throws as Calc_Mu does for
// a section it cannot compute, and DoesNotConverge where N(x) never
// reaches Nd.
Trial exact_equilibrium(SectionState section, float Nd);

}  // namespace section_analysis
