#include "regularfile.h"
#include "translation.h"

#include "failure.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
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
        throw Failure(QCoreApplication::translate("RegularFile", "%1 is too large to be read: %2 MiB, more than %3 MiB.")
                          .arg(what)
                          .arg(file.size() / (1024 * 1024))
                          .arg(maxBytes / (1024 * 1024)),
                      place, whatToDo);
    QByteArray data;
    if (file.open(QIODevice::ReadOnly))
        data = file.read(std::min(file.size(), maxBytes)); // not a buffer of maxBytes
    if (!file.isOpen() || file.error() != QFileDevice::NoError)
        throw Failure(QCoreApplication::translate("RegularFile", "%1 could not be read: %2.").arg(what, Translation::isolate(file.errorString())), place, whatToDo);
    return data;
}
