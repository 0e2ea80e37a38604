// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/svg_writer.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "drawings/markup.hpp"

namespace drawings {

std::string px(double value)
{
    const std::int64_t hundredths = std::llround(value * 100);
    const std::int64_t whole = std::llabs(hundredths) / 100, part = std::llabs(hundredths) % 100;
    std::string text = hundredths < 0 ? "-" : "";
    text += std::to_string(whole);
    if (part != 0) {
        text += '.';
        text += static_cast<char>('0' + part / 10);
        if (part % 10 != 0) text += static_cast<char>('0' + part % 10);
    }
    return text;
}

void SvgWriter::open(int width, int height, std::string_view attributes, std::string_view heading,
                     std::string_view group_attributes)
{
    drawing_.width = width;
    drawing_.height = height;
    const std::string w = std::to_string(width), h = std::to_string(height);
    raw("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w +
        ' ' + h + '"');
    raw(attributes);
    raw(">\n");
    raw(heading);
    raw(std::string("<g font-family=\"") + kPictureFonts + "\" fill=\"#000000\"");
    raw(group_attributes);
    raw(">\n<rect x=\"0\" y=\"0\" width=\"" + w + "\" height=\"" + h + "\" fill=\"#ffffff\"/>\n");
}

void SvgWriter::raw(std::string_view text)
{
    drawing_.svg += text;
    drawing_.shapes += text;
}

void SvgWriter::line(Point a, Point b, const char* colour, double width, std::string_view attributes)
{
    raw("<line x1=\"" + px(a.x) + "\" y1=\"" + px(a.y) + "\" x2=\"" + px(b.x) + "\" y2=\"" + px(b.y) +
        "\" stroke=\"" + colour + "\" stroke-width=\"" + px(width) + "\"");
    raw(attributes);
    raw("/>\n");
}

void SvgWriter::label(Point at, std::string_view words, const char* anchor, LabelStyle style,
                      std::string_view attributes)
{
    placed_.push_back({drawing_.svg.size(), std::string(attributes)});
    drawing_.labels.push_back({at, std::string(words), anchor, style});
}

void SvgWriter::keep_clear(Point top_left, Point bottom_right)
{
    clear_.emplace_back(top_left, bottom_right);
}

namespace {

constexpr double kLabelMargin = 2;  // pixels between a label and the drawing's edge or another label

// Advances in ems of Liberation Sans, rounded up, by kind of character.
double advance(unsigned char c)
{
    if (c >= '0' && c <= '9') return 0.556;
    if (c == ' ' || c == ',' || c == '.' || c == '\'' || c == ':' || c == ';') return 0.278;
    if (c == 'i' || c == 'j' || c == 'l') return 0.23;
    if (c == 'f' || c == 't' || c == 'r' || c == '(' || c == ')' || c == '-') return 0.34;
    if (c == 'm' || c == 'w' || c == 'M' || c == 'W') return 0.944;
    if (c >= 'A' && c <= 'Z') return 0.778;
    if (c == '=' || c == '+') return 0.584;
    return 0.6;
}

bool overlap(const std::pair<Point, Point>& a, const std::pair<Point, Point>& b)
{
    return a.first.x < b.second.x + kLabelMargin && b.first.x < a.second.x + kLabelMargin &&
           a.first.y < b.second.y + kLabelMargin && b.first.y < a.second.y + kLabelMargin;
}

}  // namespace

std::pair<Point, Point> label_box(const Label& label)
{
    constexpr double kAscent = 0.905, kDescent = 0.212, kBoldWidening = 1.08;
    double width = 0;
    for (std::size_t i = 0; i < label.words.size(); ++i) {
        const auto c = static_cast<unsigned char>(label.words[i]);
        if ((c & 0xC0) == 0x80) continue;  // a UTF-8 continuation byte: its character counted once
        width += advance(c);
    }
    width *= label.style.size * (label.style.bold ? kBoldWidening : 1);
    const double left = label.anchor == "middle" ? label.at.x - width / 2
                        : label.anchor == "end"  ? label.at.x - width
                                                 : label.at.x;
    return {{left, label.at.y - kAscent * label.style.size}, {left + width, label.at.y + kDescent * label.style.size}};
}

// Each label inside the drawing, then, where it lies on a label before it
// or on a band kept clear, at the nearest height, below or above, where it
// lies on none.
void SvgWriter::place_labels()
{
    std::vector<std::pair<Point, Point>> taken = clear_;
    const auto inside = [&](const std::pair<Point, Point>& box) {
        return box.first.y >= kLabelMargin && box.second.y <= drawing_.height - kLabelMargin;
    };
    const auto free = [&](const std::pair<Point, Point>& box) {
        return std::none_of(taken.begin(), taken.end(), [&](const auto& other) { return overlap(box, other); });
    };
    for (Label& label : drawing_.labels) {
        auto box = label_box(label);
        label.at.x += box.first.x < kLabelMargin                      ? kLabelMargin - box.first.x
                      : box.second.x > drawing_.width - kLabelMargin ? drawing_.width - kLabelMargin - box.second.x
                                                                      : 0;
        label.at.y += box.second.y > drawing_.height - kLabelMargin ? drawing_.height - kLabelMargin - box.second.y
                      : box.first.y < kLabelMargin                  ? kLabelMargin - box.first.y
                                                                    : 0;
        const double written = label.at.y;
        const auto fits = [&](double y) {
            label.at.y = y;
            const auto moved = label_box(label);
            return inside(moved) && free(moved);
        };
        bool placed = false;
        for (int step = 0; step <= drawing_.height && !placed; ++step)
            placed = fits(written + step) || fits(written - step);
        if (!placed) label.at.y = written;  // nowhere free: where it was written
        taken.push_back(label_box(label));
    }
}

Drawing SvgWriter::close()
{
    raw("</g>\n</svg>\n");
    place_labels();
    // Each label's element where it was written, from the last, so that the places stay right.
    for (std::size_t i = placed_.size(); i-- > 0;) {
        const Label& label = drawing_.labels[i];
        std::string text = "<text x=\"" + px(label.at.x) + "\" y=\"" + px(label.at.y) + "\" text-anchor=\"" +
                           label.anchor + "\" font-size=\"" + std::to_string(label.style.size) + "\"" +
                           (label.style.bold ? " font-weight=\"bold\"" : "");
        if (label.style.colour) text += std::string(" fill=\"") + label.style.colour + '"';
        text += placed_[i].attributes;
        text += " xml:space=\"preserve\">" + xml_escaped(label.words) + "</text>\n";
        drawing_.svg.insert(placed_[i].at, text);
    }
    return std::move(drawing_);
}

}  // namespace drawings
