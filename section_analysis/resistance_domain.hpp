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

// Every force on the positive branch, then every force on the negative one.
std::vector<DomainPoint> resistance_domain(const SectionState& section, std::span<const float> axial_forces);

}  // namespace section_analysis
