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

void SvgWriter::line(Point a, Point b, const char* colour, double width, std::string_view attributes)
{
    text_ += "<line x1=\"" + px(a.x) + "\" y1=\"" + px(a.y) + "\" x2=\"" + px(b.x) + "\" y2=\"" + px(b.y) +
             "\" stroke=\"" + colour + "\" stroke-width=\"" + px(width) + "\"";
    text_ += attributes;
    text_ += "/>\n";
}

void SvgWriter::label(Point at, std::string_view words, const char* anchor, int size, bool bold,
                      std::string_view attributes)
{
    text_ += "<text x=\"" + px(at.x) + "\" y=\"" + px(at.y) + "\" text-anchor=\"" + anchor +
             "\" font-size=\"" + std::to_string(size) + "\"" + (bold ? " font-weight=\"bold\"" : "");
    text_ += attributes;
    text_ += " xml:space=\"preserve\">" + xml_escaped(words) + "</text>\n";
}

}  // namespace drawings
