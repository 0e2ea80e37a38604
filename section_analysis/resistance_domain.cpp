#include "section_analysis/resistance_domain.hpp"

#include <algorithm>
#include <utility>

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

DomainPoint domain_point(const SectionState& section, Branch branch, float Nd)
{
    DomainPoint point{branch, Nd, std::nullopt, nullptr};
    SectionState s = branch == Branch::Positive ? section : turned_over(section);
    s.Nd = Nd;
    try {
        point.result = Calc_Mu(s);
        if (branch == Branch::Negative) point.result->Mu = -point.result->Mu;
    } catch (const SectionError&) {
        point.failure = std::current_exception();
    }
    return point;
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

}  // namespace section_analysis
