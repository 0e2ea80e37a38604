// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/csv.hpp"

namespace command_line {

std::optional<CsvConvention> convention_of_separator(QChar separator, QChar locale_mark)
{
    if (separator == u';') return kSemicolonComma;
    if (separator == u',') return kCommaPoint;
    if (separator == u'\t') return CsvConvention{u'\t', locale_mark == u',' ? u',' : u'.'};
    return std::nullopt;
}

CsvConvention convention_of_header(QStringView header, QChar locale_mark)
{
    if (header.contains(u';')) return kSemicolonComma;
    if (header.contains(u'\t')) return *convention_of_separator(u'\t', locale_mark);
    return kCommaPoint;
}

std::optional<QChar> separator_hint(QStringView line)
{
    if (line.size() != 5 || !line.startsWith(u"sep=", Qt::CaseInsensitive)) return std::nullopt;
    return line[4];
}

QStringList split_cells(QStringView record, QChar separator, bool* open)
{
    QStringList cells;
    if (open) *open = false;
    for (qsizetype start = 0;; ++start) {
        QString cell;
        if (start < record.size() && record[start] == u'"') {
            // Quoted: separators and line breaks inside belong to the cell, "" is a quote.
            for (++start; start < record.size(); ++start) {
                if (record[start] == u'"') {
                    if (start + 1 >= record.size() || record[start + 1] != u'"') break;
                    ++start;
                }
                cell += record[start];
            }
            if (start >= record.size() && open) *open = true;
            if (start < record.size()) ++start;  // past the closing quote
        }
        const qsizetype end = record.indexOf(separator, start);
        cell += record.sliced(start, (end < 0 ? record.size() : end) - start);
        cells.append(cell);
        if (end < 0) return cells;
        start = end;
    }
}

QString quoted_cell(const QString& cell, QChar separator)
{
    if (!cell.contains(separator) && !cell.contains(u'"') && !cell.contains(u'\n') && !cell.contains(u'\r'))
        return cell;
    QString doubled = cell;
    doubled.replace(u'"', QStringLiteral("\"\""));
    return u'"' + doubled + u'"';
}

}  // namespace command_line
