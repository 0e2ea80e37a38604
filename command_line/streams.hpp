#pragma once

#include <QString>

namespace command_line {

// Text for the user on standard output, and reasons on standard error, in UTF-8.
void print(const QString& text);
void print_error(const QString& text);

}  // namespace command_line
