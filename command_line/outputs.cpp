// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/outputs.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <climits>
#include <cstdio>
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

// A link the kernel would not follow there: in a sticky folder anyone may
// write to, a link neither ours nor the folder owner's (as a plain ">"
// refuses under fs.protected_symlinks).
bool foreign_link_in_shared_folder(const QString& name)
{
    struct stat link {
    }, folder{};
    const QByteArray path = QFile::encodeName(name);
    const QByteArray parent = QFile::encodeName(QFileInfo(name).absolutePath());
    if (::lstat(path.constData(), &link) != 0 || !S_ISLNK(link.st_mode)) return false;
    if (::stat(parent.constData(), &folder) != 0) return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return shared && link.st_uid != ::geteuid() && link.st_uid != folder.st_uid;
}

bool character_device(const QString& name)
{
    struct stat file {
    };
    return ::stat(QFile::encodeName(name).constData(), &file) == 0 && S_ISCHR(file.st_mode);
}

// The permissions a new file gets: 0666 less the umask, as ">" gives them.
mode_t new_file_mode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The permission bits of a file.
mode_t stat_mode(const QString& name)
{
    struct stat file {
    };
    return ::stat(QFile::encodeName(name).constData(), &file) == 0 ? file.st_mode & 07777 : new_file_mode();
}

}  // namespace

// A file written aside, beside the one it replaces, through any link: it is
// made durable first, then put in its place; until the run ends the old
// file is kept under a second name, so that the run can put it back.
class AsideFile {
public:
    explicit AsideFile(const QString& name)
    {
        const QFileInfo info(name);
        const QString resolved = info.canonicalFilePath();  // through every link; empty for a dangling one
        target_ = !info.isSymLink() ? info.absoluteFilePath() : resolved.isEmpty() ? info.symLinkTarget() : resolved;
        const QFileInfo target(target_);
        temporary_.setFileTemplate(target.absolutePath() + QStringLiteral("/.momento-ultimo.XXXXXX"));
        too_long_ = QFile::encodeName(target.fileName()).size() > NAME_MAX;
        mode_ = target.exists() ? stat_mode(target_) : new_file_mode();
    }
    QFileDevice& device() { return temporary_; }
    // Errno on failure, as opening the file itself would give it.
    bool open()
    {
        errno = too_long_ ? ENAMETOOLONG : 0;
        return !too_long_ && temporary_.open();
    }

    // Written to the disk with the permissions of the file it replaces; errno on failure.
    bool make_durable()
    {
        return temporary_.flush() && ::fchmod(temporary_.handle(), mode_) == 0 && ::fsync(temporary_.handle()) == 0;
    }
    // In place of the old file, which stays under a second name; errno on failure.
    bool put_in_place()
    {
        const QByteArray target = QFile::encodeName(target_);
        backup_ = target + ".momento-ultimo-" + QByteArray::number(::getpid());
        had_old_ = ::link(target.constData(), backup_.constData()) == 0;
        if (::rename(QFile::encodeName(temporary_.fileName()).constData(), target.constData()) != 0) {
            const int error = errno;
            forget_old();
            errno = error;
            return false;
        }
        temporary_.setAutoRemove(false);
        placed_ = true;
        return true;
    }
    // The old file back, or no file where there was none.
    void put_back()
    {
        if (!placed_) return;
        const QByteArray target = QFile::encodeName(target_);
        if (had_old_) ::rename(backup_.constData(), target.constData());
        else ::unlink(target.constData());
        had_old_ = placed_ = false;
    }
    void forget_old()
    {
        if (had_old_) ::unlink(backup_.constData());
        had_old_ = false;
    }

private:
    QString target_;
    QTemporaryFile temporary_;
    mode_t mode_ = 0;
    QByteArray backup_;
    bool had_old_ = false, placed_ = false, too_long_ = false;
};

// One output, its writes checked one by one: the first that fails keeps the
// system's reason. Unbuffered, so that the reason is the write's own.
class Output final : public QIODevice {
public:
    // Written through to `target`.
    Output(QString name, std::unique_ptr<QFileDevice> target) : name_(std::move(name)), target_(std::move(target))
    {
        QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    // Written aside, put in place at the end.
    Output(QString name, std::unique_ptr<AsideFile> aside) : name_(std::move(name)), aside_(std::move(aside))
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

    // The two steps of keeping a file written aside, each false with the
    // reason printed: durable on the disk, then in its place. What is
    // written through is there already.
    bool make_durable() { return !aside_ || checked(aside_->make_durable()); }
    bool put_in_place() { return !aside_ || checked(aside_->put_in_place()); }
    void put_back()
    {
        if (aside_) aside_->put_back();
    }
    void forget_old()
    {
        if (aside_) aside_->forget_old();
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        errno = 0;
        const qint64 written = (aside_ ? aside_->device() : *target_).write(data, length);
        if (written != length && failure_ == 0) failure_ = errno != 0 ? errno : EIO;
        return written;
    }

private:
    bool checked(bool done) const
    {
        if (!done) report(errno != 0 ? errno : EIO);
        return done;
    }
    void report(int error) const
    {
        print_error(cannot_write(names_standard_output(name_) ? QString() : name_, error));
    }

    QString name_;
    std::unique_ptr<QFileDevice> target_;
    std::unique_ptr<AsideFile> aside_;
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
        outputs_.push_back(std::make_unique<Output>(QStringLiteral("-"), std::move(standard)));
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
        // Two writers to one character device, as to /dev/null, do not spoil each other.
        if (identity(output->name()) == file && !character_device(name)) {
            print_error(QStringLiteral("impossibile scrivere %1: è già un'altra uscita").arg(name));
            return nullptr;
        }
    }
    if (foreign_link_in_shared_folder(name)) {
        print_error(QStringLiteral("impossibile scrivere %1: è un collegamento simbolico d'altri in una cartella "
                                   "condivisa")
                        .arg(name));
        return nullptr;
    }
    // Renaming a file over a device node or a pipe would replace it.
    const QFileInfo info(name);
    errno = 0;
    if (info.isDir()) {
        print_error(cannot_write(name, EISDIR));
        return nullptr;
    }
    if (!info.exists() || info.isFile()) {
        auto aside = std::make_unique<AsideFile>(name);
        if (!aside->open()) {
            print_error(cannot_write(name, errno));
            return nullptr;
        }
        outputs_.push_back(std::make_unique<Output>(name, std::move(aside)));
    } else {
        auto target = std::make_unique<QFile>(name);
        if (!target->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            print_error(cannot_write(name, errno));
            return nullptr;
        }
        outputs_.push_back(std::make_unique<Output>(name, std::move(target)));
    }
    return outputs_.back().get();
}

bool Outputs::close(bool keep)
{
    bool kept = true;
    for (const auto& output : outputs_) {
        if (output->failed()) keep = kept = false;  // spoils them all
    }
    for (const auto& output : outputs_) {
        if (keep && !output->make_durable()) keep = kept = false;
    }
    // Every output in place, or, where one cannot be, every old file back.
    std::size_t placed = 0;
    for (; keep && placed < outputs_.size(); ++placed) {
        if (!outputs_[placed]->put_in_place()) keep = kept = false;
    }
    for (std::size_t i = 0; i < placed; ++i) {
        if (kept) outputs_[i]->forget_old();
        else outputs_[i]->put_back();
    }
    outputs_.clear();  // a file not kept is discarded
    return kept;
}

}  // namespace command_line
