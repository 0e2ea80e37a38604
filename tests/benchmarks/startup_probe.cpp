// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a window and quits once it has first been painted, so the whole
// process run measures start-up to the first shown window. Built three
// times: with Form1, and for comparison a bare QWidget of the same size,
// with and without one line of text (text alone loads the font database).
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#ifndef BARE_WINDOW
#include "main_window/fonts.hpp"
#include "main_window/form1.hpp"
#endif

namespace {

class QuitOnFirstPaint : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) QTimer::singleShot(0, qApp, &QApplication::quit);
        return false;
    }
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
#ifdef BARE_WINDOW
    QWidget window;
    window.setFixedSize(423, 261);
#ifdef WITH_TEXT
    QLabel text(QStringLiteral("Momento Ultimo"), &window);
#endif
#else
    main_window::install_font_fallbacks();
    main_window::Form1 window;
#endif
    QuitOnFirstPaint quit;
    window.installEventFilter(&quit);
    window.show();
    return app.exec();
}
