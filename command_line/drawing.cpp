// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/drawing.hpp"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QRegularExpression>
#include <QSvgRenderer>

namespace command_line {

namespace {

// A text element as the shared rules write it: position, anchor, size,
// weight, colour and words.
const QRegularExpression kText(
    QStringLiteral("<text x=\"([-0-9.]+)\" y=\"([-0-9.]+)\" text-anchor=\"(\\w+)\" font-size=\"(\\d+)\"( "
                   "font-weight=\"bold\")?([^>]*)>(.*?)</text>\\n?"));
const QRegularExpression kFill(QStringLiteral("fill=\"(#[0-9a-f]{6})\""));

QString unescaped(QString words)
{
    return words.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

}  // namespace

bool draw_svg(const std::string& svg, QPainter& painter, const QRectF& where)
{
    // Qt Svg draws text as outlines: the words are drawn here as text, so
    // that a PDF can be searched and its glyphs are embedded.
    QString drawing = QString::fromStdString(svg);
    QList<QRegularExpressionMatch> texts;
    for (auto it = kText.globalMatch(drawing); it.hasNext();)
        texts.append(it.next());
    drawing.remove(kText);
    QSvgRenderer shapes(drawing.toUtf8());
    if (!shapes.isValid()) return false;
    const QRectF box = shapes.viewBoxF();
    shapes.render(&painter, where);

    painter.save();
    painter.translate(where.topLeft());
    painter.scale(where.width() / box.width(), where.height() / box.height());
    for (const QRegularExpressionMatch& text : texts) {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(text.captured(4).toInt());
        font.setBold(!text.captured(5).isEmpty());
        const QRegularExpressionMatch fill = kFill.match(text.captured(6));
        const QString words = unescaped(text.captured(7));
        const double width = QFontMetricsF(font, painter.device()).horizontalAdvance(words);
        const QString anchor = text.captured(3);
        const double shift = anchor == u"middle" ? width / 2 : anchor == u"end" ? width : 0;
        painter.setFont(font);
        painter.setPen(QColor(fill.hasMatch() ? fill.captured(1) : QStringLiteral("#000000")));
        painter.drawText(QPointF(text.captured(1).toDouble() - shift, text.captured(2).toDouble()), words);
    }
    painter.restore();
    return true;
}

bool write_png(const std::string& svg, int width, int height, QIODevice& output)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const bool drawn = draw_svg(svg, painter, QRectF(0, 0, width, height));
    painter.end();
    return drawn && image.save(&output, "PNG");
}

}  // namespace command_line
