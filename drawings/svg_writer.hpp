// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace drawings {

struct Point {
    double x, y;
};

// How a label is written: its size in pixels, its weight and its colour.
struct LabelStyle {
    int size = 12;
    bool bold = false;
    const char* colour = nullptr;  // none: the picture's black
};

// A text of a picture, kept as data for a renderer that writes words as words.
struct Label {
    Point at;
    std::string words;
    std::string anchor;  // "start", "middle" or "end" of the words at `at`
    LabelStyle style;
};

// A picture as the program draws it: the SVG document, and the same
// document without its labels together with the labels as data.
struct Drawing {
    int width = 0, height = 0;
    std::string svg;
    std::string shapes;
    std::vector<Label> labels;
};

// The faces of the pictures' text, the first one first: the face a
// renderer of the labels uses.
inline constexpr const char* kLabelFace = "Liberation Sans";
inline constexpr const char* kPictureFonts = "Liberation Sans, Arial, Helvetica, sans-serif";

// A coordinate in pixels to two decimals, whatever the C library's locale.
std::string px(double value);

// The elements of the program's pictures, written one after another.
class SvgWriter {
public:
    // The document's opening: its size, its own attributes and first
    // elements, then a group in the pictures' faces on a white ground.
    void open(int width, int height, std::string_view attributes, std::string_view heading,
              std::string_view group_attributes = {});
    void line(Point a, Point b, const char* colour, double width = 1, std::string_view attributes = {});
    // Blanks inside the words are kept as they are.
    void label(Point at, std::string_view words, const char* anchor, LabelStyle style = {},
               std::string_view attributes = {});
    void raw(std::string_view text);
    // A band no label may cross, as a line that would strike it through.
    void keep_clear(Point top_left, Point bottom_right);
    // The drawing, its group and document closed: each label first moved,
    // where it must be, inside the drawing and off the labels before it
    // and the bands kept clear.
    Drawing close();

private:
    struct Placed {
        std::size_t at;  // where in the document its element goes
        std::string attributes;
    };
    void place_labels();

    Drawing drawing_;
    std::vector<Placed> placed_;
    std::vector<std::pair<Point, Point>> clear_;
};

// The box a label's words take in a renderer of the pictures' faces, from
// the advances of Liberation Sans, a little generous: top left, bottom right.
std::pair<Point, Point> label_box(const Label& label);

}  // namespace drawings
