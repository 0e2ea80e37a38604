// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/streams.hpp"

#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "command_line/system_reasons.hpp"
#include "numbers/number_text.hpp"

namespace command_line {

namespace {

bool is_standard(const QString& name)
{
    return name.isEmpty() || name == u"-";
}

// The reason of the first failed write of print(), kept for the end.
int print_failure = 0;

}  // namespace

void print(const QString& text)
{
    errno = 0;
    if (std::fputs(text.toUtf8().constData(), stdout) == EOF && print_failure == 0)
        print_failure = errno != 0 ? errno : EIO;
}

void print_error(const QString& text)
{
    std::fflush(stdout);  // what was said so far comes first
    // Control characters from a file, a name or an option are shown, not
    // obeyed by the terminal: ESC as \x1b. Line breaks separate the lines.
    QString shown;
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        const bool control = (code < 0x20 && code != u'\n') || (code >= 0x7f && code <= 0x9f);
        shown += control ? QStringLiteral("\\x%1").arg(static_cast<unsigned>(code), 2, 16, QChar(u'0')) : QString(c);
    }
    std::fputs((shown + u'\n').toUtf8().constData(), stderr);
}

char locale_decimal_mark()
{
    return numbers::readable_decimal_mark(QLocale().decimalPoint().toStdString());
}

tables::ByteSource source_of(QIODevice& device)
{
    return [&device](char* buffer, std::size_t capacity) {
        const qint64 got = device.read(buffer, static_cast<qint64>(capacity));
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    };
}

tables::ByteSink sink_of(QIODevice& device)
{
    return
        [&device](std::string_view bytes) { device.write(bytes.data(), static_cast<qint64>(bytes.size())); };
}

std::unique_ptr<QFileDevice> open_input(const QString& name)
{
    auto input = std::make_unique<QFile>(is_standard(name) ? QString() : name);
    if (is_standard(name)) {
        input->open(stdin, QIODevice::ReadOnly);
        return input;
    }
    errno = 0;
    // A folder opens for reading but holds no lines: refuse it by name.
    if (!QFileInfo(name).isDir() && input->open(QIODevice::ReadOnly)) return input;
    print_error(
        QStringLiteral("impossibile leggere %1: %2").arg(name, system_reason(errno, name, Access::Read)));
    return nullptr;
}

void guard_standard_output()
{
    // Were it left closed, the next file opened would take its number and
    // receive what was meant for standard output. Held open for reading
    // only, every write to it fails, and the run says so.
    if (fcntl(STDOUT_FILENO, F_GETFD) != -1 || errno != EBADF) return;
    const int placeholder = ::open("/dev/null", O_RDONLY);
    if (placeholder >= 0 && placeholder != STDOUT_FILENO) {
        dup2(placeholder, STDOUT_FILENO);
        ::close(placeholder);
    }
}

bool finish_standard_output()
{
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0 && !std::ferror(stdout);
    int failure = print_failure != 0 ? print_failure : errno;
    if (std::fclose(stdout) != 0 && flushed) failure = errno;
    if (flushed && failure == 0) return true;
    // Standard output is closed now: nothing is flushed before the reason.
    std::fputs((cannot_write(QString(), failure != 0 ? failure : EIO) + u'\n').toUtf8().constData(), stderr);
    return false;
}

}  // namespace command_line
