// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/system_reasons.hpp"

#include <QFileInfo>
#include <cerrno>

namespace command_line {

QString system_reason(int error, const QString& name, Access access)
{
    const QFileInfo info(name);
    if (!name.isEmpty() && info.isDir()) return QStringLiteral("è una cartella, non un file");
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
    case EDQUOT:
        return QStringLiteral("quota del disco esaurita");
    case EFBIG:
        return QStringLiteral("il file supera la dimensione massima");
    case EIO:
        return QStringLiteral("errore di ingresso/uscita del dispositivo");
    case ENOTDIR:
        return QStringLiteral("una parte del percorso non è una cartella");
    case EISDIR:
        return QStringLiteral("è una cartella, non un file");
    case ENAMETOOLONG:
        return QStringLiteral("il nome è troppo lungo");
    case ELOOP:
        return QStringLiteral("troppi collegamenti simbolici nel percorso");
    case EBADF:
        return QStringLiteral("è chiuso");
    case ENXIO:
        return QStringLiteral("il dispositivo non è disponibile");
    default:
        return QStringLiteral("errore di sistema %1").arg(error);
    }
}

QString cannot_write(const QString& name, int error)
{
    if (name.isEmpty())
        return QStringLiteral("impossibile scrivere sull'uscita standard: %1")
            .arg(error == EBADF ? QStringLiteral("è chiusa") : system_reason(error, name, Access::Write));
    return QStringLiteral("impossibile scrivere %1: %2").arg(name, system_reason(error, name, Access::Write));
}

}  // namespace command_line
