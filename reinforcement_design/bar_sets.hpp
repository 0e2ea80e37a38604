// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "materials/bars.hpp"

namespace reinforcement_design {

// Bars that give an area, in one layer.
struct BarSet {
    materials::Bars bars;
    double area = 0;  // mm²
    int count = 0;
};

// The sets proposed for an area, and those left out for needing two layers.
struct BarProposals {
    std::vector<BarSet> sets;            // least area first, then fewest bars
    std::vector<std::string> two_layers;  // "5Ø25 non sta in uno strato: servirebbero due strati"
};

// The clear spacing one layer needs: max(Ø, 20 mm) (EN 1992-1-1 §8.2 with
// k1 = 1; the aggregate's term k2 + dg is left out).
inline constexpr double kLeastClearSpacing = 20;  // mm

// The `how_many` best sets of at least `area` mm²: one diameter of the list,
// or two adjacent ones, at least two bars, in one layer of width b with the
// outer bars' centres at c from the sides (b and c in mm).
BarProposals bar_sets(double area, double b, double c, std::vector<int> diameters, std::size_t how_many = 3);

}  // namespace reinforcement_design
