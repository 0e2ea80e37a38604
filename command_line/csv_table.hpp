// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QStringList>
#include <array>
#include <optional>
#include <span>
#include <vector>

#include "command_line/csv.hpp"

namespace command_line {

// A column the program reads, by its header name or another name it goes
// by (case aside).
struct TableColumn {
    const char* name;
    bool required;
    std::array<const char*, 2> other_names = {};
};

// A file of records under a header, read a record at a time and written
// back record for record: each record's bytes as they were, then the
// program's cells. A record is a line, or several where a quoted cell holds
// line breaks.
class CsvTable {
public:
    // Reads the header, after Excel's "sep=" line if there is one. None when
    // the file is empty, names a column twice or lacks a required one, with
    // the reason in `error`. A tab-separated file takes the locale's mark.
    static std::optional<CsvTable> read_header(QIODevice& input, std::span<const TableColumn> columns,
                                               QChar locale_mark, QString& error);

    const CsvConvention& convention() const { return convention_; }
    // Whether columns[i] is in the header.
    bool has(std::size_t i) const { return at_[i] >= 0; }
    // The header's names that no column of the program reads.
    QStringList unused_names() const { return unused_; }

    // Moves to the next record; false at the end of the input.
    bool next_record(QIODevice& input);
    // The current record's cell of columns[i], unquoted; empty where there is none.
    QString cell(std::size_t i) const;
    // A blank line, or separators only, as spreadsheets end their files.
    bool blank() const;
    // More cells than the header names, so no cell can be trusted to its column.
    bool too_many_cells() const { return cells_.size() > header_cells_; }
    QString too_many_cells_reason() const;

    // The header, or the current record, with these cells after it; written
    // to `output` in large pieces, the rest at flush(). A blank record is
    // written as it was, with no cells.
    void write_header(const QStringList& names);
    void write_record(QIODevice& output, const QStringList& cells);
    void flush(QIODevice& output);

private:
    CsvTable() = default;
    void read_record(QIODevice& input, QByteArray raw);
    void write(QByteArray text, const QStringList& cells, qsizetype padding);

    CsvConvention convention_ = kCommaPoint;
    std::vector<qsizetype> at_;  // each column's place in a record, -1 when absent
    qsizetype header_cells_ = 0;
    QStringList unused_;
    QByteArray preamble_;  // the byte order mark and Excel's "sep=" line, as they were
    QByteArray record_, record_end_;
    QStringList cells_;
    QByteArray pending_;
};

}  // namespace command_line
