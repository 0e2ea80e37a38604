// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QString>
#include <vector>

#include "section_analysis/resistance_domain.hpp"

namespace command_line {

// A load combination drawn on the domain, verified or not.
struct PlottedCombination {
    float Nd, Md;
    bool verified;
};

// What the picture shows: the domain's points, the combinations, and the
// section's values for its caption.
struct DomainPicture {
    std::vector<section_analysis::DomainPoint> points;
    std::vector<PlottedCombination> combinations;
    QString caption;
};

// Writes the picture as SVG or PNG; false when it cannot be drawn or written.
bool write_svg(const DomainPicture& picture, QIODevice& output);
bool write_png(const DomainPicture& picture, QIODevice& output);

}  // namespace command_line
