#include "picture.h"

#include "failure.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace {

QString where(const QString &path, const QString &role)
{
    return role.isEmpty() ? path : QStringLiteral("%1 (%2)").arg(path, role);
}

} // namespace

QPixmap Picture::load(const QString &path, const QString &role)
{
    const QString place = where(path, role);
    const QString advice = QStringLiteral("Put a JPEG picture at this path (the bank tool's check command lists every picture that is missing or damaged), then start the program again.");
    if (!QFileInfo::exists(path))
        throw Failure(QStringLiteral("A picture file is missing."), place, advice);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("A picture file could not be read: %1.").arg(file.errorString()), place, advice);
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(QStringLiteral("A picture file could not be read: %1.").arg(file.errorString()), place, advice);
    // Every JPEG file starts with the marker FF D8 FF.
    if (data.size() < 3 || static_cast<unsigned char>(data[0]) != 0xFF || static_cast<unsigned char>(data[1]) != 0xD8
        || static_cast<unsigned char>(data[2]) != 0xFF)
        throw Failure(QStringLiteral("A picture file is not a JPEG picture."), place, advice);
    QImage image;
    if (!image.loadFromData(data, "JPEG") || image.isNull())
        throw Failure(QStringLiteral("A JPEG picture could not be decoded; the file is damaged."), place, advice);
    return QPixmap::fromImage(std::move(image));
}
