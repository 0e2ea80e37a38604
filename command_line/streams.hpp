// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QFileDevice>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <memory>

#include "tables/line_reader.hpp"

namespace command_line {

// Text for the user on standard output, and reasons on standard error, in UTF-8.
void print(const QString& text);
void print_error(const QString& text);

// The decimal mark of the user's locale, as the shared rules write it.
char locale_decimal_mark();

// A device as the shared rules read and write bytes.
tables::ByteSource source_of(QIODevice& device);
tables::ByteSink sink_of(QIODevice& device);

// A file to read, or standard input for "-" or no name; none, with the
// reason printed, when it cannot be read.
std::unique_ptr<QFileDevice> open_input(const QString& name);

// At the start of a run: a closed standard output is held by a placeholder
// that refuses writes, so no file opened later takes its place.
void guard_standard_output();
// At the end of a run: flushes and closes standard output; false, with the
// reason printed, when something written to it was lost.
bool finish_standard_output();

}  // namespace command_line
