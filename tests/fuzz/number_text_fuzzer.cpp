// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes in a field read as a number or 0, never crash, and every single
// the program writes, in field text or exactly, reads back to the same.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "numbers/exact_number.hpp"
#include "numbers/number_text.hpp"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (std::isnan(numbers::text_to_number(bytes))) std::abort();
    for (const auto marks : {numbers::NumberMarks::Either, numbers::NumberMarks::DecimalComma})
        if (const auto number = numbers::read_cell_number(bytes, marks); number && std::isnan(*number))
            std::abort();
    float value;
    if (size < sizeof value) return 0;
    std::memcpy(&value, data, sizeof value);
    if (!std::isfinite(value)) return 0;
    for (const char mark : {',', '.'}) {
        const std::string text = numbers::number_to_text(value, mark);
        const auto read = static_cast<float>(numbers::text_to_number(text));
        if (numbers::number_to_text(read, mark) != text) std::abort();
        const std::string exact = numbers::exact_text(value, mark);
        if (static_cast<float>(numbers::text_to_number(exact)) != value && value != 0) std::abort();
    }
    return 0;
}
