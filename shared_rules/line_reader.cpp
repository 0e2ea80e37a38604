// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared_rules/line_reader.hpp"

#include <algorithm>
#include <cstring>

namespace shared_rules {

namespace {

constexpr std::size_t kPiece = 1 << 16;

}  // namespace

LineReader::LineReader(std::string_view text) : buffer_(text), ended_(true) {}

std::optional<std::string_view> LineReader::next()
{
    for (;;) {
        const std::size_t end = buffer_.find('\n', start_);
        if (end != std::string::npos) {
            const std::string_view line(buffer_.data() + start_, end + 1 - start_);
            start_ = end + 1;
            return line;
        }
        if (ended_) {
            if (start_ == buffer_.size()) return std::nullopt;
            const std::string_view rest(buffer_.data() + start_, buffer_.size() - start_);
            start_ = buffer_.size();
            return rest;
        }
        // Keep the unfinished line, then read on after it.
        buffer_.erase(0, start_);
        start_ = 0;
        const std::size_t kept = buffer_.size();
        buffer_.resize(kept + kPiece);
        const std::size_t got = source_(buffer_.data() + kept, kPiece);
        buffer_.resize(kept + got);
        ended_ = got == 0;
    }
}

}  // namespace shared_rules
