#include "command_line/csv_table.hpp"

namespace command_line {

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");
constexpr qsizetype kFlushAt = 1 << 16;

// Splits a line from its end, whatever end it had.
void split_end(const QByteArray& raw, QByteArray& text, QByteArray& end)
{
    qsizetype length = raw.size();
    if (length > 0 && raw[length - 1] == '\n') --length;
    if (length > 0 && raw[length - 1] == '\r') --length;
    text = raw.left(length);
    end = raw.mid(length);
}

}  // namespace

std::optional<CsvTable> CsvTable::read_header(QIODevice& input, std::span<const TableColumn> columns,
                                              QString& error)
{
    QByteArray raw = input.readLine();
    if (raw.isEmpty()) {
        error = QStringLiteral("il file è vuoto: manca l'intestazione");
        return std::nullopt;
    }
    CsvTable table;
    if (raw.startsWith(kByteOrderMark)) {
        table.byte_order_mark_ = kByteOrderMark;
        raw.remove(0, kByteOrderMark.size());
    }
    split_end(raw, table.header_, table.header_end_);
    if (table.header_end_.isEmpty()) table.header_end_ = "\n";
    const QString header = QString::fromUtf8(table.header_);
    table.convention_ = convention_of_header(header);
    const QStringList names = split_cells(header, table.convention_.separator);
    table.header_cells_ = names.size();
    QStringList missing;
    for (const TableColumn& column : columns) {
        qsizetype at = -1;
        for (qsizetype i = 0; i < names.size(); ++i)
            if (names[i].trimmed().compare(QString::fromUtf8(column.name), Qt::CaseInsensitive) == 0) at = i;
        if (at < 0 && column.required) missing.append(QString::fromUtf8(column.name));
        table.at_.push_back(at);
    }
    if (!missing.isEmpty()) {
        error = (missing.size() == 1 ? QStringLiteral("nell'intestazione manca la colonna %1")
                                     : QStringLiteral("nell'intestazione mancano le colonne %1"))
                    .arg(missing.join(QStringLiteral(", ")));
        return std::nullopt;
    }
    return table;
}

bool CsvTable::next_line(QIODevice& input)
{
    const QByteArray raw = input.readLine();
    if (raw.isEmpty()) return false;
    split_end(raw, line_, line_end_);
    cells_ = split_cells(QString::fromUtf8(line_), convention_.separator);
    return true;
}

QString CsvTable::cell(std::size_t i) const
{
    const qsizetype at = at_[i];
    return at >= 0 && at < cells_.size() ? cells_[at] : QString();
}

QString CsvTable::too_many_cells_reason() const
{
    return QStringLiteral("la riga ha %1 celle, l'intestazione %2").arg(cells_.size()).arg(header_cells_);
}

void CsvTable::write_header(const QStringList& names)
{
    write(byte_order_mark_ + header_, names, 0);
    pending_ += header_end_;
}

void CsvTable::write_line(QIODevice& output, const QStringList& cells)
{
    // A short line gets empty cells, so the program's cells stay in their columns.
    write(line_, cells, qMax<qsizetype>(0, header_cells_ - cells_.size()));
    pending_ += line_end_;
    if (pending_.size() >= kFlushAt) flush(output);
}

void CsvTable::write(QByteArray text, const QStringList& cells, qsizetype padding)
{
    const char separator = static_cast<char>(convention_.separator.unicode());
    text.append(padding, separator);
    for (const QString& cell : cells)
        text += separator + quoted_cell(cell, convention_.separator).toUtf8();
    pending_ += text;
}

void CsvTable::flush(QIODevice& output)
{
    output.write(pending_);
    pending_.clear();
}

}  // namespace command_line
