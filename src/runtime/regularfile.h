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

    // How write() puts a file in place: Replace writes it beside path under
    // another name, on the disk itself, and renames it over path in one
    // step; Staged writes path itself, for a file in a folder that is put
    // in place whole afterwards (syncing thousands of pictures costs
    // seconds).
    enum class Mode { Replace, Staged };

    // The only way the program writes a file: bytes, whole or not at all,
    // every write checked to the end (QSaveFile does not report a failure
    // of its last flush, so a full disk left a file cut short or empty).
    // On failure path is as it was. Gives why it failed (the system's
    // words), or an empty string once written.
    static QString write(const QString &path, const QByteArray &bytes, Mode mode = Mode::Replace);

    // A size for a message, in the unit that shows it best (bytes, KiB or
    // MiB), so that a limit never reads "0 MiB".
    static QString sizeText(qint64 bytes);
};
