// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QIODevice>

#include "command_line/domain_picture.hpp"
#include "section_analysis/section_state.hpp"

namespace command_line {

// `dominio`: the resistance domain M-N of the section in the options, as a
// table of points on both branches, drawn if asked, and load combinations
// checked against it. Returns an ExitStatus.
int run_domain(const QCommandLineParser& parser);

// `--verifica`: each combination (columns Nd and Md) with the resisting
// moments MuRd- and MuRd+ at exactly its Nd, the ratio Md/MuRd and the
// verdict, written line for line as `lotto` writes. Adds
// each combination with numbers to `plotted`. Returns an ExitStatus.
int verify_combinations(const section_analysis::SectionState& section, QIODevice& input, QIODevice& output,
                        std::vector<PlottedCombination>& plotted, QString& error);

}  // namespace command_line
