// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "numbers/exact_number.hpp"

namespace tables {

// The conventions of the files spreadsheets write: ";" with a decimal
// comma (an Italian spreadsheet), "," with a decimal point, or a tab with
// the decimal mark of the user's locale. The other mark groups thousands.
struct CsvConvention {
    char separator;
    char decimal_mark;
    numbers::NumberMarks marks() const
    {
        return decimal_mark == ',' ? numbers::NumberMarks::DecimalComma : numbers::NumberMarks::DecimalPoint;
    }
};

inline constexpr CsvConvention kSemicolonComma{';', ','};
inline constexpr CsvConvention kCommaPoint{',', '.'};

// The convention of a separator: ";", "," or a tab, whose decimal mark is
// the locale's. None for any other.
std::optional<CsvConvention> convention_of_separator(char separator, char locale_mark);

// From a header line: ";" when it holds one, else a tab when it holds one,
// otherwise ",".
CsvConvention convention_of_header(std::string_view header, char locale_mark);

// The separator named by a spreadsheet's first line "sep=;"; none when the
// line is not such a hint.
std::optional<char> separator_hint(std::string_view line);

// Where a record stands after each byte: a quote opens a cell only at its
// start, and "" inside a quoted cell is a quote.
enum class QuoteState { CellStart, Unquoted, Quoted, QuoteInQuoted };

// The state after the byte c.
QuoteState next_quote_state(QuoteState state, char c, char separator) noexcept;

// The cells of one record, unquoted, into `cells` (reused): a cell that
// starts with a quote runs to the next lone quote, line breaks included,
// "" standing for a quote. Returns whether the text ended inside a quoted
// cell, so that the record goes on on the next line.
bool split_cells(std::string_view record, char separator, std::vector<std::string>& cells) noexcept;

// The cells of one record as they stand in it, quotes and all: what a cell
// passed through is written back as, byte for byte.
std::vector<std::string_view> raw_cells(std::string_view record, char separator);

// A cell as a spreadsheet reads it back: quoted when it holds the
// separator, a quote or a line break.
std::string quoted_cell(std::string_view cell, char separator);

}  // namespace tables
