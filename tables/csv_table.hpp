// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tables/csv.hpp"
#include "tables/line_reader.hpp"

namespace tables {

// A column the program reads, by its header name or another name it goes
// by (ASCII case aside), with or without a unit after it in brackets or
// parentheses: "b [cm]", "Nd (kN)".
struct TableColumn {
    const char* name;
    bool required;
    std::array<const char*, 2> other_names = {};
};

// A file of records under a header, read a record at a time and written
// back record for record: each record's bytes as they were, then the
// program's cells. A record is a line, or several where a quoted cell holds
// line breaks. A file the program wrote, run again, has the program's
// columns already: their cells are written again where they stand.
class CsvTable {
public:
    // Reads the header, after Excel's "sep=" line if there is one. None when
    // the file is empty or no text, names a column twice or lacks a required
    // one, with the reason in `error`. A tab-separated file takes the
    // locale's mark.
    static std::optional<CsvTable> read_header(LineReader& input, std::span<const TableColumn> columns,
                                               char locale_mark, std::string& error);

    const CsvConvention& convention() const { return convention_; }
    // Whether columns[i] is in the header.
    bool has(std::size_t i) const { return at_[i] != kAbsent; }
    // Whether a column the program reads stands at this place of a record.
    bool reads_place(std::size_t place) const { return std::find(at_.begin(), at_.end(), place) != at_.end(); }
    // The unit the header gives columns[i], in brackets or parentheses after
    // its name ("cm" for "b [cm]"); empty where none.
    const std::string& unit(std::size_t i) const { return units_[i]; }
    // The header's names that no column of the program reads.
    const std::vector<std::string>& unused_names() const { return unused_; }

    // Moves to the next record; false at the end of the input, or where
    // reading stopped, with read_error() saying why.
    bool next_record(LineReader& input);
    const std::string& read_error() const { return read_error_; }
    // The current record's cells, unquoted.
    const std::vector<std::string>& cells() const { return cells_; }
    // The current record's cell of columns[i], unquoted; empty where there is none.
    std::string_view cell(std::size_t i) const;
    // A blank line, or separators only, as spreadsheets end their files.
    bool blank() const;
    // Why no cell of the record can be trusted to its column: more cells
    // than the header names, or a quote never closed. Empty where none.
    std::string refusal() const;

    // The header, or the current record, with these cells after it (or in
    // the columns of these names, where the header has them all), to
    // `output` in large pieces, the rest at flush(). A blank record is
    // written as it was, with no cells.
    void write_header(std::span<const std::string> names);
    // The cells of the current record as written with these.
    std::vector<std::string> written_cells(std::span<const std::string> cells) const;
    void write_record(const ByteSink& output, std::span<const std::string> cells);
    void flush(const ByteSink& output);

private:
    static constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);

    CsvTable() = default;
    // The byte order mark and Excel's "sep=" line, kept, and the convention;
    // the header line, or none with the reason.
    std::optional<std::string_view> read_preamble(LineReader& input, char locale_mark, std::string& error);
    // Each column's place in the header; false where one is named twice or a
    // required one is missing, with the reason.
    bool match_columns(std::span<const TableColumn> columns, std::string& error);
    void read_record(LineReader& input, std::string_view line);
    void write(std::span<const std::string> cells, std::size_t padding);
    bool rewrites() const { return !rewritten_at_.empty(); }

    CsvConvention convention_ = kCommaPoint;
    std::vector<std::size_t> at_;  // each column's place in a record
    std::vector<std::string> units_;  // each column's unit in the header
    std::size_t header_cells_ = 0;
    std::vector<std::string> unused_;
    std::string preamble_;  // the byte order mark and Excel's "sep=" line, as they were
    std::string record_, record_end_;
    std::vector<std::string> cells_;
    std::size_t open_quote_line_ = 0;        // where a quote never closed opened; 0 for none
    std::vector<std::size_t> rewritten_at_;  // the program's columns, in a file it wrote
    std::string read_error_;
    std::string pending_;
};

// A table the program wrote, read back as any table is read: the header's
// cells first, then each record's.
std::vector<std::vector<std::string>> table_rows(std::string_view table, char locale_mark);

}  // namespace tables
