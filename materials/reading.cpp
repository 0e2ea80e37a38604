// SPDX-License-Identifier: GPL-3.0-or-later
#include "materials/reading.hpp"

#include <cctype>

#include "numbers/exact_number.hpp"

namespace materials {

std::string table_name(std::string_view text)
{
    std::string name(numbers::trimmed(text));
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

}  // namespace materials
