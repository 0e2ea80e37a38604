// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <array>
#include <optional>

#include "section_analysis/errors.hpp"
#include "section_analysis/neutral_axis.hpp"

namespace section_input {

// What the user gives, in the order the values are read.
enum class Input { B, H, As, As1, Fsd, Fcd, D1, Nd };
inline constexpr std::size_t kInputCount = 8;
using InputValues = std::array<double, kInputCount>;  // as read, before they are stored as singles
using InputTexts = std::array<QString, kInputCount>;

// A refusal or a fault as the user is told it: the message box's title and text.
struct Message {
    QString title, text;
};

struct Calculation {
    // The values as far as they were read; N and Mu of the last trial.
    section_analysis::SectionState section;
    // The effective depth h - c as the window writes it, unless reading faulted first.
    std::optional<QString> d_text;
    // Set once the checks have passed: whether Nd is other than 0.
    std::optional<bool> axial_force_given;
    // Mu and Yc when the section is computed; otherwise what the user is told.
    std::optional<section_analysis::SolveResult> result;
    Message message;
};

// The Calculate command without its window: stores the values as singles in
// order, forms d through its text, checks them in order, refuses an Nd above
// the capacity b h fcd, and solves. The locale writes the texts.
Calculation calculate(const InputValues& values, const QLocale& locale = QLocale());

// The same, reading each text as a field is read.
Calculation calculate(const InputTexts& texts, const QLocale& locale = QLocale());

// What the user is told of an Nd above the capacity b h fcd.
Message capacity_refusal(float capacity, const QLocale& locale = QLocale());

// What the user is told when a run of the solver gives no result.
Message message_for(const section_analysis::SectionError& error, const QLocale& locale = QLocale());

}  // namespace section_input
