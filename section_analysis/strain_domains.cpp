// SPDX-License-Identifier: GPL-3.0-or-later
#include "section_analysis/strain_domains.hpp"

#include <cmath>

#include "section_analysis/single_store.hpp"
#include "section_analysis/steel_modulus.hpp"

namespace section_analysis {

namespace {

constexpr double kEdgePlusSteelLimit = 0.0135;  // 0.0035 + 0.01, held as one constant
constexpr float kBlockFactor = 0.8f;       // psi within the section, a single
constexpr double kBlockDepthBeyond = 0.8;  // psi = (x - h 0.8) / (x - h 0.75) beyond it
constexpr double kBlockShiftBeyond = 0.75;

Domain classify(float x, const DomainBounds& bounds, const SectionState& s)
{
    // Each bound is inclusive and the earlier test wins.
    if (x < 0) return Domain::One;
    if (x <= bounds.x23) return Domain::Two;
    if (x <= bounds.x34) return Domain::Three;
    if (x <= s.D) return Domain::Four;
    if (x <= s.H) return Domain::FourA;
    return Domain::Five;
}

// Elastic-perfectly-plastic steel; the stress takes the sign of the strain,
// so a stretched layer pulls.
float steel_stress(float eps, const DomainBounds& bounds, float Fsd)
{
    if (std::fabs(eps) > bounds.eps_yd) return eps < 0 ? -Fsd : Fsd;
    return store(eps * bounds.Es);
}

void block_factors(Trial& t, const SectionState& s)
{
    const double x = t.x;
    const double H = s.H;
    if (t.x > s.H)
        t.psi = store(divide(x - H * kBlockDepthBeyond, x - H * kBlockShiftBeyond));
    else
        t.psi = kBlockFactor;
    t.lambda = store(static_cast<double>(t.psi) / 2);
}

void strains(Trial& t, const SectionState& s)
{
    const double x = t.x;
    const double D1 = s.D1;
    const double D = s.D;
    const double H = s.H;
    switch (t.domain) {
    case Domain::One:
        t.eps_s1 = store(std::fabs(divide((D1 - x) * kSteelStrainLimit, D - x)));
        break;
    case Domain::Two:
        t.eps_s1 = store(divide((x - D1) * kSteelStrainLimit, D - x));
        break;
    case Domain::Three:
    case Domain::Four:
        // Signed: above the cover the layer is stretched, not compressed.
        t.eps_s1 = store(divide((x - D1) * kEdgeStrain, x));
        t.eps_s = store(std::fabs(divide((D - x) * kEdgeStrain, x)));
        break;
    case Domain::FourA:
        t.eps_s1 = store(divide((x - D1) * kEdgeStrain, x));
        t.eps_s = store(std::fabs(divide((x - D) * kEdgeStrain, x)));
        break;
    case Domain::Five:
        t.eps_s1 = store(std::fabs(
            divide((x - D1) * kPivotStrain, x - H * kPivotDepthNumerator / kPivotDepthDenominator)));
        t.eps_s = store(
            std::fabs(divide((x - D) * kPivotStrain, x - H * kPivotDepthNumerator / kPivotDepthDenominator)));
        break;
    }
}

void stresses(Trial& t, const SectionState& s, const DomainBounds& bounds)
{
    t.sigma_s1 = steel_stress(t.eps_s1, bounds, s.Fsd);
    if (t.domain == Domain::One || t.domain == Domain::Two)
        t.sigma_s = s.Fsd;  // tension steel at 0.01, beyond any yield strain
    else
        t.sigma_s = steel_stress(t.eps_s, bounds, s.Fsd);
}

void concrete(Trial& t, const SectionState& s)
{
    const double psi = t.psi;
    if (t.domain == Domain::One)
        t.Acc = 0;
    else if (t.domain == Domain::Five)
        t.Acc = store(s.H * psi * s.B);
    else
        t.Acc = store(psi * t.x * s.B);
}

void forces(Trial& t, SectionState& s)
{
    const double H = s.H;
    const double As = s.As;
    const double As1 = s.As1;
    const double Fcd = s.Fcd;
    const double x = t.x;
    const double lambda = t.lambda;
    const double sigma_s1 = t.sigma_s1;
    const double sigma_s = t.sigma_s;
    const double Acc = t.Acc;
    const double a = H / 2 - s.D1;  // lever arm of both layers about mid-height

    switch (t.domain) {
    case Domain::One:
        s.N = store(-sigma_s1 * As1 - As * sigma_s);
        s.Mu = store(a * (-As1 * sigma_s1) + a * (As * sigma_s));
        break;
    case Domain::Two:
    case Domain::Three:
    case Domain::Four:
        s.N = store(Fcd * Acc + As1 * sigma_s1 - As * sigma_s);
        s.Mu = store((H / 2 - lambda * x) * (Fcd * Acc) + a * (As1 * sigma_s1) + a * (As * sigma_s));
        break;
    case Domain::FourA:
        // The tension-zone layer is compressed: its term changes sign.
        s.N = store(Fcd * Acc + As1 * sigma_s1 + As * sigma_s);
        s.Mu = store((H / 2 - lambda * x) * (Fcd * Acc) + a * (As1 * sigma_s1) - a * (As * sigma_s));
        break;
    case Domain::Five:
        s.N = store(Fcd * Acc + As1 * sigma_s1 + As * sigma_s);
        s.Mu = store((H / 2 - lambda * H) * (Fcd * Acc) + a * (As1 * sigma_s1) - a * (As * sigma_s));
        break;
    }
    t.N = s.N;
    t.Mu = s.Mu;
}

}  // namespace

DomainBounds Calc_Bounds(const SectionState& s)
{
    DomainBounds bounds;
    bounds.Es = steel_modulus(s.Fsd);
    const double D = s.D;
    bounds.eps_yd = store(divide(s.Fsd, bounds.Es));
    bounds.x23 = store(divide(D * kEdgeStrain, kEdgePlusSteelLimit));
    bounds.x34 = store(divide(D * kEdgeStrain, bounds.eps_yd + kEdgeStrain));
    return bounds;
}

UltimateState ultimate_state(const SectionState& s, const Trial& t)
{
    const double x = t.x, H = s.H, D = s.D, a = H / 2 - s.D1;
    const double pivot = H * kPivotDepthNumerator / kPivotDepthDenominator;
    UltimateState u;
    // The trial keeps magnitudes where the domain fixes the sign.
    const bool stretched_s1 = t.domain == Domain::One;
    const bool compressed_s = t.domain == Domain::FourA || t.domain == Domain::Five;
    u.eps_s1 = stretched_s1 ? -t.eps_s1 : t.eps_s1;
    u.sigma_s1 = stretched_s1 ? -t.sigma_s1 : t.sigma_s1;
    switch (t.domain) {
    case Domain::One:
    case Domain::Two:
        u.eps_c = kSteelStrainLimit * x / (D - x);
        u.eps_s = -kSteelStrainLimit;
        break;
    case Domain::Three:
    case Domain::Four:
    case Domain::FourA:
        u.eps_c = kEdgeStrain;
        u.eps_s = compressed_s ? t.eps_s : -t.eps_s;
        break;
    case Domain::Five:
        u.eps_c = kPivotStrain * x / (x - pivot);
        u.eps_s = t.eps_s;
        break;
    }
    u.sigma_s = compressed_s ? t.sigma_s : -t.sigma_s;
    if (t.domain != Domain::One) {
        const double depth = t.domain == Domain::Five ? H : x;
        u.block_depth = static_cast<double>(t.psi) * depth;
        u.C = static_cast<double>(s.Fcd) * t.Acc;
        u.z_c = H / 2 - static_cast<double>(t.lambda) * depth;
    }
    u.F_s1 = static_cast<double>(s.As1) * u.sigma_s1;
    u.z_s1 = a;
    u.F_s = static_cast<double>(s.As) * u.sigma_s;
    u.z_s = -a;
    return u;
}

Trial Calc_NM(SectionState& section, float x, const DomainBounds& bounds)
{
    Trial t;
    t.x = x;
    block_factors(t, section);
    t.domain = classify(x, bounds, section);
    strains(t, section);
    stresses(t, section, bounds);
    concrete(t, section);
    forces(t, section);
    return t;
}

}  // namespace section_analysis
