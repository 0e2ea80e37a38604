// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>

namespace command_line {

// `relazione`: the calculation report of one section, with its
// combinations if given, as PDF or HTML by the output's name. Returns a
// RunStatus.
// `arguments` as the program was given them, for the report to tell how to write it again.
int run_report(const QCommandLineParser& parser, const QStringList& arguments);

}  // namespace command_line
