// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace command_line {

// `lotto` between files: "-" or an empty name is standard input or output.
// The output appears under its name only once it is complete. Returns the
// exit status.
int run_batch(const QString& input_name, const QString& output_name);

}  // namespace command_line
