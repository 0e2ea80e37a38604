#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace section_input {

// Numbers in files that spreadsheets and other programs write and read.

// A cell read strictly: blanks around it, and the rest one number (sign,
// digits with one decimal mark, exponent E); a decimal comma only where
// allowed. Empty or anything else: no number.
std::optional<double> read_cell_number(QStringView cell, bool comma_allowed);

// The shortest text that reads back as the very same single, with the given
// decimal mark, no grouping, an exponent where that is shorter.
QString exact_text(float value, QChar decimal_mark);

}  // namespace section_input
