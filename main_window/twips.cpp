// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/twips.hpp"

#include <algorithm>
#include <cmath>

namespace main_window {

int twips_to_pixels(int twips, double dpi)
{
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

QRect twips_to_pixels(int left, int top, int width, int height, double dpi)
{
    const int x = twips_to_pixels(left, dpi);
    const int y = twips_to_pixels(top, dpi);
    return QRect(x, y, twips_to_pixels(left + width, dpi) - x, twips_to_pixels(top + height, dpi) - y);
}

int design_pixels(int pixels, double dpi)
{
    return std::max(1, static_cast<int>(std::lround(pixels * dpi / kDesignDpi)));
}

}  // namespace main_window
