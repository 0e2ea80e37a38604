// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

#include "shared_rules/form_layout.hpp"

namespace main_window {

using shared_rules::Face;
using shared_rules::FontChoice;

// Teaches Qt the fallbacks; fontconfig has none for "MS Sans Serif".
void install_font_fallbacks();

QFont make_font(const FontChoice& choice);

}  // namespace main_window
