// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/outputs.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "command_line/streams.hpp"
#include "command_line/system_reasons.hpp"

namespace command_line {

namespace {

// Standard output by any of its names: "-", none, /dev/stdout, or any name
// of the very file it is open on (a link to it, the log it appends to).
bool names_standard_output(const QString& name)
{
    if (name.isEmpty() || name == u"-" || name == u"/dev/stdout" || name == u"/dev/fd/1") return true;
    struct stat named {
    }, standard{};
    return ::stat(QFile::encodeName(name).constData(), &named) == 0 &&
           ::fstat(STDOUT_FILENO, &standard) == 0 && named.st_dev == standard.st_dev &&
           named.st_ino == standard.st_ino;
}

// The file a name stands for, wherever it was named from and through any link.
QString identity(const QString& name)
{
    const QFileInfo info(name);
    if (info.exists()) return info.canonicalFilePath();
    const QString directory = QFileInfo(info.absolutePath()).canonicalFilePath();
    return directory.isEmpty() ? info.absoluteFilePath() : QDir(directory).filePath(info.fileName());
}

}  // namespace

// One output, its writes checked one by one: the first that fails keeps the
// system's reason. Unbuffered, so that the reason is the write's own.
class Output final : public QIODevice {
public:
    Output(QString name, std::unique_ptr<QFileDevice> target, bool aside)
        : name_(std::move(name)), target_(std::move(target)), aside_(aside)
    {
        QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    const QString& name() const { return name_; }

    // Whether a write failed, its reason printed.
    bool failed() const
    {
        if (failure_ != 0) report(failure_);
        return failure_ != 0;
    }

    // A file written aside appears under its name; false, with the reason
    // printed, when it cannot. What is written through is there already.
    bool keep()
    {
        if (!aside_) return true;
        errno = 0;
        if (static_cast<QSaveFile&>(*target_).commit()) return true;
        report(errno != 0 ? errno : EIO);
        return false;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        errno = 0;
        const qint64 written = target_->write(data, length);
        if (written != length && failure_ == 0) failure_ = errno != 0 ? errno : EIO;
        return written;
    }

private:
    void report(int error) const
    {
        print_error(cannot_write(names_standard_output(name_) ? QString() : name_, error));
    }

    QString name_;
    std::unique_ptr<QFileDevice> target_;
    bool aside_;
    int failure_ = 0;
};

Outputs::Outputs(QStringList input_names) : inputs_(std::move(input_names)) {}

Outputs::~Outputs() = default;

QIODevice* Outputs::open(const QString& name)
{
    if (names_standard_output(name)) {
        for (const auto& output : outputs_)
            if (names_standard_output(output->name())) return output.get();
        auto standard = std::make_unique<QFile>();
        standard->open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered,
                       QFileDevice::DontCloseHandle);
        outputs_.push_back(std::make_unique<Output>(QStringLiteral("-"), std::move(standard), false));
        return outputs_.back().get();
    }
    const QString file = identity(name);
    for (const QString& input : inputs_) {
        if (!names_standard_output(input) && identity(input) == file) {
            print_error(QStringLiteral("impossibile scrivere %1: è un file di ingresso").arg(name));
            return nullptr;
        }
    }
    for (const auto& output : outputs_) {
        if (identity(output->name()) == file) {
            print_error(QStringLiteral("impossibile scrivere %1: è già un'altra uscita").arg(name));
            return nullptr;
        }
    }
    // Renaming a file over a device node or a pipe would replace it.
    const QFileInfo info(name);
    const bool aside = !info.exists() || info.isFile();
    std::unique_ptr<QFileDevice> target;
    if (aside)
        target = std::make_unique<QSaveFile>(name);
    else
        target = std::make_unique<QFile>(name);
    errno = 0;
    if (info.isDir() || !target->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        print_error(cannot_write(name, errno));
        return nullptr;
    }
    outputs_.push_back(std::make_unique<Output>(name, std::move(target), aside));
    return outputs_.back().get();
}

bool Outputs::close(bool keep)
{
    bool kept = true;
    for (const auto& output : outputs_) {
        if (output->failed()) keep = kept = false;  // spoils them all
    }
    for (const auto& output : outputs_) {
        if (keep && !output->keep()) keep = kept = false;
    }
    outputs_.clear();  // a file not kept is discarded
    return kept;
}

}  // namespace command_line
