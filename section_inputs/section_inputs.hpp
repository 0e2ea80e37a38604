// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "section_analysis/section_state.hpp"

namespace section_inputs {

// What the user gives for a section. The order is the one in which the
// Calculate command checks them, so a refusal names the first bad value.
enum class Input { B, H, As, As1, Fsd, Fcd, D1, Nd };
inline constexpr std::size_t kInputCount = 8;

// One value per input, indexed by Input.
template <class T> using PerInput = std::array<T, kInputCount>;
using InputValues = PerInput<double>;      // as read, before they are stored as singles
using InputTexts = PerInput<std::string>;  // UTF-8, as typed

constexpr std::size_t index(Input input)
{
    return static_cast<std::size_t>(input);
}

// The kind of quantity an input is, which names its unit.
enum class Quantity { Length, Area, Strength, Force };

// Everything the faces know of one input.
struct InputEntry {
    Input input;
    const char* field;   // the window's text field, and the page's, whose value the page stores under it
    const char* option;  // on the command line and in a page's link
    const char* column;  // lotto's header name
    std::array<const char*, 2> other_columns = {};  // other header names read for it
    bool may_be_empty = false;                      // empty reads as 0 (Nd: pure bending)
    Quantity quantity;
    float section_analysis::SectionState::*member;  // where the Calculate command stores it
    const char* refusal;      // the Calculate command's message for a value not above 0; none unchecked
    const char* example;      // in the worked example of the usage
    const char* description;  // for --help
    const char* report_name;  // in the report's data table
};

using section_analysis::SectionState;

// In the order the help and the report list them: geometry, materials, steel, force.
inline constexpr InputEntry kInputs[] = {
    {.input = Input::B,
     .field = "txt_B",
     .option = "b",
     .column = "b",
     .quantity = Quantity::Length,
     .member = &SectionState::B,
     .refusal = "valore della base della sezione non corretto",
     .example = "30",
     .description = "base b della sezione",
     .report_name = "b, base"},
    {.input = Input::H,
     .field = "txt_H",
     .option = "h",
     .column = "h",
     .quantity = Quantity::Length,
     .member = &SectionState::H,
     .refusal = "valore dell'altezza della sezione non corretto",
     .example = "50",
     .description = "altezza lorda h della sezione",
     .report_name = "h, altezza"},
    {.input = Input::D1,
     .field = "txt_D1",
     .option = "c",
     .column = "c",
     .quantity = Quantity::Length,
     .member = &SectionState::D1,
     .refusal = "valore del copriferro non corretto",
     .example = "3.5",
     .description = "copriferro c: distanza dal bordo al baricentro delle barre di ciascuno strato, non il "
                    "copriferro netto (d = h - c)",
     .report_name = "c, distanza dal bordo al baricentro delle barre"},
    {.input = Input::Fcd,
     .field = "txt_Fcd",
     .option = "fcd",
     .column = "fcd",
     .quantity = Quantity::Strength,
     .member = &SectionState::Fcd,
     .refusal = "valore della tensione del cls non corretto",
     .example = "110",
     .description = "resistenza di progetto del calcestruzzo",
     .report_name = "fcd, resistenza di progetto del calcestruzzo"},
    {.input = Input::Fsd,
     .field = "txt_Fsd",
     .option = "fsd",
     .column = "fsd",
     .quantity = Quantity::Strength,
     .member = &SectionState::Fsd,
     .refusal = "valore della tensione dell'armatura non corretto",
     .example = "3304",
     .description = "resistenza di progetto dell'acciaio",
     .report_name = "fsd, resistenza di progetto dell'acciaio"},
    {.input = Input::As,
     .field = "txt_As",
     .option = "As",
     .column = "As",
     .quantity = Quantity::Area,
     .member = &SectionState::As,
     .refusal = "valore dell'armatura tesa non corretto",
     .example = "10",
     .description = "area di acciaio in zona tesa",
     .report_name = "As, armatura tesa"},
    {.input = Input::As1,
     .field = "txt_As1",
     .option = "As1",
     .column = "As'",
     .other_columns = {"As1", "As’"},
     .quantity = Quantity::Area,
     .member = &SectionState::As1,
     .refusal = "valore dell'armatura compressa non corretto",
     .example = "5",
     .description = "area di acciaio in zona compressa (As')",
     .report_name = "As', armatura compressa"},
    {.input = Input::Nd,
     .field = "txt_Nd",
     .option = "Nd",
     .column = "Nd",
     .other_columns = {"NEd"},
     .may_be_empty = true,
     .quantity = Quantity::Force,
     .member = &SectionState::Nd,
     .refusal = nullptr,
     .example = "0",
     .description = "sforzo normale di progetto, positivo se di compressione (facoltativo; nel dominio, "
                    "punti in più, anche ripetuto)",
     .report_name = "Nd, sforzo normale (positivo di compressione)"},
};

static_assert(std::size(kInputs) == kInputCount);

// The entry of an input.
constexpr const InputEntry& entry(Input input)
{
    for (const InputEntry& e : kInputs)
        if (e.input == input) return e;
    throw "every input has an entry";  // not reached: a compile-time error where used in a constant
}

// Each input's entry in the order the Calculate command checks them.
inline constexpr PerInput<const InputEntry*> kChecked = [] {
    PerInput<const InputEntry*> ordered{};
    for (const InputEntry& e : kInputs)
        ordered[index(e.input)] = &e;
    return ordered;
}();

}  // namespace section_inputs
