// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "drawings/svg_writer.hpp"
#include "section_analysis/strain_domains.hpp"

namespace drawings {

inline constexpr int kFigureWidth = 800;
inline constexpr int kFigureHeight = 400;

// The section at its ultimate limit state, its depths to one scale: the
// section with its two layers, the neutral axis at x, the strain diagram
// with the strains of the edge and both layers written, and the stress
// diagram: the block at fcd and the two steel forces as arrows. Its
// elements carry their values (data-depth, data-value) for a reader.
Drawing section_figure_svg(const section_analysis::SectionState& section,
                               const section_analysis::Trial& trial,
                               const section_analysis::UltimateState& state, char decimal_mark = ',');

}  // namespace drawings
