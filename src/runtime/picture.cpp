#include "picture.h"

#include "failure.h"

#include <QFile>
#include <QFileInfo>
#include <QBuffer>
#include <QImage>
#include <QImageReader>

namespace {

QString where(const QString &path, const QString &role)
{
    return role.isEmpty() ? path : QStringLiteral("%1 (%2)").arg(path, role);
}

} // namespace

namespace {
constexpr qsizetype kEndMarkerWindow = 64;
const QString kAdvice = QStringLiteral(
    "Put a JPEG picture at this path (the bank tool's check command lists every picture that is missing or damaged), then start the program again.");
} // namespace

QByteArray Picture::jpegBytes(const QString &path, const QString &role)
{
    const QString place = where(path, role);
    if (!QFileInfo::exists(path))
        throw Failure(QStringLiteral("A picture file is missing."), place, kAdvice);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("A picture file could not be read: %1.").arg(file.errorString()), place, kAdvice);
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(QStringLiteral("A picture file could not be read: %1.").arg(file.errorString()), place, kAdvice);
    // Every JPEG file starts with the marker FF D8 FF.
    if (data.size() < 3 || static_cast<unsigned char>(data[0]) != 0xFF || static_cast<unsigned char>(data[1]) != 0xD8
        || static_cast<unsigned char>(data[2]) != 0xFF)
        throw Failure(QStringLiteral("A picture file is not a JPEG picture."), place, kAdvice);
    // A JPEG ends with the marker FF D9 (a few bytes of padding may follow);
    // without it the file was cut short.
    if (data.right(kEndMarkerWindow).lastIndexOf("\xFF\xD9") < 0)
        throw Failure(QStringLiteral("A JPEG picture is cut short; the file is damaged."), place, kAdvice);
    return data;
}

QPixmap Picture::load(const QString &path, const QString &role)
{
    const QByteArray data = jpegBytes(path, role);
    QImage image;
    if (!image.loadFromData(data, "JPEG") || image.isNull())
        throw Failure(QStringLiteral("A JPEG picture could not be decoded; the file is damaged."), where(path, role), kAdvice);
    return QPixmap::fromImage(std::move(image));
}

void Picture::verify(const QString &path, const QString &role)
{
    QByteArray data = jpegBytes(path, role);
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "JPEG");
    const QSize size = reader.size();
    if (size.isValid())
        reader.setScaledSize(QSize((size.width() + 7) / 8, (size.height() + 7) / 8));
    if (!size.isValid() || reader.read().isNull())
        throw Failure(QStringLiteral("A JPEG picture could not be decoded; the file is damaged."), where(path, role), kAdvice);
}
