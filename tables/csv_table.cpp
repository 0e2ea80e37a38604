// SPDX-License-Identifier: GPL-3.0-or-later
#include "tables/csv_table.hpp"

#include <algorithm>
#include <cctype>

namespace tables {

using numbers::trimmed;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kFlushAt = 1 << 16;

// The length of a line's text without its end (LF, CR LF or CR), whatever end it had.
std::size_t text_length(std::string_view line)
{
    std::size_t length = line.size();
    if (length > 0 && line[length - 1] == '\n') --length;
    if (length > 0 && line[length - 1] == '\r') --length;
    return length;
}

bool same_name(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// A header cell's name, without the unit a spreadsheet puts after it.
std::string_view without_unit(std::string_view name)
{
    return trimmed(name.substr(0, name.find_first_of("[(")));
}

// The unit after a header cell's name, without its brackets.
std::string_view unit_of(std::string_view name)
{
    const std::size_t open = name.find_first_of("[(");
    if (open == std::string_view::npos) return {};
    const std::string_view inside = name.substr(open + 1);
    return trimmed(inside.substr(0, inside.find_first_of("])")));
}

bool names(const TableColumn& column, std::string_view name)
{
    const std::string_view trimmed_name = without_unit(name);
    if (same_name(trimmed_name, column.name)) return true;
    for (const char* other : column.other_names)
        if (other && same_name(trimmed_name, other)) return true;
    return false;
}

}  // namespace

std::optional<CsvTable> CsvTable::read_header(LineReader& input, std::span<const TableColumn> columns,
                                              char locale_mark, std::string& error)
{
    CsvTable table;
    const std::optional<std::string_view> header = table.read_preamble(input, locale_mark, error);
    if (!header) return std::nullopt;
    table.read_record(input, *header);
    if (!table.read_error_.empty()) {
        error = table.read_error_;
        return std::nullopt;
    }
    if (table.record_end_.empty()) table.record_end_.push_back('\n');
    table.header_cells_ = table.cells_.size();
    if (!table.match_columns(columns, error)) return std::nullopt;
    return table;
}

std::optional<std::string_view> CsvTable::read_preamble(LineReader& input, char locale_mark,
                                                        std::string& error)
{
    std::optional<std::string_view> line = input.next();
    if (line && line->starts_with(kByteOrderMark)) {
        preamble_ = kByteOrderMark;
        line->remove_prefix(kByteOrderMark.size());
    }
    std::optional<CsvConvention> hinted;
    if (line) {
        const std::string_view text = line->substr(0, text_length(*line));
        if (const std::optional<char> separator = separator_hint(text)) {
            hinted = convention_of_separator(*separator, locale_mark);
            if (!hinted) {
                error = "separatore non ammesso nella riga " + std::string(text) +
                        ": si usano \";\", \",\" o la tabulazione";
                return std::nullopt;
            }
            preamble_ += *line;
            line = input.next();
        }
    }
    if (input.problem() != ReadProblem::None) {
        error = input.problem_reason();
        return std::nullopt;
    }
    if (!line || line->empty()) {
        error = "il file è vuoto: manca l'intestazione";
        return std::nullopt;
    }
    convention_ = hinted ? *hinted : convention_of_header(*line, locale_mark);
    return line;
}

bool CsvTable::match_columns(std::span<const TableColumn> columns, std::string& error)
{
    std::vector<std::string> missing;
    std::vector<bool> used(cells_.size());
    for (const TableColumn& column : columns) {
        std::size_t at = kAbsent;
        for (std::size_t i = 0; i < cells_.size(); ++i) {
            if (!names(column, cells_[i])) continue;
            if (at != kAbsent) {
                error = "nell'intestazione la colonna ";
                error.append(column.name).append(" compare più volte");
                return false;
            }
            at = i;
            used[i] = true;
        }
        if (at == kAbsent && column.required) missing.emplace_back(column.name);
        at_.push_back(at);
        units_.emplace_back(at == kAbsent ? std::string_view() : unit_of(cells_[at]));
    }
    if (!missing.empty()) {
        error = missing.size() == 1 ? "nell'intestazione manca la colonna "
                                    : "nell'intestazione mancano le colonne ";
        for (std::size_t i = 0; i < missing.size(); ++i)
            error += (i > 0 ? ", " : "") + missing[i];
        return false;
    }
    for (std::size_t i = 0; i < cells_.size(); ++i)
        if (!used[i]) unused_.emplace_back(trimmed(cells_[i]));
    return true;
}

bool CsvTable::next_record(LineReader& input)
{
    if (!read_error_.empty()) return false;
    const std::optional<std::string_view> line = input.next();
    if (!line) {
        read_error_ = input.problem_reason();
        return false;
    }
    read_record(input, *line);
    return read_error_.empty();
}

void CsvTable::read_record(LineReader& input, std::string_view line)
{
    std::size_t length = text_length(line);
    record_.assign(line.substr(0, length));
    record_end_.assign(line.substr(length));
    open_quote_line_ = 0;
    if (!split_cells(record_, convention_.separator, cells_)) return;
    // A quoted cell may hold line breaks: the record goes on to the line
    // where the quote closes, or to the end of the file. Only the lines
    // added are scanned, so a quote never closed costs one pass.
    std::size_t opened = input.line_number();
    QuoteState state = QuoteState::Quoted;
    while (!record_end_.empty()) {
        const std::optional<std::string_view> more = input.next();
        if (!more) break;
        const std::size_t scanned = record_.size();
        record_ += record_end_;
        length = text_length(*more);
        record_.append(more->substr(0, length));
        record_end_.assign(more->substr(length));
        if (record_.size() > kLongestLine) {
            read_error_ =
                "virgolette aperte alla riga " + std::to_string(opened) + " e non chiuse entro 1 MiB";
            return;
        }
        for (std::size_t i = scanned; i < record_.size(); ++i) {
            const QuoteState next = next_quote_state(state, record_[i], convention_.separator);
            if (next == QuoteState::Quoted && state == QuoteState::CellStart) opened = input.line_number();
            state = next;
        }
        if (state != QuoteState::Quoted) {
            split_cells(record_, convention_.separator, cells_);
            return;
        }
    }
    if (input.problem() != ReadProblem::None) {
        read_error_ = input.problem_reason();
        return;
    }
    split_cells(record_, convention_.separator, cells_);
    open_quote_line_ = opened;
}

std::string_view CsvTable::cell(std::size_t i) const
{
    const std::size_t at = at_[i];
    return at < cells_.size() ? std::string_view(cells_[at]) : std::string_view();
}

bool CsvTable::blank() const
{
    return std::all_of(cells_.begin(), cells_.end(),
                       [](const std::string& cell) { return trimmed(cell).empty(); });
}

std::string CsvTable::refusal() const
{
    if (open_quote_line_ != 0)
        return "virgolette aperte alla riga " + std::to_string(open_quote_line_) + " e mai chiuse";
    if (cells_.size() > header_cells_)
        return "la riga ha " + std::to_string(cells_.size()) + " celle, l'intestazione " +
               std::to_string(header_cells_);
    return {};
}

void CsvTable::write_header(std::span<const std::string> names)
{
    // A file the program wrote has every one of its columns.
    for (const std::string& name : names) {
        const auto at = std::find_if(cells_.begin(), cells_.end(),
                                     [&](const std::string& cell) { return without_unit(cell) == name; });
        if (at == cells_.end()) {
            rewritten_at_.clear();
            break;
        }
        rewritten_at_.push_back(static_cast<std::size_t>(at - cells_.begin()));
    }
    if (rewrites())
        std::erase_if(unused_, [&](const std::string& name) {
            return std::find(names.begin(), names.end(), name) != names.end();
        });
    pending_ += preamble_;
    pending_ += record_;
    if (!rewrites()) write(names, 0);
    pending_ += record_end_;
}

std::vector<std::string> CsvTable::written_cells(std::span<const std::string> cells) const
{
    std::vector<std::string> row = cells_;
    // A short record gets empty cells, so the program's cells stay in their columns.
    row.resize(std::max(row.size(), header_cells_));
    if (!rewrites()) {
        row.insert(row.end(), cells.begin(), cells.end());
        return row;
    }
    for (std::size_t i = 0; i < cells.size() && i < rewritten_at_.size(); ++i)
        row[rewritten_at_[i]] = cells[i];
    return row;
}

void CsvTable::write_record(const ByteSink& output, std::span<const std::string> cells)
{
    if (blank()) {
        pending_ += record_;
    } else if (rewrites()) {
        // The program's own cells written anew; every other passed through as it stood.
        const std::vector<std::string> row = written_cells(cells);
        const std::vector<std::string_view> raw = raw_cells(record_, convention_.separator);
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) pending_ += convention_.separator;
            const bool rewritten = std::find(rewritten_at_.begin(), rewritten_at_.end(), i) != rewritten_at_.end();
            if (!rewritten && i < raw.size())
                pending_ += raw[i];
            else
                pending_ += quoted_cell(row[i], convention_.separator);
        }
    } else {
        pending_ += record_;
        write(cells, header_cells_ > cells_.size() ? header_cells_ - cells_.size() : 0);
    }
    pending_ += record_end_;
    if (pending_.size() >= kFlushAt) flush(output);
}

void CsvTable::write(std::span<const std::string> cells, std::size_t padding)
{
    pending_.append(padding, convention_.separator);
    for (const std::string& cell : cells) {
        pending_ += convention_.separator;
        if (cell.find_first_of(std::string{convention_.separator, '"', '\n', '\r'}) == std::string::npos)
            pending_ += cell;
        else
            pending_ += quoted_cell(cell, convention_.separator);
    }
}

void CsvTable::flush(const ByteSink& output)
{
    if (!pending_.empty()) output(pending_);
    pending_.clear();
}

std::vector<std::vector<std::string>> table_rows(std::string_view table, char locale_mark)
{
    LineReader lines(table);
    std::string error;
    std::optional<CsvTable> read = CsvTable::read_header(lines, {}, locale_mark, error);
    if (!read) return {};
    std::vector<std::vector<std::string>> rows{read->cells()};
    while (read->next_record(lines))
        rows.push_back(read->cells());
    return rows;
}

}  // namespace tables
