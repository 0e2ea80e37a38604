// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "drawings/svg_writer.hpp"
#include "runs/resistance_tables.hpp"
#include "section_analysis/resistance_domain.hpp"

namespace drawings {

// What the picture of the domain shows: its points, the combinations, and
// the section's values for its caption.
struct DomainPicture {
    std::vector<section_analysis::DomainPoint> points;
    std::vector<runs::PlottedCombination> combinations;
    std::string caption;
    // The units of the axes, where they are declared: "kg" and "kg·cm".
    std::string force_unit = {}, moment_unit = {};
};

inline constexpr int kPictureWidth = 800;
inline constexpr int kPictureHeight = 600;

// The section's values as the caption shows them.
std::string domain_caption(const section_analysis::SectionState& section, char decimal_mark = '.');

// The picture as an SVG document: the outline of both branches, grid,
// ticks and their labels, axes, caption, combinations (a ring verified, a
// cross not) and their legend. Text is placed by anchors, in Liberation
// Sans or a face like it.
Drawing domain_svg(const DomainPicture& picture, char decimal_mark = '.');

}  // namespace drawings
