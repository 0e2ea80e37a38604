// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <memory>

#include "command_line/command_line.hpp"
#include "command_line/streams.hpp"
#include "tables/run_status.hpp"

namespace {

// A PNG or a report needs fonts and a painter, so Qt Gui on its offscreen
// platform: no display is ever asked for. Everything else, the SVG
// included, runs on Qt Core alone.
bool paints(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--png", std::strlen("--png")) == 0 ||
            std::strcmp(argv[i], "relazione") == 0)
            return true;
    return false;
}

// Qt's own warnings (a missing XDG_RUNTIME_DIR, say) are not for the user
// of a command line, who reads its Italian messages only.
void keep_serious_messages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

int main(int argc, char* argv[])
{
    command_line::guard_standard_output();
    qInstallMessageHandler(keep_serious_messages);
    // Qt would take its own options (-platform, -reverse...) from anywhere in
    // the arguments, file names and option values too: it is given only the
    // program's name, and the program's own parser reads the rest.
    int qt_argc = 1;
    char* qt_argv[] = {argv[0], nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (paints(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(qt_argc, qt_argv);
    } else {
        app = std::make_unique<QCoreApplication>(qt_argc, qt_argv);
    }
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCoreApplication::setApplicationName(QStringLiteral("momento-ultimo-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MOMENTO_VERSION));
    const int status = command_line::run(arguments);
    return command_line::finish_standard_output() ? status : tables::kCannotRun;
}
