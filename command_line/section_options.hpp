#pragma once

#include <QCommandLineParser>

#include "section_input/calculation.hpp"

namespace command_line {

// Every option of momento-ultimo-cli, with its Italian help.
void add_options(QCommandLineParser& parser);

// The section's options as the window's fields: a missing one is an empty field.
section_input::InputTexts section_texts(const QCommandLineParser& parser);

}  // namespace command_line
