// SPDX-License-Identifier: GPL-3.0-or-later
// How far the solver's Mu lies from the exact equilibrium at the same Nd,
// over the whole resistance domain of a few sections. The exact point is a
// bisection on the same N(x) down to adjacent singles; errors are given as
// a share of the largest moment of the domain; the unsafe share counts the
// points beyond the exact bound, and the last column is the signed error of
// pure bending against its own exact moment (positive: unsafe).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "section_analysis/exact_equilibrium.hpp"
#include "section_analysis/resistance_domain.hpp"
#include "section_analysis/single_store.hpp"

namespace {

using namespace section_analysis;

constexpr int kIntervals = 400;  // domain points per branch

struct Named {
    const char* name;
    SectionState section;
};

SectionState make(float b, float h, float c, float As, float As1, float fsd, float fcd)
{
    return {b, h, c, store(static_cast<double>(h) - c), As, As1, fsd, fcd};
}

double percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * (values.size() - 1))];
}

void measure(const Named& named)
{
    const float pure_bending[] = {0};
    const std::vector<float> forces = domain_axial_forces(named.section, kIntervals, pure_bending);
    std::vector<double> errors;
    double largest = 0;
    int unsafe = 0;
    double at_pure_bending = 0;                           // of the exact moment itself, positive branch
    std::vector<std::pair<float, double>> signed_errors;  // Nd, solver minus exact, branch-signed
    std::vector<double> local;                            // of the exact moment at the same Nd
    for (const DomainPoint& point : resistance_domain(named.section, forces)) {
        if (!point.result) continue;
        const bool positive = point.branch == Branch::Positive;
        const float exact =
            (positive ? 1 : -1) *
            exact_equilibrium(positive ? named.section : turned_over(named.section), point.Nd).Mu;
        largest = std::max(largest, std::fabs(static_cast<double>(exact)));
        // Beyond the exact bound, away from the domain's inside, is the unsafe side.
        const double outward = (positive ? 1 : -1) * (static_cast<double>(point.result->Mu) - exact);
        signed_errors.emplace_back(point.Nd, outward);
        if (exact != 0) local.push_back(std::fabs(outward / exact) * 100);
        if (positive && point.Nd == 0) at_pure_bending = outward / exact * 100;
    }
    for (const auto& [Nd, error] : signed_errors) {
        errors.push_back(std::fabs(error) / largest * 100);
        if (error > 0) ++unsafe;
    }
    std::printf("%-44s %5zu %8.3f %8.3f %8.3f %7.1f %9.3f %8.3f %8.1f\n", named.name, errors.size(),
                percentile(errors, 0.5), percentile(errors, 0.95), percentile(errors, 1.0),
                100.0 * unsafe / errors.size(), at_pure_bending, percentile(local, 0.95),
                percentile(local, 1.0));
}

}  // namespace

int main()
{
    const Named sections[] = {
        {"beam 30x50, As 10, As' 5 (kgf, cm)", make(30, 50, 3.5f, 10, 5, 3304, 110)},
        {"column 40x40, As = As' = 10 (kgf, cm)", make(40, 40, 4, 10, 10, 3304, 110)},
        {"unsymmetric 30x50, As 40, As' 1 (kgf, cm)", make(30, 50, 3.5f, 40, 1, 3304, 110)},
        {"beam 300x500, As 1000, As' 500 (N, mm)", make(300, 500, 35, 1000, 500, 391.3f, 14.17f)},
        {"column 400x400, As = As' = 1200 (N, mm)", make(400, 400, 40, 1200, 1200, 391.3f, 14.17f)},
        {"slab 1000x200, As 393, As' 0.15 % (N, mm)", make(1000, 200, 30, 393, 300, 391.3f, 14.17f)},
        {"slab 3000x250, As 0.15 % (N, mm)", make(3000, 250, 30, 1125, 565, 391.3f, 14.17f)},
        {"strip 3040x50, As 10, As' 5 (kgf, cm)", make(3040, 50, 3.5f, 10, 5, 3304, 110)},
    };
    std::printf("%d points per branch; |Mu - exact| as %% of the largest |Mu| of the domain, and (local)\n"
                "as %% of the exact moment at the same Nd\n",
                kIntervals + 1);
    std::printf("%-44s %5s %8s %8s %8s %7s %9s %8s %8s\n", "section", "points", "median", "95th", "worst",
                "unsafe%", "Nd=0 %", "local95", "local");
    for (const Named& named : sections)
        measure(named);
}
