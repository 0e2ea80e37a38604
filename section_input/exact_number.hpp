// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace section_input {

// Numbers in files that spreadsheets and other programs write and read.

// How a cell's number may be written.
enum class NumberMarks {
    Either,        // "." or "," as the decimal mark, no grouping: an option
    DecimalComma,  // "," the decimal mark, "." only between groups of thousands
    DecimalPoint,  // "." the decimal mark, "," only between groups of thousands
};

// A cell read strictly: blanks around it, and the rest one number (sign,
// digits, optionally grouped by thousands, one decimal mark, exponent E).
// Empty or anything else: no number.
std::optional<double> read_cell_number(QStringView cell, NumberMarks marks);

// Why a cell that is no number was refused, after "valore non numerico
// nella colonna X": the misplaced grouping mark, or nothing more to say.
QString refusal_detail(QStringView cell, NumberMarks marks);

// The shortest digits that read back as the very same single, with the
// given decimal mark and no grouping: in fixed notation from 1e-5 to 1e15
// in magnitude, with an exponent beyond.
QString exact_text(float value, QChar decimal_mark);

}  // namespace section_input
