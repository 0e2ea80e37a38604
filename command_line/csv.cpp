#include "command_line/csv.hpp"

namespace command_line {

CsvConvention convention_of_header(QStringView header)
{
    return header.contains(u';') ? kSemicolonComma : kCommaPoint;
}

QStringList split_cells(QStringView line, QChar separator)
{
    QStringList cells;
    for (qsizetype start = 0;; ++start) {
        QString cell;
        if (start < line.size() && line[start] == u'"') {
            // Quoted: separators inside belong to the cell, "" is a quote.
            for (++start; start < line.size(); ++start) {
                if (line[start] == u'"') {
                    if (start + 1 >= line.size() || line[start + 1] != u'"') break;
                    ++start;
                }
                cell += line[start];
            }
            if (start < line.size()) ++start;  // past the closing quote
        }
        const qsizetype end = line.indexOf(separator, start);
        cell += line.sliced(start, (end < 0 ? line.size() : end) - start);
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
