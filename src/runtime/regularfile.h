#pragma once

#include <QByteArray>
#include <QString>

// The only way the program reads a teacher's file (a picture, a bank, a
// question file): only a regular file, after symbolic links are resolved, and
// only up to a size well above any real one. A FIFO, a device or a folder in
// its place is a Failure, never a hang or a read without end.
class RegularFile {
public:
    static constexpr qint64 kMaxBytes = 512LL * 1024 * 1024;

    // Throws a Failure naming where (path when empty) when path is missing or
    // is not a regular file; what names the file in the message.
    static void require(const QString &path, const QString &what, const QString &whatToDo, const QString &where = QString());

    // The whole file, after require(); a larger file than maxBytes or a read
    // error is a Failure too.
    static QByteArray read(const QString &path, const QString &what, const QString &whatToDo, qint64 maxBytes = kMaxBytes,
                           const QString &where = QString());
};
