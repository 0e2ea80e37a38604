// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QGroupBox>
#include <QProxyStyle>
#include <QWidget>

namespace main_window {

// The controls Form1 draws itself rather than takes from the style.

// A frame: an etched rectangle with its caption set into the top border
// at the left, on the window's own background.
class EtchedFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Shape1: a filled rectangle with a one-pixel outline.
class RectangleShape : public QWidget {
public:
    RectangleShape(QWidget* parent, QColor fill, QColor outline);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_, outline_;
};

// The window's lines, over its labels and under everything else.
class LineLayer : public QWidget {
public:
    LineLayer(QWidget* window, double dpi);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double dpi_;
};

// Text fields with the classic two-pixel sunken edge: darker above and to
// the left, lighter below and to the right, the field's own colour inside.
class SunkenFieldStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

}  // namespace main_window
