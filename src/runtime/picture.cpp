#include "picture.h"
#include "qtmessages.h"
#include "translation.h"

#include "failure.h"
#include "regularfile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <cstring>
#include <QPainter>
#include <QCoreApplication>

#include <memory>

namespace {

// The largest picture the bank tool reads to scale down (a 20000 x 20000
// scan is fine); a header claiming more is not a real picture.
constexpr qint64 kMaxFittedPixels = 25000LL * 25000LL;

// Translated when asked, after the translator is installed.
QString advice()
{
    return QCoreApplication::translate("Picture", "Put a JPEG picture at this path (the bank tool's check command lists every picture that is missing or damaged), then start the program again.");
}
// Translated when asked, after the translator is installed.
QString tooLargeAdvice()
{
    return QCoreApplication::translate("Picture", "Make the picture smaller (a question picture fits in 450 x 130 pixels), or make the bank again with \"mathcontest-bank create\", "
    "which scales given pictures down.");
}

} // namespace

QString Picture::sizeText(QSize size)
{
    return Translation::isolate(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()));
}

namespace {

// A checked JPEG picture's bytes, read as Qt's reader reads a file named
// *.jpg: it then asks the JPEG decoder alone, where for a format given it
// loads every image plugin installed, one after the other, until one takes
// it (each kept for good, 1.4 MiB in all).
class JpegBytes : public QFile {
public:
    explicit JpegBytes(const QByteArray &data)
        : QFile(QStringLiteral("picture.jpg"))
        , m_data(data)
    {
        QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    ~JpegBytes() override { QIODevice::close(); }
    bool isSequential() const override { return false; }
    qint64 size() const override { return m_data.size(); }
    bool seek(qint64 pos) override
    {
        if (pos < 0 || pos > m_data.size())
            return false;
        m_at = pos;
        return QIODevice::seek(pos);
    }
    bool atEnd() const override { return m_at >= m_data.size(); }
    void close() override { QIODevice::close(); }

protected:
    qint64 readData(char *out, qint64 most) override
    {
        const qint64 n = std::min(most, m_data.size() - m_at);
        std::memcpy(out, m_data.constData() + m_at, size_t(n));
        m_at += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_at = 0;
};


QString where(const QString &path, const QString &role)
{
    return role.isEmpty() ? path : QStringLiteral("%1 (%2)").arg(Translation::isolate(path), role);
}

[[noreturn]] void damaged(const QString &place)
{
    throw Failure(QCoreApplication::translate("Picture", "A JPEG picture could not be decoded; the file is damaged."), place, advice());
}

// The size the JPEG's header gives, read without decoding the picture.
QSize headerSize(QImageReader &reader, const QString &place)
{
    const QSize size = reader.size();
    if (!size.isValid())
        damaged(place);
    return size;
}

// The picture, read to its end: a decoder that had to guess at any part of
// it ("Corrupt JPEG data") read a damaged file.
QImage readWhole(QImageReader &reader, const QString &place)
{
    const QtMessages::Capture warnings;
    QImage image = reader.read();
    if (image.isNull() || !warnings.warnings().isEmpty())
        damaged(place);
    return image;
}

// The density the picture records; one that is not a number from 1 to
// kMaxDensity is not ours, and the picture is shown a pixel to a pixel.
qreal densityOf(QImageReader &reader)
{
    bool ok = false;
    const qreal density = reader.text(QString::fromLatin1(Picture::kDensityKey)).toDouble(&ok);
    return ok && density >= 1 && density <= Picture::kMaxDensity ? density : 1;
}

} // namespace

QByteArray Picture::jpegBytes(const QString &path, const QString &role)
{
    const QString place = where(path, role);
    QByteArray data = RegularFile::read(path, QCoreApplication::translate("Picture", "A picture file"), advice(), RegularFile::kMaxBytes, place);
    // Every JPEG file starts with the marker FF D8 FF.
    if (!data.startsWith("\xFF\xD8\xFF"))
        throw Failure(QCoreApplication::translate("Picture", "A picture file is not a JPEG picture."), place, advice());
    // The image data starts at the first scan (FF DA) and ends with the marker
    // FF D9, which cannot stand inside it: without one after the scan the file
    // was cut short. Cameras and editors may write more after it.
    const qsizetype scan = data.indexOf("\xFF\xDA");
    if (scan < 0 || data.indexOf("\xFF\xD9", scan) < 0)
        throw Failure(QCoreApplication::translate("Picture", "A JPEG picture is cut short; the file is damaged."), place, advice());
    return data;
}

QImage Picture::decode(const QString &path, const QString &role, qreal scale)
{
    QByteArray data = jpegBytes(path, role);
    return decode(data, where(path, role), scale);
}

QImage Picture::decode(QByteArray &data, const QString &place, qreal scale)
{
    JpegBytes buffer(data);
    QImageReader reader(&buffer);
    // What the game can decode: Qt refuses pictures over its allocation
    // limit, so one is refused from its header, as too large, not damaged.
    const QSize size = headerSize(reader, place);
    const qint64 limitBytes = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    if (limitBytes > 0 && qint64(size.width()) * size.height() * 4 > limitBytes)
        throw Failure(QCoreApplication::translate("Picture", "A picture is too large for the game to show: %1 pixels.").arg(sizeText(size)),
                      place, tooLargeAdvice());
    qreal density = densityOf(reader);
    // The decoder scales as it goes, reading all of the file's data (so
    // finding the same faults) without ever holding its whole size.
    if (scale > 0 && density > scale) {
        reader.setScaledSize((QSizeF(size) / density * scale).toSize());
        density = scale;
    }
    QImage image = readWhole(reader, place);
    image.setDevicePixelRatio(density);
    return image;
}

QImage Picture::decodeAny(const QByteArray &data, const QString &place)
{
    QByteArray bytes = data;
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid())
        throw Failure(QCoreApplication::translate("Picture", "A picture file is not a picture the bank tool reads (JPEG, PNG, GIF, BMP or WebP), or it is damaged."),
                      place, QCoreApplication::translate("Picture", "Save the picture again as PNG or JPEG, then run the command again."));
    if (qint64(size.width()) * size.height() > kMaxFittedPixels)
        throw Failure(QCoreApplication::translate("Picture", "A picture claims to be %1 pixels, more than any real picture; the file is damaged.").arg(sizeText(size)),
                      place, advice());
    const QImage read = readWhole(reader, place);
    return read.hasAlphaChannel() ? read.convertToFormat(QImage::Format_ARGB32) : read.convertToFormat(QImage::Format_RGB32);
}

void Picture::setDensity(QImage &image, qreal density)
{
    image.setDevicePixelRatio(density);
    image.setText(QString::fromLatin1(kDensityKey), QString::number(density));
}

QByteArray Picture::compressed(const QString &path, const QString &role)
{
    QByteArray data = jpegBytes(path, role);
    // At an eighth of a pixel to one of its size: the decoder still reads
    // all of the data, so finds every fault.
    decode(data, where(path, role), 0.125);
    return data;
}

namespace {

// A reader of a checked picture's bytes, and the picture's density.
std::pair<std::unique_ptr<JpegBytes>, std::unique_ptr<QImageReader>> readerOf(const QByteArray &data)
{
    auto buffer = std::make_unique<JpegBytes>(data);
    auto reader = std::make_unique<QImageReader>(buffer.get());
    return {std::move(buffer), std::move(reader)};
}

} // namespace

QImage Picture::part(const QByteArray &data, QRect part, qreal scale)
{
    const auto [buffer, reader] = readerOf(data);
    const qreal density = densityOf(*reader);
    const qreal pixels = scale > 0 && density > scale ? scale : density;
    // The decoder reads the part's rows only, and scales them as it goes.
    reader->setClipRect(QRectF(QPointF(part.topLeft()) * density, QSizeF(part.size()) * density).toRect());
    reader->setScaledSize((QSizeF(part.size()) * pixels).toSize());
    QImage image = reader->read();
    image.setDevicePixelRatio(pixels);
    return image;
}

QSize Picture::shownSize(const QByteArray &data)
{
    const auto [buffer, reader] = readerOf(data);
    const qreal density = densityOf(*reader);
    return (QSizeF(reader->size()) / density).toSize();
}

QPixmap Picture::load(const QString &path, const QString &role)
{
    return QPixmap::fromImage(decode(path, role));
}

QPixmap Picture::load(const QString &path, const QString &role, qreal scale)
{
    // Held in three bytes a pixel, as the file has them, not the screen's
    // four: drawn, it is the same.
    return QPixmap::fromImage(decode(path, role, scale).convertToFormat(QImage::Format_RGB888), Qt::NoFormatConversion);
}

QSize Picture::verify(const QString &path, const QString &role)
{
    return decode(path, role).deviceIndependentSize().toSize();
}

std::optional<QImage> Picture::fitted(const QString &path, QSize box, const QString &role)
{
    QByteArray data = jpegBytes(path, role);
    const QString place = where(path, role);
    JpegBytes buffer(data);
    QImageReader reader(&buffer);
    const QSize size = headerSize(reader, place);
    if (qint64(size.width()) * size.height() > kMaxFittedPixels)
        throw Failure(QCoreApplication::translate("Picture", "A JPEG picture claims to be %1 pixels, more than any real picture; the file is damaged.")
                          .arg(sizeText(size)),
                      place, advice());
    // A picture of a density fits by its size on the screen.
    const qreal density = densityOf(reader);
    const QSize shown = (QSizeF(size) / density).toSize();
    const QSize target = shown.boundedTo(box) == shown ? size : size.scaled(box, Qt::KeepAspectRatio);
    // The decoder scales by eighths on the way (never below twice the
    // target); the last step is a smooth scale. A picture that fits is
    // decoded at an eighth, which reads all of its data (so finds the same
    // faults) in a fraction of the time.
    reader.setScaledSize(target != size ? size.scaled(target * 2, Qt::KeepAspectRatio).boundedTo(size)
                                        : QSize((size.width() + 7) / 8, (size.height() + 7) / 8));
    const QImage image = readWhole(reader, place);
    if (target == size)
        return std::nullopt;
    return image.size() == target ? image : image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
