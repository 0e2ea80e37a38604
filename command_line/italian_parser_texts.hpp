// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTranslator>

namespace command_line {

// The few texts Qt's command-line parser writes itself (headings of the
// help, errors), in Italian like the rest of the program.
class ItalianParserTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* source_text, const char* disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};

}  // namespace command_line
