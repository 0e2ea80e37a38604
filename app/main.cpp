// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "main_window/fonts.hpp"
#include "main_window/form1.hpp"

namespace {

// Qt aborts without a display; say plainly what to do instead.
bool has_display()
{
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (const char* value = std::getenv(variable); value && *value) return true;
    return false;
}

}  // namespace

int main(int, char* argv[])
{
    if (!has_display()) {
        // The path it was started by, which works where the name alone is on no PATH (a build tree).
        std::fprintf(stderr,
                     "No graphical display found (DISPLAY is not set).\n"
                     "Start the program on a desktop, or without one through a virtual display:\n"
                     "    xvfb-run -a %s\n",
                     argv[0]);
        return EXIT_FAILURE;
    }
    // Qt would take its own options (-platform, -reverse...) from the
    // arguments: it is given only the program's name.
    int qt_argc = 1;
    char* qt_argv[] = {argv[0], nullptr};
    QApplication app(qt_argc, qt_argv);
    QApplication::setApplicationName(QStringLiteral("Momento Ultimo Sezione Rettangolare"));
    QGuiApplication::setDesktopFileName(QStringLiteral("it.momentoultimo.MomentoUltimo"));
    main_window::install_font_fallbacks();

    main_window::Form1 window;
    QApplication::setWindowIcon(window.windowIcon());  // one icon, owned by the window
    window.show();
    return app.exec();
}
