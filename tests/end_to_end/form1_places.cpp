// SPDX-License-Identifier: GPL-3.0-or-later
// Prints each control of the window as "name left top width height", in
// twips from the client area's corner (a frame's own place added for what
// is inside it), for the driver that clicks the real window.
#include <iostream>
#include <string_view>

#include "window_layout/form_layout.hpp"

namespace {

using window_layout::ControlPlacement;

// The control's corner from the client area's, through the frames it sits in.
void corner(const ControlPlacement& control, int& left, int& top)
{
    left += control.left;
    top += control.top;
    if (!control.parent) return;
    for (const ControlPlacement& frame : window_layout::form1_controls())
        if (std::string_view(frame.name) == control.parent) corner(frame, left, top);
}

}  // namespace

int main()
{
    for (const ControlPlacement& control : window_layout::form1_controls()) {
        int left = 0, top = 0;
        corner(control, left, top);
        std::cout << control.name << ' ' << left << ' ' << top << ' ' << control.width << ' '
                  << control.height << '\n';
    }
    return 0;
}
