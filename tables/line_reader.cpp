// SPDX-License-Identifier: GPL-3.0-or-later
#include "tables/line_reader.hpp"

#include <algorithm>

namespace tables {

namespace {

constexpr std::size_t kPiece = 1 << 16;
constexpr std::string_view kLittleEndianMark = "\xFF\xFE";
constexpr std::string_view kBigEndianMark = "\xFE\xFF";
constexpr std::string_view kZipSignature = "PK\x03\x04";
constexpr char32_t kReplacement = 0xFFFD;
constexpr std::size_t kTextSniff = 1024;  // the first bytes, where a NUL means no text

void append_utf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

LineReader::LineReader(std::string_view text) : ended_(true)
{
    take(text);
}

std::string LineReader::problem_reason() const
{
    switch (problem_) {
    case ReadProblem::None:
        return {};
    case ReadProblem::NotText:
        return "non è un file di testo";
    case ReadProblem::Workbook:
        return "è una cartella di lavoro (.xlsx o .ods), non un file CSV: salvarla come CSV e riprovare";
    case ReadProblem::LineTooLong:
        return "la riga " + std::to_string(line_number_ + 1) +
               " è più lunga di 1 MiB: non è una riga di tabella";
    }
    return {};
}

void LineReader::take(std::string_view bytes)
{
    std::string first;
    if (encoding_ == Encoding::Unknown) {
        // The first bytes say what the input is: wait for enough of them.
        carry_.append(bytes);
        if (carry_.size() < kZipSignature.size() && !ended_) return;
        first.swap(carry_);
        bytes = first;
        encoding_ = bytes.starts_with(kLittleEndianMark) ? Encoding::Utf16LittleEndian
                    : bytes.starts_with(kBigEndianMark)  ? Encoding::Utf16BigEndian
                                                         : Encoding::Utf8;
        if (bytes.starts_with(kZipSignature)) problem_ = ReadProblem::Workbook;
    }
    const std::size_t before = buffer_.size();
    if (encoding_ == Encoding::Utf8)
        buffer_.append(bytes);
    else
        decode_utf16(bytes);
    // NUL bytes among the first ones: no text, however long its "line".
    if (before < kTextSniff && problem_ == ReadProblem::None &&
        std::string_view(buffer_).substr(before, kTextSniff - before).find('\0') != std::string_view::npos)
        problem_ = ReadProblem::NotText;
}

void LineReader::decode_utf16(std::string_view bytes)
{
    std::string units = carry_ + std::string(bytes);
    const bool little = encoding_ == Encoding::Utf16LittleEndian;
    std::size_t i = 0;
    for (; i + 1 < units.size(); i += 2) {
        const auto first = static_cast<unsigned char>(units[i]),
                   second = static_cast<unsigned char>(units[i + 1]);
        const auto unit = static_cast<std::uint16_t>(little ? first | second << 8 : first << 8 | second);
        if (high_surrogate_ != 0) {
            const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
            append_utf8(buffer_,
                        low ? 0x10000 + ((high_surrogate_ - 0xD800) << 10) + (unit - 0xDC00) : kReplacement);
            high_surrogate_ = 0;
            if (low) continue;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF)
            high_surrogate_ = unit;
        else
            append_utf8(buffer_, unit >= 0xDC00 && unit <= 0xDFFF ? kReplacement : unit);
    }
    carry_ = units.substr(i);
}

void LineReader::read_piece()
{
    std::string piece(kPiece, '\0');
    const std::size_t got = source_(piece.data(), kPiece);
    ended_ = got == 0;
    take(std::string_view(piece.data(), got));
}

// Where the current line ends, its end included; none where it may go on
// in bytes not read yet.
std::optional<std::size_t> LineReader::line_end() const
{
    const auto first = buffer_.begin() + static_cast<std::ptrdiff_t>(start_);
    const auto mark = std::find_if(first, buffer_.end(), [](char c) { return c == '\n' || c == '\r'; });
    if (mark == buffer_.end()) return std::nullopt;
    const auto at = static_cast<std::size_t>(mark - buffer_.begin());
    if (*mark == '\n') return at + 1;
    if (at + 1 < buffer_.size()) return at + 1 + (buffer_[at + 1] == '\n' ? 1 : 0);
    if (ended_) return at + 1;
    return std::nullopt;  // a "\n" may follow in the next piece
}

std::optional<std::string_view> LineReader::next()
{
    for (;;) {
        if (problem_ != ReadProblem::None) return std::nullopt;
        if (const std::optional<std::size_t> end = line_end()) {
            const std::string_view line(buffer_.data() + start_, *end - start_);
            start_ = *end;
            ++line_number_;
            return line;
        }
        if (buffer_.size() - start_ > kLongestLine) {
            problem_ = ReadProblem::LineTooLong;
            return std::nullopt;
        }
        if (ended_) {
            if (start_ == buffer_.size()) return std::nullopt;
            const std::string_view rest(buffer_.data() + start_, buffer_.size() - start_);
            start_ = buffer_.size();
            ++line_number_;
            return rest;
        }
        // Keep the unfinished line, then read on after it.
        buffer_.erase(0, start_);
        start_ = 0;
        read_piece();
    }
}

}  // namespace tables
