// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/streams.hpp"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>

#include "shared_rules/number_text.hpp"

namespace command_line {

namespace {

bool is_standard(const QString& name)
{
    return name.isEmpty() || name == u"-";
}

// The file a name stands for, wherever it was named from and through any link.
QString identity(const QString& name)
{
    const QFileInfo info(name);
    if (info.exists()) return info.canonicalFilePath();
    const QString directory = QFileInfo(info.absolutePath()).canonicalFilePath();
    return directory.isEmpty() ? info.absoluteFilePath() : QDir(directory).filePath(info.fileName());
}

enum class Access { Read, Write };

// The system's reason, in Italian words.
QString system_reason(int error, const QString& name, Access access)
{
    const QFileInfo info(name);
    if (info.isDir()) return QStringLiteral("è una cartella, non un file");
    const bool folder = QFileInfo(info.absolutePath()).isDir();
    switch (error) {
    case ENOENT:
        // A file is written aside and renamed: a folder such as /proc,
        // where no file can be made, says "no such file" of the new one.
        if (!folder) return QStringLiteral("la cartella %1 non esiste").arg(info.absolutePath());
        return access == Access::Read
                   ? QStringLiteral("il file non esiste")
                   : QStringLiteral("nella cartella %1 non si possono creare file").arg(info.absolutePath());
    case EACCES:
    case EPERM:
        return QStringLiteral("permesso negato");
    case EROFS:
        return QStringLiteral("il file system è di sola lettura");
    case ENOSPC:
        return QStringLiteral("spazio esaurito sul disco");
    case ENOTDIR:
        return QStringLiteral("una parte del percorso non è una cartella");
    case EISDIR:
        return QStringLiteral("è una cartella, non un file");
    default:
        return QStringLiteral("errore di sistema %1").arg(error);
    }
}

}  // namespace

void print(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stdout);
}

void print_error(const QString& text)
{
    std::fflush(stdout);  // what was said so far comes first
    std::fputs((text + u'\n').toUtf8().constData(), stderr);
}

char locale_decimal_mark()
{
    return shared_rules::readable_decimal_mark(QLocale().decimalPoint().toStdString());
}

shared_rules::ByteSource source_of(QIODevice& device)
{
    return [&device](char* buffer, std::size_t capacity) {
        const qint64 got = device.read(buffer, static_cast<qint64>(capacity));
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    };
}

shared_rules::ByteSink sink_of(QIODevice& device)
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

QIODevice* Outputs::open(const QString& name)
{
    if (is_standard(name)) {
        if (!standard_.isOpen()) standard_.open(stdout, QIODevice::WriteOnly);
        return &standard_;
    }
    const QString file = identity(name);
    for (const QString& input : inputs_) {
        if (!is_standard(input) && identity(input) == file) {
            print_error(QStringLiteral("impossibile scrivere %1: è un file di ingresso").arg(name));
            return nullptr;
        }
    }
    for (const auto& [other, device] : files_) {
        if (identity(other) == file) {
            print_error(QStringLiteral("impossibile scrivere %1: è già un'altra uscita").arg(name));
            return nullptr;
        }
    }
    auto output = std::make_unique<QSaveFile>(name);
    errno = 0;
    if (QFileInfo(name).isDir() || !output->open(QIODevice::WriteOnly)) {
        print_error(QStringLiteral("impossibile scrivere %1: %2")
                        .arg(name, system_reason(errno, name, Access::Write)));
        return nullptr;
    }
    files_.emplace_back(name, std::move(output));
    return files_.back().second.get();
}

bool Outputs::close(bool keep)
{
    if (standard_.isOpen()) standard_.flush();
    bool kept = true;
    // A file that failed as it was written spoils them all; an uncommitted
    // file is discarded.
    for (const auto& [name, file] : files_) {
        if (keep && file->error() != QFileDevice::NoError) {
            print_error(QStringLiteral("impossibile scrivere %1: scrittura non riuscita").arg(name));
            keep = kept = false;
        }
    }
    for (auto& [name, file] : files_) {
        errno = 0;
        if (keep && !static_cast<QSaveFile*>(file.get())->commit()) {
            print_error(QStringLiteral("impossibile scrivere %1: %2")
                            .arg(name, system_reason(errno, name, Access::Write)));
            keep = kept = false;
        }
    }
    files_.clear();
    return kept;
}

}  // namespace command_line
