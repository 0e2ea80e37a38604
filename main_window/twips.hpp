// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

namespace main_window {

inline constexpr double kTwipsPerInch = 1440;
inline constexpr double kDesignDpi = 96;  // 15 twips a pixel

// Twips to pixels at the display's logical resolution. Rectangles round
// their edges, not their sizes, so neighbours that touch keep touching.
int twips_to_pixels(int twips, double dpi);
QRect twips_to_pixels(int left, int top, int width, int height, double dpi);

// A width given in pixels of the design resolution, at least one pixel.
int design_pixels(int pixels, double dpi);

}  // namespace main_window
