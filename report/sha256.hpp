// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace report {

// The SHA-256 digest (FIPS 180-4) of bytes given in pieces, so that a file
// is hashed as it is read: a checker hashes the same file and compares.
class Sha256 {
public:
    Sha256();
    void add(std::string_view bytes);
    // The digest as 64 lowercase hexadecimal digits; ends the hashing.
    std::string hex();

private:
    void compress(const unsigned char* block);

    std::array<std::uint32_t, 8> state_;
    std::array<unsigned char, 64> block_{};
    std::size_t filled_ = 0;
    std::uint64_t length_ = 0;  // in bytes
};

}  // namespace report
