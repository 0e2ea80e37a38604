// SPDX-License-Identifier: GPL-3.0-or-later
#include "tables/csv.hpp"

#include <cctype>

namespace tables {

std::optional<CsvConvention> convention_of_separator(char separator, char locale_mark)
{
    if (separator == ';') return kSemicolonComma;
    if (separator == ',') return kCommaPoint;
    if (separator == '\t') return CsvConvention{'\t', locale_mark == ',' ? ',' : '.'};
    return std::nullopt;
}

CsvConvention convention_of_header(std::string_view header, char locale_mark)
{
    if (header.find(';') != std::string_view::npos) return kSemicolonComma;
    if (header.find('\t') != std::string_view::npos) return *convention_of_separator('\t', locale_mark);
    return kCommaPoint;
}

std::optional<char> separator_hint(std::string_view line)
{
    constexpr std::string_view kHint = "sep=";
    if (line.size() != kHint.size() + 1) return std::nullopt;
    for (std::size_t i = 0; i < kHint.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(line[i])) != kHint[i]) return std::nullopt;
    return line.back();
}

QuoteState next_quote_state(QuoteState state, char c, char separator) noexcept
{
    switch (state) {
    case QuoteState::CellStart:
        return c == '"' ? QuoteState::Quoted : c == separator ? QuoteState::CellStart : QuoteState::Unquoted;
    case QuoteState::Unquoted:
        return c == separator ? QuoteState::CellStart : QuoteState::Unquoted;
    case QuoteState::Quoted:
        return c == '"' ? QuoteState::QuoteInQuoted : QuoteState::Quoted;
    case QuoteState::QuoteInQuoted:
        return c == '"' ? QuoteState::Quoted : c == separator ? QuoteState::CellStart : QuoteState::Unquoted;
    }
    return state;
}

std::vector<std::string_view> raw_cells(std::string_view record, char separator)
{
    std::vector<std::string_view> cells;
    std::size_t start = 0;
    QuoteState state = QuoteState::CellStart;
    for (std::size_t i = 0; i < record.size(); ++i) {
        state = next_quote_state(state, record[i], separator);
        if (state == QuoteState::CellStart) {
            cells.push_back(record.substr(start, i - start));
            start = i + 1;
        }
    }
    cells.push_back(record.substr(start));
    return cells;
}

bool split_cells(std::string_view record, char separator, std::vector<std::string>& cells) noexcept
{
    // The cells' strings are kept from record to record, for their room.
    std::size_t count = 0;
    const auto next_cell = [&]() -> std::string& {
        if (count == cells.size()) cells.emplace_back();
        std::string& cell = cells[count++];
        cell.clear();
        return cell;
    };
    std::string* cell = &next_cell();
    QuoteState state = QuoteState::CellStart;
    for (const char c : record) {
        const QuoteState next = next_quote_state(state, c, separator);
        const bool opens = state == QuoteState::CellStart && next == QuoteState::Quoted;
        const bool may_close = state == QuoteState::Quoted && next == QuoteState::QuoteInQuoted;
        if (next == QuoteState::CellStart)
            cell = &next_cell();
        else if (!opens && !may_close)
            *cell += c;  // the second of "" too
        state = next;
    }
    cells.resize(count);
    return state == QuoteState::Quoted;
}

std::string quoted_cell(std::string_view cell, char separator)
{
    if (cell.find_first_of(std::string{separator, '"', '\n', '\r'}) == std::string_view::npos)
        return std::string(cell);
    std::string quoted = "\"";
    for (const char c : cell) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace tables
