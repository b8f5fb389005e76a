#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <optional>

// Pictures come from JPEG files, loaded by path each time they are needed.
class Picture {
public:
    // The question picture's box in the quiz window: a larger picture spreads
    // under the answer buttons.
    static constexpr QSize kQuestionBox{450, 130};

    // Loads the JPEG at path. A missing, unreadable, non-JPEG, cut short,
    // damaged or too large file is a Failure that names the full path and,
    // when given, what the picture is for ("the picture of question 7").
    // A size as messages write it ("450 x 130"), one unit in any direction.
    static QString sizeText(QSize size);

    static QPixmap load(const QString &path, const QString &role = QString());

    // The same checks and the same whole decode, without making a pixmap;
    // gives the picture's size.
    static QSize verify(const QString &path, const QString &role = QString());

    // For the bank tool: checks the picture by a whole decode and gives it
    // scaled down smoothly, keeping its proportions, to fit within box, or
    // nothing when it fits as it is. Reads pictures far larger than the game
    // can show; a file that claims an impossible size is refused from its
    // header.
    static std::optional<QImage> fitted(const QString &path, QSize box, const QString &role = QString());

private:
    // The file's bytes, once it is known to be a whole JPEG file.
    static QByteArray jpegBytes(const QString &path, const QString &role);
    static QImage decode(const QString &path, const QString &role);
};
