// SPDX-License-Identifier: GPL-3.0-or-later
#include "reinforcement_design/bar_sets.hpp"

#include <algorithm>
#include <cmath>

namespace reinforcement_design {

namespace {

constexpr int kLeastBars = 2;

BarSet set_of(materials::Bars bars)
{
    BarSet set{std::move(bars), 0, 0};
    set.area = materials::area_in_square_millimetres(set.bars);
    for (const materials::BarGroup& group : set.bars)
        set.count += group.count;
    return set;
}

// Whether the bars fit in one layer: centres from c to b - c, evenly spaced,
// each clear gap at least max(Ø, 20 mm) for the larger diameter.
bool fits(const BarSet& set, double b, double c)
{
    int largest = 0;
    for (const materials::BarGroup& group : set.bars)
        largest = std::max(largest, group.diameter);
    const double spacing = (b - 2 * c) / (set.count - 1);
    return spacing - largest >= std::max<double>(largest, kLeastClearSpacing);
}

// The fewest bars of area `one` that with `given` mm² already reach `area`; at least `least`.
int bars_for(double area, double given, double one, int least)
{
    return std::max(least, static_cast<int>(std::ceil((area - given) / one - 1e-12)));
}

}  // namespace

BarProposals bar_sets(double area, double b, double c, std::vector<int> diameters, std::size_t how_many)
{
    std::sort(diameters.begin(), diameters.end());
    diameters.erase(std::unique(diameters.begin(), diameters.end()), diameters.end());
    const auto one = [](int diameter) { return materials::area_in_square_millimetres({{1, diameter}}); };
    std::vector<BarSet> candidates;
    for (std::size_t i = 0; i < diameters.size(); ++i) {
        const int small = diameters[i];
        candidates.push_back(set_of({{bars_for(area, 0, one(small), kLeastBars), small}}));
        if (i + 1 == diameters.size()) continue;
        // With the next diameter: each count of the larger bars, the fewest smaller ones that complete it.
        const int large = diameters[i + 1];
        const int most_large = bars_for(area, 0, one(large), 1);
        for (int n_large = 1; n_large <= most_large; ++n_large) {
            const int n_small = bars_for(area, n_large * one(large), one(small), 1);
            if (n_small > 0 && n_large * one(large) < area) candidates.push_back(set_of({{n_large, large}, {n_small, small}}));
        }
    }
    std::sort(candidates.begin(), candidates.end(), [](const BarSet& x, const BarSet& y) {
        return x.area != y.area ? x.area < y.area : x.count < y.count;
    });
    BarProposals proposals;
    for (const BarSet& set : candidates) {
        if (proposals.sets.size() == how_many) break;
        if (fits(set, b, c))
            proposals.sets.push_back(set);
        else if (proposals.two_layers.size() < how_many)  // the nearest ones are enough to say it
            proposals.two_layers.push_back(materials::written(set.bars) +
                                           " non sta in uno strato: servirebbero due strati");
    }
    return proposals;
}

}  // namespace reinforcement_design
