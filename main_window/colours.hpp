// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

#include "shared_rules/form_layout.hpp"

namespace main_window {

// A colour of the layout on this desktop: a system role as the nearest
// palette role gives it.
QColor resolve(const shared_rules::Colour& colour, const QPalette& palette);

}  // namespace main_window
