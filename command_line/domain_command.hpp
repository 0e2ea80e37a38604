// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>

namespace command_line {

// `dominio`: the resistance domain M-N of the section in the options, as a
// table of points on both branches, drawn if asked, and load combinations
// checked against it. Returns the exit status.
int run_domain(const QCommandLineParser& parser);

}  // namespace command_line
