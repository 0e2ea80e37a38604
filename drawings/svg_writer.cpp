// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/svg_writer.hpp"

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
    std::string& svg = drawing_.svg;
    svg += "<text x=\"" + px(at.x) + "\" y=\"" + px(at.y) + "\" text-anchor=\"" + anchor + "\" font-size=\"" +
           std::to_string(style.size) + "\"" + (style.bold ? " font-weight=\"bold\"" : "");
    if (style.colour) svg += std::string(" fill=\"") + style.colour + '"';
    svg += attributes;
    svg += " xml:space=\"preserve\">" + xml_escaped(words) + "</text>\n";
    drawing_.labels.push_back({at, std::string(words), anchor, style});
}

Drawing SvgWriter::close()
{
    raw("</g>\n</svg>\n");
    return std::move(drawing_);
}

}  // namespace drawings
