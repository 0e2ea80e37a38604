// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace command_line {

enum class Access { Read, Write };

// Why a file could not be read or written, in Italian words, from the
// system's error number and what the name stands for.
QString system_reason(int error, const QString& name, Access access);

// "impossibile scrivere NAME: reason"; of standard output for no name.
QString cannot_write(const QString& name, int error);

}  // namespace command_line
