// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

#include "window_layout/form_layout.hpp"

namespace main_window {

using window_layout::Face;
using window_layout::FontChoice;

// Teaches Qt the fallbacks; fontconfig has none for "MS Sans Serif".
void install_font_fallbacks();

QFont make_font(const FontChoice& choice);

}  // namespace main_window
