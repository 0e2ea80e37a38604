#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace command_line {

// The two conventions of the files spreadsheets write: ";" with a decimal
// comma (an Italian spreadsheet; a decimal point is read too), or "," with
// a decimal point.
struct CsvConvention {
    QChar separator;
    QChar decimal_mark;
    bool decimal_comma_read() const { return decimal_mark == u','; }
};

inline constexpr CsvConvention kSemicolonComma{u';', u','};
inline constexpr CsvConvention kCommaPoint{u',', u'.'};

// ";" when the header holds one, otherwise ",".
CsvConvention convention_of_header(QStringView header);

// The cells of one line, unquoted: a cell that starts with a quote runs to
// the next lone quote, "" standing for a quote; a line is always one row.
QStringList split_cells(QStringView line, QChar separator);

// A cell as a spreadsheet reads it back: quoted when it holds the
// separator, a quote or a line break.
QString quoted_cell(const QString& cell, QChar separator);

}  // namespace command_line
