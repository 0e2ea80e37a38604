// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QPainter>
#include <QRectF>

#include "drawings/svg_writer.hpp"

namespace command_line {

// One of the program's pictures drawn as vectors on a painter, filling the
// rectangle: its shapes through the SVG renderer, its labels as text, so
// that a PDF can be searched and its glyphs are embedded. False where the
// shapes cannot be read.
bool draw(const drawings::Drawing& drawing, QPainter& painter, const QRectF& where);

// The same picture on a white image of its own size, written as PNG.
bool write_png(const drawings::Drawing& drawing, QIODevice& output);

}  // namespace command_line
