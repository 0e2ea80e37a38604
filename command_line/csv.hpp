// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

#include "section_input/exact_number.hpp"

namespace command_line {

// The conventions of the files spreadsheets write: ";" with a decimal
// comma (an Italian spreadsheet), "," with a decimal point, or a tab with
// the decimal mark of the user's locale. The other mark groups thousands.
struct CsvConvention {
    QChar separator;
    QChar decimal_mark;
    section_input::NumberMarks marks() const
    {
        return decimal_mark == u',' ? section_input::NumberMarks::DecimalComma
                                    : section_input::NumberMarks::DecimalPoint;
    }
};

inline constexpr CsvConvention kSemicolonComma{u';', u','};
inline constexpr CsvConvention kCommaPoint{u',', u'.'};

// The convention of a separator: ";", "," or a tab, whose decimal mark is
// the locale's. None for any other.
std::optional<CsvConvention> convention_of_separator(QChar separator, QChar locale_mark);

// From a header line: ";" when it holds one, else a tab when it holds one,
// otherwise ",".
CsvConvention convention_of_header(QStringView header, QChar locale_mark);

// The separator named by a spreadsheet's first line "sep=;"; none when the
// line is not such a hint.
std::optional<QChar> separator_hint(QStringView line);

// The cells of one record, unquoted: a cell that starts with a quote runs
// to the next lone quote, line breaks included, "" standing for a quote.
// `open`, if given, tells whether the text ended inside a quoted cell, so
// that the record goes on on the next line.
QStringList split_cells(QStringView record, QChar separator, bool* open = nullptr);

// A cell as a spreadsheet reads it back: quoted when it holds the
// separator, a quote or a line break.
QString quoted_cell(const QString& cell, QChar separator);

}  // namespace command_line
