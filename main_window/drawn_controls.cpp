#include "main_window/drawn_controls.hpp"

#include <QPainter>

#include "main_window/form_layout.hpp"
#include "main_window/twips.hpp"

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
    for (const LineSpec& spec : form1_lines()) {
        const int width = design_pixels(spec.width, dpi_);
        QLine line(twips_to_pixels(spec.x1, dpi_), twips_to_pixels(spec.y1, dpi_),
                   twips_to_pixels(spec.x2, dpi_), twips_to_pixels(spec.y2, dpi_));
        if (spec.under_previous) {
            line.setP1({line.x1(), previous.y1() + width});
            line.setP2({line.x2(), previous.y2() + width});
        }
        // Round ends, so the arrow heads close on their shafts.
        painter.setPen(QPen(spec.colour.resolve(palette()), width, Qt::SolidLine,
                            width > 1 ? Qt::RoundCap : Qt::FlatCap));
        painter.drawLine(line);
        previous = line;
    }
}

}  // namespace main_window
