// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace numbers {

// Field text (UTF-8) to number: every "," becomes ".", then the leading
// number is read leniently (blanks, tabs and line feeds skipped anywhere;
// sign, digits, one period, exponent E or D), correctly rounded. No leading
// number reads as 0; a number beyond the double range reads as an
// infinity, for the caller's store to refuse.
double text_to_number(std::string_view text) noexcept;

// A single as field text: at most 7 significant digits, an exact tie
// rounded away from zero, fixed notation for decimal exponents from -4 to 6
// and "E" ones beyond (1.234568E+07), no grouping, the given decimal mark.
// Infinities and NaN, which no field shows, are "inf", "-inf" and "nan".
std::string number_to_text(float value, char decimal_mark = '.') noexcept;

// A single as a report writes it for a reader: the 7 significant digits of
// number_to_text, but never in "E" notation, and an integer part of more
// than four digits grouped by threes with no-break spaces (66 020).
std::string written_out_text(float value, char decimal_mark) noexcept;

// The decimal mark a locale writes, as the reader can read it back: "," or
// else ".".
char readable_decimal_mark(std::string_view locale_point);

}  // namespace numbers
