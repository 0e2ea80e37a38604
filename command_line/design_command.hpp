// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>

namespace command_line {

// `progetto`: the least As that verifies every combination (one given by
// --Md and --Nd, or a file's) and the rules, and the bars that give it.
// Returns the exit status: 1 where no As verifies, 2 for a wrong option or
// a file that does not read.
int run_design(const QCommandLineParser& parser);

}  // namespace command_line
