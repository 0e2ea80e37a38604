// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/italian_parser_texts.hpp"

#include <cstring>

namespace command_line {

namespace {

struct Text {
    const char* english;
    const char* italian;
};

const Text kTexts[] = {
    {"Usage: %1", "Uso: %1"},
    {"[options]", "[opzioni]"},
    {"Options:", "Opzioni:"},
    {"Arguments:", "Argomenti:"},
    {"Unknown option '%1'.", "Opzione sconosciuta '%1'."},
    {"Unknown options: %1.", "Opzioni sconosciute: %1."},
    {"Missing value after '%1'.", "Manca il valore dopo '%1'."},
    {"Unexpected value after '%1'.", "Valore inatteso dopo '%1'."},
};

}  // namespace

QString ItalianParserTexts::translate(const char* context, const char* source_text, const char*, int) const
{
    if (std::strcmp(context, "QCommandLineParser") != 0) return {};
    for (const Text& text : kTexts)
        if (std::strcmp(source_text, text.english) == 0) return QString::fromUtf8(text.italian);
    return {};
}

}  // namespace command_line
