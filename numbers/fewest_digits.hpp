// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace numbers {

// A decimal number: digits x 10^exponent.
struct DecimalDigits {
    std::uint32_t digits = 0;
    int exponent = 0;
};

// The fewest decimal digits that read back as the very same single, the
// closest of them to it where several do; ties to an even last digit. The
// magnitude of a finite value that is not 0.
DecimalDigits fewest_digits(float value) noexcept;

}  // namespace numbers
