// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace command_line {

// momento-ultimo-cli: one section from its options, `lotto` for a file of
// sections, `dominio` for the resistance domain M-N. Returns an ExitStatus.
int run(const QStringList& arguments);

}  // namespace command_line
