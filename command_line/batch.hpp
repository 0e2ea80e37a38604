// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QCommandLineParser>
#include <QString>

namespace command_line {

// `lotto` between files: "-" or an empty name is standard input or output;
// the units and the element as the options give them.
// The output appears under its name only once it is complete. Returns the
// exit status.
int run_batch(const QCommandLineParser& parser, const QString& input_name, const QString& output_name);

}  // namespace command_line
