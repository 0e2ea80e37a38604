// SPDX-License-Identifier: GPL-3.0-or-later
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

bool names(const TableColumn& column, const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.compare(QString::fromUtf8(column.name), Qt::CaseInsensitive) == 0) return true;
    for (const char* other : column.other_names)
        if (other && trimmed.compare(QString::fromUtf8(other), Qt::CaseInsensitive) == 0) return true;
    return false;
}

}  // namespace

std::optional<CsvTable> CsvTable::read_header(QIODevice& input, std::span<const TableColumn> columns,
                                              QChar locale_mark, QString& error)
{
    QByteArray raw = input.readLine();
    CsvTable table;
    if (raw.startsWith(kByteOrderMark)) {
        table.preamble_ = kByteOrderMark;
        raw.remove(0, kByteOrderMark.size());
    }
    QByteArray text, end;
    split_end(raw, text, end);
    std::optional<CsvConvention> hinted;
    if (const std::optional<QChar> separator = separator_hint(QString::fromUtf8(text))) {
        hinted = convention_of_separator(*separator, locale_mark);
        if (!hinted) {
            error =
                QStringLiteral("separatore non ammesso nella riga %1: si usano \";\", \",\" o la tabulazione")
                    .arg(QString::fromUtf8(text));
            return std::nullopt;
        }
        table.preamble_ += raw;
        raw = input.readLine();
    }
    if (raw.isEmpty()) {
        error = QStringLiteral("il file è vuoto: manca l'intestazione");
        return std::nullopt;
    }
    table.convention_ = hinted ? *hinted : convention_of_header(QString::fromUtf8(raw), locale_mark);
    table.read_record(input, raw);
    if (table.record_end_.isEmpty()) table.record_end_ = "\n";
    table.header_cells_ = table.cells_.size();

    QStringList missing;
    std::vector<bool> used(table.cells_.size());
    for (const TableColumn& column : columns) {
        qsizetype at = -1;
        for (qsizetype i = 0; i < table.cells_.size(); ++i) {
            if (!names(column, table.cells_[i])) continue;
            if (at >= 0) {
                error = QStringLiteral("nell'intestazione la colonna %1 compare più volte")
                            .arg(QString::fromUtf8(column.name));
                return std::nullopt;
            }
            at = i;
            used[static_cast<std::size_t>(i)] = true;
        }
        if (at < 0 && column.required) missing.append(QString::fromUtf8(column.name));
        table.at_.push_back(at);
    }
    if (!missing.isEmpty()) {
        error = (missing.size() == 1 ? QStringLiteral("nell'intestazione manca la colonna %1")
                                     : QStringLiteral("nell'intestazione mancano le colonne %1"))
                    .arg(missing.join(QStringLiteral(", ")));
        return std::nullopt;
    }
    for (qsizetype i = 0; i < table.cells_.size(); ++i)
        if (!used[static_cast<std::size_t>(i)]) table.unused_.append(table.cells_[i].trimmed());
    return table;
}

bool CsvTable::next_record(QIODevice& input)
{
    const QByteArray raw = input.readLine();
    if (raw.isEmpty()) return false;
    read_record(input, raw);
    return true;
}

void CsvTable::read_record(QIODevice& input, QByteArray raw)
{
    // A quoted cell may hold line breaks: the record goes on to the line
    // where the quote closes, or to the end of the file.
    for (;;) {
        split_end(raw, record_, record_end_);
        bool open = false;
        cells_ = split_cells(QString::fromUtf8(record_), convention_.separator, &open);
        if (!open || record_end_.isEmpty()) return;
        const QByteArray more = input.readLine();
        if (more.isEmpty()) return;
        raw += more;
    }
}

QString CsvTable::cell(std::size_t i) const
{
    const qsizetype at = at_[i];
    return at >= 0 && at < cells_.size() ? cells_[at] : QString();
}

bool CsvTable::blank() const
{
    for (const QString& cell : cells_)
        if (!cell.trimmed().isEmpty()) return false;
    return true;
}

QString CsvTable::too_many_cells_reason() const
{
    return QStringLiteral("la riga ha %1 celle, l'intestazione %2").arg(cells_.size()).arg(header_cells_);
}

void CsvTable::write_header(const QStringList& names)
{
    write(preamble_ + record_, names, 0);
    pending_ += record_end_;
}

void CsvTable::write_record(QIODevice& output, const QStringList& cells)
{
    if (blank()) {
        pending_ += record_;
    } else {
        // A short record gets empty cells, so the program's cells stay in their columns.
        write(record_, cells, qMax<qsizetype>(0, header_cells_ - cells_.size()));
    }
    pending_ += record_end_;
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
