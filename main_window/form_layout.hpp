// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPalette>
#include <QRgb>
#include <span>

#include "main_window/fonts.hpp"

namespace main_window {

// Form1's controls and lines as the layout gives them: twips, from the
// top-left corner of the container (a frame's outer edge).

enum class Kind { Button, Label, TextField, Frame, Rectangle };

// A colour of the layout: fixed, or a system role that follows the desktop.
struct Colour {
    bool is_role = true;
    QPalette::ColorRole role = QPalette::NoRole;
    QRgb rgb = 0;

    static constexpr Colour of(QPalette::ColorRole r) { return Colour{true, r, 0}; }
    static constexpr Colour fixed(QRgb value) { return Colour{false, QPalette::NoRole, value}; }
    constexpr bool is_set() const { return !is_role || role != QPalette::NoRole; }
    QColor resolve(const QPalette& palette) const;
};

inline constexpr Colour kUnset = Colour::of(QPalette::NoRole);

struct ControlPlacement {
    const char* name;
    Kind kind;
    const char* parent;  // nullptr: the window
    int left, top, width, height;
    int tab;              // rank in the focus order; -1 where the control takes no focus
    const char* caption;  // for a text field, its tooltip
    Colour background = kUnset;
    Colour text = kUnset;
    FontChoice font = {};
    bool right_aligned = false;
    bool hidden = false;
    bool read_only = false;
};

struct LinePlacement {
    const char* name;
    int x1, y1, x2, y2;
    Colour colour;
    int width;  // pixels at the design resolution
    // The light half of an etched rule stays on the pixel row right under
    // its dark half at any resolution.
    bool under_previous = false;
};

struct WindowLook {
    const char* caption;
    int client_width, client_height;
};

extern const WindowLook kForm1;
std::span<const ControlPlacement> form1_controls();
std::span<const LinePlacement> form1_lines();

}  // namespace main_window
