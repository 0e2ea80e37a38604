// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>

namespace command_line {

// `relazione`: the calculation report of one section, with its
// combinations if given, as PDF or HTML by the output's name. Returns a
// RunStatus.
int run_report(const QCommandLineParser& parser);

}  // namespace command_line
