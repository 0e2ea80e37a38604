// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "section_analysis/section_state.hpp"

namespace section_analysis {

// The pivots of the strain diagram at the ultimate limit state.
inline constexpr double kEdgeStrain = 0.0035;      // concrete at the compressed edge
inline constexpr double kSteelStrainLimit = 0.01;  // tension steel in domains 1 and 2
inline constexpr double kPivotStrain = 0.002;      // at 3/7 of h in domain 5
inline constexpr double kPivotDepthNumerator = 3;  // the pivot lies at h x 3 / 7
inline constexpr double kPivotDepthDenominator = 7;

// Where the section reaches the ultimate limit state for a trial depth x.
enum class Domain {
    One,    // x < 0: whole section stretched, tension steel at 0.01
    Two,    // 0 <= x <= x23: tension steel at 0.01, edge below 0.0035
    Three,  // x23 < x <= x34: edge at 0.0035, tension steel yielded
    Four,   // x34 < x <= d: edge at 0.0035, tension steel elastic
    FourA,  // d < x <= h: both layers compressed
    Five,   // x > h: whole section compressed, 0.002 at 3/7 of h
};

// Computed once per solver run, in this order.
struct DomainBounds {
    double Es = 0;     // steel modulus in the user's units
    float eps_yd = 0;  // design yield strain Fsd / Es
    float x23 = 0;     // bound of domains 2 and 3
    float x34 = 0;     // bound of domains 3 and 4
};

DomainBounds Calc_Bounds(const SectionState& section);

// One evaluated trial depth, every stored quantity of it.
struct Trial {
    float x = 0;
    Domain domain = Domain::One;
    float psi = 0;       // stress-block factor
    float lambda = 0;    // centroid factor, psi / 2
    float eps_s1 = 0;    // strain of the compression-zone layer, shortening positive
    float eps_s = 0;     // strain magnitude of the tension-zone layer (domains 3 to 5)
    float sigma_s1 = 0;  // stress of the compression-zone layer, compression positive
    float sigma_s = 0;   // stress magnitude of the tension-zone layer
    float Acc = 0;       // area of the concrete stress block
    float N = 0;
    float Mu = 0;
};

// Evaluates the trial depth x: stores N, then Mu, into the section and
// returns the whole trial. Reads neither Nd nor the old N and Mu.
Trial Calc_NM(SectionState& section, float x, const DomainBounds& bounds);

// What a trial means for the section, to be shown and checked: strains
// and stresses signed shortening and compression positive, forces with
// their lever arms about mid-height, positive towards the compressed edge.
struct UltimateState {
    double eps_c = 0;   // at the compressed edge
    double eps_s1 = 0;  // compression-zone layer, at depth c
    double eps_s = 0;   // tension-zone layer, at depth d
    double sigma_s1 = 0, sigma_s = 0;
    double block_depth = 0;  // of the stress block at fcd: psi x, psi h in domain 5
    double C = 0, z_c = 0;   // concrete
    double F_s1 = 0, z_s1 = 0, F_s = 0, z_s = 0;
};

UltimateState ultimate_state(const SectionState& section, const Trial& trial);

}  // namespace section_analysis
