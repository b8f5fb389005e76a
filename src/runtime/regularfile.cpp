#include "regularfile.h"
#include "translation.h"

#include "failure.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <QCoreApplication>

void RegularFile::require(const QString &path, const QString &what, const QString &whatToDo, const QString &where)
{
    const QString place = where.isEmpty() ? path : where;
    // QFileInfo follows symbolic links: it describes the file they lead to.
    const QFileInfo target(path);
    if (!target.exists())
        throw Failure(QCoreApplication::translate("RegularFile", "%1 is missing.").arg(what), place, whatToDo);
    if (!target.isFile())
        throw Failure(QCoreApplication::translate("RegularFile", "%1 is not a regular file (it is a %2).")
                          .arg(what, target.isDir() ? QCoreApplication::translate("RegularFile", "folder") : QCoreApplication::translate("RegularFile", "device, pipe or socket")),
                      place, whatToDo);
}

QByteArray RegularFile::read(const QString &path, const QString &what, const QString &whatToDo, qint64 maxBytes, const QString &where)
{
    require(path, what, whatToDo, where);
    const QString place = where.isEmpty() ? path : where;
    QFile file(path);
    if (file.size() > maxBytes)
        throw Failure(QCoreApplication::translate("RegularFile", "%1 is too large to be read: %2, more than %3.").arg(what, sizeText(file.size()), sizeText(maxBytes)),
                      place, whatToDo);
    QByteArray data;
    if (file.open(QIODevice::ReadOnly))
        data = file.read(std::min(file.size(), maxBytes)); // not a buffer of maxBytes
    if (!file.isOpen() || file.error() != QFileDevice::NoError)
        throw Failure(QCoreApplication::translate("RegularFile", "%1 could not be read: %2.").arg(what, Translation::isolate(file.errorString())), place, whatToDo);
    return data;
}

QString RegularFile::write(const QString &path, const QByteArray &bytes, Mode mode)
{
    if (mode == Mode::Staged) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() && file.flush()) {
            file.close();
            if (file.error() == QFileDevice::NoError)
                return QString();
        }
        const QString reason = file.errorString();
        file.close();
        QFile::remove(path);
        return reason;
    }
    QSaveFile file(path);
    // The flush and the sync, each checked, before the rename: commit()
    // would put a file cut short in place without a word. Left uncommitted,
    // the file beside path is removed.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        return file.errorString();
    if (::fsync(file.handle()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (!file.commit())
        return file.errorString();
    return QString();
}

QString RegularFile::sizeText(qint64 bytes)
{
    if (bytes < 10 * 1024)
        return QCoreApplication::translate("RegularFile", "%1 bytes").arg(bytes);
    if (bytes < 10 * 1024 * 1024)
        return QCoreApplication::translate("RegularFile", "%1 KiB").arg(bytes / 1024);
    return QCoreApplication::translate("RegularFile", "%1 MiB").arg(bytes / (1024 * 1024));
}
