// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/colours.hpp"

namespace main_window {

namespace {

QPalette::ColorRole palette_role(shared_rules::SystemColour role)
{
    switch (role) {
    case shared_rules::SystemColour::ButtonFace:
        return QPalette::Button;
    case shared_rules::SystemColour::WindowBackground:
        return QPalette::Base;
    case shared_rules::SystemColour::WindowText:
        return QPalette::Text;
    case shared_rules::SystemColour::InactiveTitleBar:
        return QPalette::Dark;
    case shared_rules::SystemColour::None:
        break;
    }
    return QPalette::NoRole;
}

}  // namespace

QColor resolve(const shared_rules::Colour& colour, const QPalette& palette)
{
    return colour.is_role ? palette.color(palette_role(colour.role)) : QColor(QRgb(colour.rgb));
}

}  // namespace main_window
