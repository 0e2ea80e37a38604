// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared_rules/csv.hpp"

#include <cctype>

namespace shared_rules {

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

bool split_cells(std::string_view record, char separator, std::vector<std::string>& cells) noexcept
{
    // The cells' strings are kept from record to record, for their room.
    std::size_t count = 0;
    bool open = false;
    for (std::size_t start = 0;; ++start) {
        if (count == cells.size()) cells.emplace_back();
        std::string& cell = cells[count++];
        cell.clear();
        if (start < record.size() && record[start] == '"') {
            // Quoted: separators and line breaks inside belong to the cell, "" is a quote.
            for (++start; start < record.size(); ++start) {
                if (record[start] == '"') {
                    if (start + 1 >= record.size() || record[start + 1] != '"') break;
                    ++start;
                }
                cell += record[start];
            }
            if (start >= record.size()) open = true;
            if (start < record.size()) ++start;  // past the closing quote
        }
        const std::size_t end = record.find(separator, start);
        cell.append(record.substr(start, (end == std::string_view::npos ? record.size() : end) - start));
        if (end == std::string_view::npos) {
            cells.resize(count);
            return open;
        }
        start = end;
    }
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

}  // namespace shared_rules
