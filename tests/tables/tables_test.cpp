// SPDX-License-Identifier: GPL-3.0-or-later
// Lines read as every system ends them, in every encoding.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tables/csv.hpp"
#include "tables/csv_table.hpp"
#include "tables/line_reader.hpp"

namespace {

using namespace tables;

// The lines of a reader fed one byte at a time, so that a piece ends inside
// every line end and every character; then why it stopped.
std::vector<std::string> lines_of(const std::string& bytes, ReadProblem expected = ReadProblem::None)
{
    std::size_t at = 0;
    LineReader reader([&](char* buffer, std::size_t) -> std::size_t {
        if (at == bytes.size()) return 0;
        buffer[0] = bytes[at++];
        return 1;
    });
    std::vector<std::string> lines;
    while (const auto line = reader.next())
        lines.emplace_back(*line);
    EXPECT_EQ(reader.problem(), expected);
    return lines;
}

TEST(LineReader, EndsLinesAsEverySystemDoesAndReadsUtf16AsUtf8)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(lines_of("a\r\nb\rc\nd\r"), (Lines{"a\r\n", "b\r", "c\n", "d\r"}));
    EXPECT_EQ(lines_of("\r\r\n\n"), (Lines{"\r", "\r\n", "\n"}));
    // "é;x" then a character beyond 16 bits, a lone low half and CR LF.
    const std::string little("\xFF\xFE\xE9\x00;\x00x\x00\x35\xD8\x65\xDC\x00\xDC\r\x00\n\x00", 18);
    std::string big = "\xFE\xFF";
    for (std::size_t i = 2; i < little.size(); i += 2)
        big += std::string{little[i + 1], little[i]};
    const Lines utf8{"\xEF\xBB\xBF\xC3\xA9;x\xF0\x9D\x91\xA5\xEF\xBF\xBD\r\n"};
    EXPECT_EQ(lines_of(little), utf8);
    EXPECT_EQ(lines_of(big), utf8);
    EXPECT_EQ(lines_of(std::string("\0\0b;h\n", 6), ReadProblem::NotText), Lines{});
    EXPECT_EQ(lines_of("PK\x03\x04"
                       "b;h\n",
                       ReadProblem::Workbook),
              Lines{});
    LineReader endless(std::string(kLongestLine + 1, 'b'));
    EXPECT_FALSE(endless.next());
    EXPECT_EQ(endless.problem_reason(), "la riga 1 è più lunga di 1 MiB: non è una riga di tabella");
}

// A line's bound is counted from its own start, not from the file's.
TEST(LineReader, BoundsEachLineFromItsOwnStart)
{
    const std::string first(100, 'a'), second(kLongestLine - 10, 'b');
    LineReader reader(first + "\n" + second + "\n");
    EXPECT_EQ(reader.next()->size(), first.size() + 1);
    EXPECT_EQ(reader.next()->size(), second.size() + 1);
    EXPECT_EQ(reader.problem(), ReadProblem::None);
    LineReader longest(std::string(kLongestLine, 'c') + "\n");
    EXPECT_TRUE(longest.next());
    LineReader second_too_long(first + "\n" + std::string(kLongestLine + 1, 'b'));
    EXPECT_TRUE(second_too_long.next());
    EXPECT_FALSE(second_too_long.next());
    EXPECT_EQ(second_too_long.problem_reason(), "la riga 2 è più lunga di 1 MiB: non è una riga di tabella");
}

