#include "command_line/csv.hpp"

namespace command_line {

CsvConvention convention_of_header(QStringView header)
{
    return header.contains(u';') ? kSemicolonComma : kCommaPoint;
}

QStringList split_cells(QStringView line, QChar separator)
{
    QStringList cells;
    QString cell;
    bool quoted = false;     // inside a quoted cell
    bool cell_start = true;  // nothing of the cell read yet
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c != u'"') {
                cell += c;
            } else if (i + 1 < line.size() && line[i + 1] == u'"') {
                cell += c;
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == separator) {
            cells.append(cell);
            cell.clear();
            cell_start = true;
            continue;
        } else if (c == u'"' && cell_start) {
            quoted = true;
        } else {
            cell += c;
        }
        cell_start = false;
    }
    cells.append(cell);
    return cells;
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
