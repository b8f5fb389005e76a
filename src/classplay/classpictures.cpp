#include "classpictures.h"

#include "answerbutton.h"
#include "contestfolder.h"
#include "picture.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

namespace {

QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

QFont ClassPictures::answerFont()
{
    QFont font(QStringLiteral("Arabic Transparent"));
    font.setPointSizeF(21.75);
    font.setBold(true);
    return font;
}

QByteArray ClassPictures::question(const QString &folder, qint64 id)
{
    return png(Picture::image(ContestFolder::questionPicture(folder, id)));
}

QByteArray ClassPictures::answer(const QString &text)
{
    constexpr qreal density = 2;
    QImage image(QSize(kAnswerWidth, kAnswerHeight) * density, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(density);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setLayoutDirection(Qt::RightToLeft);
    painter.setPen(Qt::black);
    QFont font = answerFont();
    // Drawn in pixels of the page, as the button's points are on the screen.
    font.setPixelSize(29);
    AnswerButton::paintCaption(painter, text, font, QRect(4, 0, kAnswerWidth - 8, kAnswerHeight));
    painter.end();
    return png(image);
}

std::array<QByteArray, 4> ClassPictures::answers(const std::array<QString, 4> &texts)
{
    return {answer(texts[0]), answer(texts[1]), answer(texts[2]), answer(texts[3])};
}
