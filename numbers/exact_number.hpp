// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace numbers {

// Numbers in files that spreadsheets and other programs write and read.
// Like the number text, these throw nothing (running out of memory ends the
// program), which keeps exception handling off lotto's path in WebAssembly.

// How a cell's number may be written.
enum class NumberMarks {
    Either,        // "." or "," as the decimal mark, no grouping: an option
    DecimalComma,  // "," the decimal mark, "." only between groups of thousands
    DecimalPoint,  // "." the decimal mark, "," only between groups of thousands
};

// A cell read strictly: blanks around it, and the rest one number (sign,
// digits, optionally grouped by thousands, one decimal mark, exponent E).
// Empty or anything else: no number.
std::optional<double> read_cell_number(std::string_view cell, NumberMarks marks) noexcept;

// Why a cell that is no number was refused, after "valore non numerico
// nella colonna X": the misplaced grouping mark, or nothing more to say.
std::string refusal_detail(std::string_view cell, NumberMarks marks);

// The shortest digits that read back as the very same single, with the
// given decimal mark and no grouping: in fixed notation from 1e-5 to 1e15
// in magnitude, with an exponent beyond. Infinities and NaN are "inf",
// "-inf" and "nan", which read back as no number.
std::string exact_text(float value, char decimal_mark) noexcept;

// A double in a worked formula: rounded to `digits` significant digits,
// trailing zeros dropped, in fixed notation, with the given decimal mark
// (14,16667; 0,001277; 60).
std::string significant_text(double value, int digits, char decimal_mark);

// The double nearest to `value` rounded to `digits` significant digits, as
// significant_text writes it.
double rounded_to_significant(double value, int digits);

// Blanks (spaces, tabs, line ends, Unicode spaces) trimmed from both ends.
std::string_view trimmed(std::string_view text) noexcept;

}  // namespace numbers
