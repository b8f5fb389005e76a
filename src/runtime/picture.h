#pragma once

#include <QPixmap>
#include <QString>

// Pictures come from JPEG files, loaded by path each time they are needed.
class Picture {
public:
    // Loads the JPEG at path. A missing, unreadable, non-JPEG or damaged file
    // is a Failure that names the full path and, when given, what the picture
    // is for ("the picture of question 7").
    static QPixmap load(const QString &path, const QString &role = QString());

    // The same checks, and a decode at an eighth of the size, without making
    // a pixmap: fast enough to check thousands of pictures.
    static void verify(const QString &path, const QString &role = QString());

private:
    // The file's bytes, once it is known to be there, readable and JPEG.
    static QByteArray jpegBytes(const QString &path, const QString &role);
};
