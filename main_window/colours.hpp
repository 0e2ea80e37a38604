// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

#include "window_layout/form_layout.hpp"

namespace main_window {

// A colour of the layout on this desktop: a system role as the nearest
// palette role gives it.
QColor resolve(const window_layout::Colour& colour, const QPalette& palette);

}  // namespace main_window
