// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/drawn_controls.hpp"

#include <QLineEdit>
#include <QPainter>
#include <QStyleOption>
#include <qdrawutil.h>

#include "main_window/colours.hpp"
#include "main_window/twips.hpp"
#include "window_layout/form_layout.hpp"

namespace main_window {

void EtchedFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const QRect border = rect().adjusted(0, metrics.height() / 2, -2, -2);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(border);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(border.translated(1, 1));

    const int inset = metrics.averageCharWidth();
    const QRect caption(inset, 0, metrics.horizontalAdvance(title()) + inset, metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

RectangleShape::RectangleShape(QWidget* parent, QColor fill, QColor outline)
    : QWidget(parent), fill_(fill), outline_(outline)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RectangleShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), fill_);
    painter.setPen(outline_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

LineLayer::LineLayer(QWidget* window, double dpi) : QWidget(window), dpi_(dpi)
{
    setObjectName(QStringLiteral("lines"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(window->rect());
}

void LineLayer::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLine previous;
    for (const window_layout::LinePlacement& placement : window_layout::form1_lines()) {
        const int width = design_pixels(placement.width, dpi_);
        QLine line(twips_to_pixels(placement.x1, dpi_), twips_to_pixels(placement.y1, dpi_),
                   twips_to_pixels(placement.x2, dpi_), twips_to_pixels(placement.y2, dpi_));
        if (placement.under_previous) {
            line.setP1({line.x1(), previous.y1() + width});
            line.setP2({line.x2(), previous.y2() + width});
        }
        // Round ends, so the arrow heads close on their shafts.
        painter.setPen(QPen(resolve(placement.colour, palette()), width, Qt::SolidLine,
                            width > 1 ? Qt::RoundCap : Qt::FlatCap));
        painter.drawLine(line);
        previous = line;
    }
}

namespace {

constexpr int kSunkenEdgeWidth = 2;

bool is_field(const QWidget* widget)
{
    return qobject_cast<const QLineEdit*>(widget) != nullptr;
}

}  // namespace

void SunkenFieldStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                     const QWidget* widget) const
{
    if (element == PE_PanelLineEdit && is_field(widget)) {
        const QBrush inside = option->palette.brush(QPalette::Base);
        qDrawWinPanel(painter, option->rect, option->palette, /*sunken*/ true, &inside);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int SunkenFieldStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    if (metric == PM_DefaultFrameWidth && is_field(widget)) return kSunkenEdgeWidth;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

}  // namespace main_window
