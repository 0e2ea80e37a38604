// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "section_analysis/errors.hpp"
#include "section_analysis/neutral_axis.hpp"
#include "section_inputs/section_inputs.hpp"

namespace runs {

using section_inputs::Input;
using section_inputs::InputTexts;
using section_inputs::InputValues;

// A refusal or a fault as the user is told it: the message box's title and
// text, in UTF-8.
struct Message {
    std::string title, text;
};

struct Calculation {
    // The values as far as they were read; N and Mu of the last trial.
    section_analysis::SectionState section;
    // The effective depth h - c as the window writes it, unless reading faulted first.
    std::optional<std::string> d_text;
    // Whether every value passed its check, so the section is formed.
    bool checks_passed = false;
    // Once the checks have passed: whether Nd is other than 0.
    bool axial_force_given = false;
    // Mu and Yc when the section is computed; otherwise what the user is told.
    std::optional<section_analysis::SolveResult> result;
    Message message;
};

// The Calculate command without its window: stores the values as singles in
// order, forms d through its text, checks them in order, refuses an Nd above
// the capacity b h fcd, and solves. Texts are written with the decimal mark.
Calculation calculate(const InputValues& values, char decimal_mark = '.');

// Each text read as a field is read.
InputValues values_of(const InputTexts& texts);

// The same, reading each text as a field is read.
Calculation calculate(const InputTexts& texts, char decimal_mark = '.');

// What the user is told of an Nd above the capacity b h fcd.
Message capacity_refusal(float capacity, char decimal_mark = '.');

// What the user is told when a run of the solver gives no result.
Message message_for(const section_analysis::SectionError& error, char decimal_mark = '.');

// A strain domain's name: "1", "2", "3", "4", "4a" or "5".
const char* domain_name(section_analysis::Domain domain);

// A message's text on one line, for a cell of a table.
std::string one_line(std::string text);

}  // namespace runs
