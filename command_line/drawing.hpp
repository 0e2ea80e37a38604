// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QPainter>
#include <QRectF>
#include <string>

namespace command_line {

// One of the shared rules' SVG pictures drawn as vectors on a painter,
// filling the rectangle; false where the SVG cannot be read.
bool draw_svg(const std::string& svg, QPainter& painter, const QRectF& where);

// The same picture on an image of its own size, written as PNG.
bool write_png(const std::string& svg, int width, int height, QIODevice& output);

}  // namespace command_line
