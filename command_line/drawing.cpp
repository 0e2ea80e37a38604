// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/drawing.hpp"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QSvgRenderer>

namespace command_line {

namespace {

// Where the words start, left of their anchor by as much of their width as it says.
double shift(const drawings::Label& label, double width)
{
    return label.anchor == "middle" ? width / 2 : label.anchor == "end" ? width : 0;
}

void draw_label(const drawings::Label& label, QPainter& painter)
{
    QFont font(QString::fromLatin1(drawings::kLabelFace));
    font.setPixelSize(label.style.size);
    font.setBold(label.style.bold);
    const QString words = QString::fromStdString(label.words);
    const double width = QFontMetricsF(font, painter.device()).horizontalAdvance(words);
    painter.setFont(font);
    painter.setPen(QColor(QString::fromLatin1(label.style.colour ? label.style.colour : "#000000")));
    painter.drawText(QPointF(label.at.x - shift(label, width), label.at.y), words);
}

}  // namespace

bool draw(const drawings::Drawing& drawing, QPainter& painter, const QRectF& where)
{
    QSvgRenderer shapes(QByteArray::fromStdString(drawing.shapes));
    if (!shapes.isValid()) return false;
    const QRectF box = shapes.viewBoxF();
    shapes.render(&painter, where);

    painter.save();
    painter.translate(where.topLeft());
    painter.scale(where.width() / box.width(), where.height() / box.height());
    for (const drawings::Label& label : drawing.labels)
        draw_label(label, painter);
    painter.restore();
    return true;
}

bool write_png(const drawings::Drawing& drawing, QIODevice& output)
{
    QImage image(drawing.width, drawing.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const bool drawn = draw(drawing, painter, QRectF(0, 0, drawing.width, drawing.height));
    painter.end();
    // Encoded in memory first, so that a failing write is the output's to report, with its reason.
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    if (!drawn || !image.save(&encoded, "PNG")) return false;
    output.write(encoded.data());
    return true;
}

}  // namespace command_line
