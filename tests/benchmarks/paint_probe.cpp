// SPDX-License-Identifier: GPL-3.0-or-later
// The least a picture with text costs: an offscreen QGuiApplication that
// paints one line of text into a QImage and exits.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawText(20, 20, QStringLiteral("Dominio di resistenza M-N"));
    return 0;
}
