// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/drawing.hpp"

#include <QFont>
#include <QImage>
#include <QSvgRenderer>

#include "shared_rules/domain_svg.hpp"

namespace command_line {

bool draw_svg(const std::string& svg, QPainter& painter, const QRectF& where)
{
    // Qt Svg takes the list of faces for one name: that name is the first face.
    QFont::insertSubstitution(QString::fromUtf8(shared_rules::kPictureFonts),
                              QStringLiteral("Liberation Sans"));
    QSvgRenderer renderer(QByteArray::fromStdString(svg));
    if (!renderer.isValid()) return false;
    renderer.render(&painter, where);
    return true;
}

bool write_png(const std::string& svg, int width, int height, QIODevice& output)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const bool drawn = draw_svg(svg, painter, QRectF(0, 0, width, height));
    painter.end();
    return drawn && image.save(&output, "PNG");
}

}  // namespace command_line
