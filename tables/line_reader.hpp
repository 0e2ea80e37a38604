// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tables {

// Bytes in, from a file, standard input or a page: fills the buffer and
// returns how many it put there; 0 at the end.
using ByteSource = std::function<std::size_t(char* buffer, std::size_t capacity)>;
// Bytes out, in pieces.
using ByteSink = std::function<void(std::string_view bytes)>;

// The longest line read; a longer one is no line of a table.
inline constexpr std::size_t kLongestLine = std::size_t{1} << 20;

// Why reading stopped before the end of the input.
enum class ReadProblem {
    None,
    NotText,      // NUL bytes at the start: a binary file
    Workbook,     // a zip archive: an .xlsx or .ods workbook
    LineTooLong,  // no line end within kLongestLine bytes
};

// A source read a line at a time, in large pieces, as text: UTF-8, or
// UTF-16 of either byte order after its byte order mark, turned into UTF-8
// (the mark with it). A line ends at "\n", "\r\n" or a lone "\r", as
// spreadsheets on every system end them.
class LineReader {
public:
    explicit LineReader(ByteSource source) : source_(std::move(source)) {}
    // Over text already in memory.
    explicit LineReader(std::string_view text);

    // The next line with its end (none at the end of the input); none when
    // the input is over or reading stopped on a problem. Valid until the
    // next call.
    std::optional<std::string_view> next();

    ReadProblem problem() const { return problem_; }
    // The number of the last line given, from 1.
    std::size_t line_number() const { return line_number_; }
    // Why reading stopped, in Italian; empty where it did not.
    std::string problem_reason() const;

private:
    enum class Encoding { Unknown, Utf8, Utf16LittleEndian, Utf16BigEndian };

    void read_piece();
    void take(std::string_view bytes);
    void decode_utf16(std::string_view bytes);
    std::optional<std::size_t> line_end() const;

    ByteSource source_;
    std::string buffer_;
    std::size_t start_ = 0;
    bool ended_ = false;
    Encoding encoding_ = Encoding::Unknown;
    std::string carry_;                 // an odd byte of UTF-16 not yet decoded
    std::uint16_t high_surrogate_ = 0;  // waiting for its low half
    ReadProblem problem_ = ReadProblem::None;
    std::size_t line_number_ = 0;
};

}  // namespace tables
