// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace shared_rules {

// The window's text fields.
enum class Field { B, H, D1, D, As, As1, Fsd, Fcd, Nd, Mu, Yc };

// Each field's control name and the text it shows at start.
struct FieldEntry {
    Field field;
    const char* name;
    const char* initial_text;
};

// clang-format off
inline constexpr FieldEntry kFieldSet[] = {
    {Field::B, "txt_B", "b"},           {Field::H, "txt_H", "h"},
    {Field::D1, "txt_D1", "3.5"},       {Field::D, "txt_D", "d"},
    {Field::As, "txt_As", "0"},         {Field::As1, "txt_As1", "0"},
    {Field::Fsd, "txt_Fsd", "3304"},    {Field::Fcd, "txt_Fcd", "110"},
    {Field::Nd, "txt_Nd", ""},          {Field::Mu, "txt_Mu", "0"},
    {Field::Yc, "txt_Yc", ""},
};
// clang-format on

// The fields the Calculate command reads, in the order it reads them.
inline constexpr Field kInputFields[] = {Field::B,   Field::H,   Field::As, Field::As1,
                                         Field::Fsd, Field::Fcd, Field::D1, Field::Nd};

// The axial-force field's background when no axial force is given, 0xRRGGBB.
inline constexpr std::uint32_t kNoAxialForceBackground = 0xC0C0C0;

}  // namespace shared_rules
