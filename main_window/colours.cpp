// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/colours.hpp"

namespace main_window {

namespace {

QPalette::ColorRole palette_role(window_layout::SystemColour role)
{
    switch (role) {
    case window_layout::SystemColour::ButtonFace:
        return QPalette::Button;
    case window_layout::SystemColour::WindowBackground:
        return QPalette::Base;
    case window_layout::SystemColour::WindowText:
        return QPalette::Text;
    case window_layout::SystemColour::InactiveTitleBar:
        return QPalette::Dark;
    case window_layout::SystemColour::None:
        break;
    }
    return QPalette::NoRole;
}

}  // namespace

QColor resolve(const window_layout::Colour& colour, const QPalette& palette)
{
    return colour.is_role ? palette.color(palette_role(colour.role)) : QColor(QRgb(colour.rgb));
}

}  // namespace main_window
