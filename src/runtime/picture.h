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
};
