// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

namespace window_layout {

// Form1's controls and lines as the layout gives them: twips, from the
// top-left corner of the container (a frame's outer edge). The window
// builds its Qt controls from this table, the page its elements.

enum class Kind { Button, Label, TextField, Frame, Rectangle };

// The faces the layout names, with the metric-compatible faces that stand
// in for them where they are missing.
enum class Face { Dialog, SansSerif, Serif, Monospace };

struct FaceFamilies {
    const char* named;     // as the layout names it
    const char* fallback;  // metric-compatible stand-in
};

const FaceFamilies& families_of(Face face);

struct FontChoice {
    Face face = Face::Dialog;
    double points = 8;
    bool bold = false;
    bool italic = false;
};

// The desktop's colour roles the layout uses; they follow the desktop.
enum class SystemColour { None, ButtonFace, WindowBackground, WindowText, InactiveTitleBar };

// The classic desktop's value of a role, for a front end with no desktop of
// its own to ask.
std::uint32_t classic_rgb(SystemColour role);

// A colour of the layout: fixed as 0xRRGGBB, or a system role.
struct Colour {
    SystemColour role = SystemColour::None;
    std::uint32_t rgb = 0;
    bool is_role = true;

    static constexpr Colour of(SystemColour r) { return Colour{r, 0, true}; }
    static constexpr Colour fixed(std::uint32_t value) { return Colour{SystemColour::None, value, false}; }
    constexpr bool is_set() const { return !is_role || role != SystemColour::None; }
};

inline constexpr Colour kUnset = Colour::of(SystemColour::None);

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

}  // namespace window_layout
