// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

#include "section_inputs/section_inputs.hpp"

namespace window_layout {

// The window's text fields.
enum class Field { B, H, D1, D, As, As1, Fsd, Fcd, Nd, Mu, Yc };

// Each field's control name and the text it shows at start.
struct FieldEntry {
    Field field;
    const char* name;
    const char* initial_text;
};

using section_inputs::Input;
constexpr const char* input_field(Input input)
{
    return section_inputs::entry(input).field;
}

// clang-format off
inline constexpr FieldEntry kFieldSet[] = {
    {Field::B, input_field(Input::B), "b"},           {Field::H, input_field(Input::H), "h"},
    {Field::D1, input_field(Input::D1), "3.5"},       {Field::D, "txt_D", "d"},
    {Field::As, input_field(Input::As), "0"},         {Field::As1, input_field(Input::As1), "0"},
    {Field::Fsd, input_field(Input::Fsd), "3304"},    {Field::Fcd, input_field(Input::Fcd), "110"},
    {Field::Nd, input_field(Input::Nd), ""},          {Field::Mu, "txt_Mu", "0"},
    {Field::Yc, "txt_Yc", ""},
};
// clang-format on

// The field an input is typed in.
constexpr Field field_of(Input input)
{
    for (const FieldEntry& entry : kFieldSet)
        if (std::string_view(entry.name) == input_field(input)) return entry.field;
    throw "every input has a field";  // not reached: a compile-time error where used in a constant
}

// The axial-force field's background when no axial force is given, 0xRRGGBB.
inline constexpr std::uint32_t kNoAxialForceBackground = 0xC0C0C0;

}  // namespace window_layout
