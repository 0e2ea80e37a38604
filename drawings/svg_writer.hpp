// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace drawings {

struct Point {
    double x, y;
};

// A coordinate in pixels to two decimals, whatever the C library's locale.
std::string px(double value);

// The elements of the program's pictures, written one after another.
class SvgWriter {
public:
    void line(Point a, Point b, const char* colour, double width = 1, std::string_view attributes = {});
    // Blanks inside the words are kept as they are.
    void label(Point at, std::string_view words, const char* anchor, int size = 12, bool bold = false,
               std::string_view attributes = {});
    void raw(std::string_view text) { text_ += text; }
    std::string& text() { return text_; }

private:
    std::string text_;
};

}  // namespace drawings
