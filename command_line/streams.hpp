#pragma once

#include <QFileDevice>
#include <QLocale>
#include <QString>
#include <memory>

#include "command_line/csv.hpp"

namespace command_line {

// Text for the user on standard output, and reasons on standard error, in UTF-8.
void print(const QString& text);
void print_error(const QString& text);

// A message box's text on one line, for a cell or a row.
QString one_line(QString text);

// The locale whose numbers match a file's convention: Italian for a decimal comma.
QLocale locale_of(const CsvConvention& convention);

// A file to read, or standard input for "-" or no name; none, with the
// reason printed, when it cannot be read.
std::unique_ptr<QFileDevice> open_input(const QString& name);

// Standard output for "-" or no name; otherwise a file that appears under
// its name only when it is closed and kept.
std::unique_ptr<QFileDevice> open_output(const QString& name);
// Keeps what was written, or discards it; false, with the reason printed,
// when it cannot be kept.
bool close_output(QFileDevice& output, bool keep, const QString& name);

}  // namespace command_line
