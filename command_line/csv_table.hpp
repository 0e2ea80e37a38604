#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QStringList>
#include <optional>
#include <span>
#include <vector>

#include "command_line/csv.hpp"

namespace command_line {

// A column the program reads, by its header name (case aside).
struct TableColumn {
    const char* name;
    bool required;
};

// A file of rows under a header, read a line at a time and written back
// line for line: each line's bytes as they were, then the program's cells.
class CsvTable {
public:
    // Reads the header line. None when the file is empty or lacks a
    // required column, with the reason in `error`.
    static std::optional<CsvTable> read_header(QIODevice& input, std::span<const TableColumn> columns,
                                               QString& error);

    const CsvConvention& convention() const { return convention_; }

    // Moves to the next line; false at the end of the input.
    bool next_line(QIODevice& input);
    // The current line's cell of columns[i], unquoted; empty where there is none.
    QString cell(std::size_t i) const;
    // More cells than the header names, so no cell can be trusted to its column.
    bool too_many_cells() const { return cells_.size() > header_cells_; }
    QString too_many_cells_reason() const;

    // The header, or the current line, with these cells after it; written
    // to `output` in large pieces, the rest at flush().
    void write_header(const QStringList& names);
    void write_line(QIODevice& output, const QStringList& cells);
    void flush(QIODevice& output);

private:
    CsvTable() = default;
    void write(QByteArray text, const QStringList& cells, qsizetype padding);

    CsvConvention convention_ = kCommaPoint;
    std::vector<qsizetype> at_;  // each column's place in a line, -1 when absent
    qsizetype header_cells_ = 0;
    QByteArray byte_order_mark_, header_, header_end_;
    QByteArray line_, line_end_;
    QStringList cells_;
    QByteArray pending_;
};

}  // namespace command_line
