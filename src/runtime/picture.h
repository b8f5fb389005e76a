#pragma once

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

// Pictures come from JPEG files, loaded by path each time they are needed.
// A picture may record its density (in a JPEG comment): one of density 2
// has twice the pixels of its size on the screen, and is shown at that size,
// sharp when the window is enlarged; a picture without one is shown a pixel
// to a pixel, as always.
class Picture {
public:
    static constexpr const char *kDensityKey = "mathcontest-density";
    static constexpr qreal kMaxDensity = 4;

    // image marked as having density pixels to one pixel of its size.
    static void setDensity(QImage &image, qreal density);

    // The question picture's box in the quiz window: a larger picture spreads
    // under the answer buttons.
    static constexpr QSize kQuestionBox{450, 130};

    // Loads the JPEG at path. A missing, unreadable, non-JPEG, cut short,
    // damaged or too large file is a Failure that names the full path and,
    // when given, what the picture is for ("the picture of question 7").
    // A size as messages write it ("450 x 130"), one unit in any direction.
    static QString sizeText(QSize size);

    static QPixmap load(const QString &path, const QString &role = QString());
    // The same, with no more pixels than it has on the screen at scale
    // device pixels to one of its size (the window's device pixel ratio): a
    // picture of a higher density is scaled down as it is decoded, its size
    // on the screen the same. It is held in three bytes a pixel.
    static QPixmap load(const QString &path, const QString &role, qreal scale);
    // A picture's file checked as load() checks it (all of its data read,
    // at a fraction of its pixels), given as its bytes: a window that shows
    // a large picture at its size holds only these, and decodes the part it
    // paints (part()).
    static QByteArray compressed(const QString &path, const QString &role = QString());
    // The part of a checked picture's file within part of its size on the
    // screen, decoded at no more than scale pixels to one of its size; null
    // when it cannot be read.
    static QImage part(const QByteArray &data, QRect part, qreal scale);
    // The size on the screen of a checked picture's file.
    static QSize shownSize(const QByteArray &data);
    // The same, as an image (for printing, and where no screen is).
    static QImage image(const QString &path, const QString &role = QString()) { return decode(path, role); }

    // The same checks and the same whole decode, without making a pixmap;
    // gives the picture's size on the screen (its pixels over its density).
    static QSize verify(const QString &path, const QString &role = QString());

    // For the bank tool: checks the picture by a whole decode and gives it
    // scaled down smoothly, keeping its proportions, to fit within box, or
    // nothing when it fits as it is (by its size on the screen, for one that
    // records a density). Reads pictures far larger than the game
    // can show; a file that claims an impossible size is refused from its
    // header.
    static std::optional<QImage> fitted(const QString &path, QSize box, const QString &role = QString());

    // For the bank tool: a picture in any format Qt reads (JPEG, PNG, GIF,
    // BMP, WebP: what screenshots and geometry programs save), decoded whole
    // from its bytes, its transparent areas kept. One that cannot be
    // decoded, claims an impossible size or is damaged is a Failure naming
    // place.
    static QImage decodeAny(const QByteArray &data, const QString &place);
    // Whether bytes are a JPEG file's.
    static bool isJpeg(const QByteArray &data) { return data.startsWith("\xFF\xD8\xFF"); }

private:
    // The file's bytes, once it is known to be a whole JPEG file.
    static QByteArray jpegBytes(const QString &path, const QString &role);
    // Decoded whole, at no more than scale pixels to one of its size when
    // scale is given.
    static QImage decode(const QString &path, const QString &role, qreal scale = 0);
    static QImage decode(QByteArray &data, const QString &place, qreal scale);
};
