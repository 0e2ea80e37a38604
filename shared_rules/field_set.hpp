// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

namespace shared_rules {

// The window's text fields.
enum class Field { B, H, D1, D, As, As1, Fsd, Fcd, Nd, Mu, Yc };

// Each field's control name, the text it shows at start, and the name it
// goes by on the command line and in a page's link (none for a result).
struct FieldEntry {
    Field field;
    const char* name;
    const char* initial_text;
    const char* option;
};

// clang-format off
inline constexpr FieldEntry kFieldSet[] = {
    {Field::B, "txt_B", "b", "b"},             {Field::H, "txt_H", "h", "h"},
    {Field::D1, "txt_D1", "3.5", "c"},         {Field::D, "txt_D", "d", nullptr},
    {Field::As, "txt_As", "0", "As"},          {Field::As1, "txt_As1", "0", "As1"},
    {Field::Fsd, "txt_Fsd", "3304", "fsd"},    {Field::Fcd, "txt_Fcd", "110", "fcd"},
    {Field::Nd, "txt_Nd", "", "Nd"},           {Field::Mu, "txt_Mu", "0", nullptr},
    {Field::Yc, "txt_Yc", "", nullptr},
};
// clang-format on

// The fields the Calculate command reads, in the order it reads them.
inline constexpr Field kInputFields[] = {Field::B,   Field::H,   Field::As, Field::As1,
                                         Field::Fsd, Field::Fcd, Field::D1, Field::Nd};

// The option of the i-th value the Calculate command reads.
constexpr const char* input_option(std::size_t i)
{
    return kFieldSet[static_cast<std::size_t>(kInputFields[i])].option;
}

// The axial-force field's background when no axial force is given, 0xRRGGBB.
inline constexpr std::uint32_t kNoAxialForceBackground = 0xC0C0C0;

}  // namespace shared_rules
