// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace main_window {

// The faces the layout names, with the metric-compatible faces that stand
// in for them where they are missing.
enum class Face { Dialog, SansSerif, Serif, Monospace };

struct FontChoice {
    Face face = Face::Dialog;
    double points = 8;
    bool bold = false;
    bool italic = false;
};

// Teaches Qt the fallbacks; fontconfig has none for "MS Sans Serif".
void install_font_fallbacks();

QFont make_font(const FontChoice& choice);

}  // namespace main_window
