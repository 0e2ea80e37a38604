// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace shared_rules {

// Bytes in, from a file, standard input or a page: fills the buffer and
// returns how many it put there; 0 at the end.
using ByteSource = std::function<std::size_t(char* buffer, std::size_t capacity)>;
// Bytes out, in pieces.
using ByteSink = std::function<void(std::string_view bytes)>;

// A source read a line at a time, in large pieces.
class LineReader {
public:
    explicit LineReader(ByteSource source) : source_(std::move(source)) {}
    // Over text already in memory.
    explicit LineReader(std::string_view text);

    // The next line with its end, "\n" (or none at the end of the input);
    // none when the input is over. Valid until the next call.
    std::optional<std::string_view> next();

private:
    ByteSource source_;
    std::string buffer_;
    std::size_t start_ = 0;
    bool ended_ = false;
};

}  // namespace shared_rules