struct Split {
    std::vector<std::string> cells;
    bool open;
    bool operator==(const Split&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Split& split)
{
    for (const std::string& cell : split.cells)
        out << '[' << cell << ']';
    return out << (split.open ? " open" : "");
}

Split split(std::string_view record, char separator = ';')
{
    std::vector<std::string> cells{"left over", "from before", "and more", "still", "more"};
    const bool open = split_cells(record, separator, cells);
    return {cells, open};
}

using Cells = std::vector<std::string>;

TEST(QuotedCells, HoldSeparatorsLineBreaksAndDoubledQuotes)
{
    EXPECT_EQ(split("a;\"b;c\";d"), (Split{{"a", "b;c", "d"}, false}));  // a quote right after a separator
    EXPECT_EQ(split("\"a\nb\";c"), (Split{{"a\nb", "c"}, false}));
    EXPECT_EQ(split("\"a\r\nb\rc\";d"), (Split{{"a\r\nb\rc", "d"}, false}));
    EXPECT_EQ(split("\"say \"\"hi\"\"\";x"), (Split{{"say \"hi\"", "x"}, false}));
    EXPECT_EQ(split("\"\"\"\""), (Split{{"\""}, false}));
    EXPECT_EQ(split("\"\";\"\""), (Split{{"", ""}, false}));
    EXPECT_EQ(split("a,\"b,c\"", ','), (Split{{"a", "b,c"}, false}));
}

TEST(QuotedCells, KeepQuotesThatOpenNoCell)
{
    EXPECT_EQ(split("ab\"c;d"), (Split{{"ab\"c", "d"}, false}));    // in the middle of an unquoted cell
    EXPECT_EQ(split("ab\";\"c"), (Split{{"ab\"", "c"}, true}));     // the second one opens a cell
    EXPECT_EQ(split("\"ab\"cd;e"), (Split{{"abcd", "e"}, false}));  // text after the closing quote
    EXPECT_EQ(split("\"ab\"c\"d;e"), (Split{{"abc\"d", "e"}, false}));
    EXPECT_EQ(split(" \"a;b\""), (Split{{" \"a", "b\""}, false}));  // a blank first: no quoted cell
}

TEST(QuotedCells, SayWhenAQuoteIsStillOpen)
{
    EXPECT_EQ(split("\"abc;d"), (Split{{"abc;d"}, true}));
    EXPECT_EQ(split("a;\"b\"\""), (Split{{"a", "b\""}, true}));
    EXPECT_EQ(split("\""), (Split{{""}, true}));
    EXPECT_EQ(split(""), (Split{{""}, false}));
    EXPECT_EQ(split(";;"), (Split{{"", "", ""}, false}));
}

// Each cell as it stands in its record, for a cell passed through unchanged.
TEST(QuotedCells, AreFoundAsTheyStand)
{
    using Raw = std::vector<std::string_view>;
    EXPECT_EQ(raw_cells("\"Trave\" T1;30", ';'), (Raw{"\"Trave\" T1", "30"}));
    EXPECT_EQ(raw_cells("\"a;b\";x\"\"y;", ';'), (Raw{"\"a;b\"", "x\"\"y", ""}));
    EXPECT_EQ(raw_cells("a,\"b,c\"", ','), (Raw{"a", "\"b,c\""}));
    EXPECT_EQ(raw_cells("", ';'), (Raw{""}));
}

TEST(QuotedCells, AreWrittenSoThatTheyReadBack)
{
    EXPECT_EQ(quoted_cell("trave T1", ';'), "trave T1");
    EXPECT_EQ(quoted_cell("a;b", ';'), "\"a;b\"");
    EXPECT_EQ(quoted_cell("a;b", ','), "a;b");
    EXPECT_EQ(quoted_cell("say \"hi\"", ';'), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(quoted_cell("two\nlines", ';'), "\"two\nlines\"");
    EXPECT_EQ(quoted_cell("cr\r", ','), "\"cr\r\"");
    for (const std::string cell : {"a;b", "\"", "x\"y", "\r\n", ";", "\"\";\""})
        EXPECT_EQ(split(quoted_cell(cell, ';')), (Split{{cell}, false})) << cell;
}

// A table read and written back: each record's bytes and its own line end
// as they were, a quoted line break inside one record.
TEST(CsvTables, KeepEachRecordAndItsLineEnd)
{
    const TableColumn columns[] = {{"b", true}, {"h", false}};
    const std::string file = "nome;b;h\r\n\"T\r\n1\";30;50\n\"T;2\";31;\r\"T\"\"3\";32;52";
    LineReader input(file);
    std::string error;
    std::optional<CsvTable> table = CsvTable::read_header(input, columns, '.', error);
    ASSERT_TRUE(table) << error;
    const std::string names[] = {"esito"};
    table->write_header(names);
    std::string written;
    const auto sink = [&](std::string_view bytes) { written += bytes; };
    std::vector<Cells> read;
    while (table->next_record(input)) {
        read.push_back(table->cells());
        const std::string verdict[] = {"ok;" + std::string(table->cell(0))};
        table->write_record(sink, verdict);
    }
    table->flush(sink);
    EXPECT_EQ(read, (std::vector<Cells>{{"T\r\n1", "30", "50"}, {"T;2", "31", ""}, {"T\"3", "32", "52"}}));
    EXPECT_EQ(
        written,
        "nome;b;h;esito\r\n\"T\r\n1\";30;50;\"ok;30\"\n\"T;2\";31;;\"ok;31\"\r\"T\"\"3\";32;52;\"ok;32\"");
}

}  // namespace
