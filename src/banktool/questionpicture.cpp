#include "questionpicture.h"

#include "failure.h"
#include "picture.h"

#include <QCoreApplication>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>

#include <optional>


namespace {

constexpr int kMargin = 14;
const QColor kInk(20, 30, 90);

QFont questionFont(int pixelSize)
{
    QFont font(QStringLiteral("Noto Naskh Arabic"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

// A picture of size on the screen, of the pictures' density.
QImage blank(int width, int height)
{
    QImage image(width * QuestionPicture::kDensity, height * QuestionPicture::kDensity, QImage::Format_RGB32);
    Picture::setDensity(image, QuestionPicture::kDensity);
    return image;
}

void drawCentred(QPainter &painter, const QRect &area, const QString &text)
{
    painter.setLayoutDirection(Qt::RightToLeft);
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, text);
}

} // namespace

namespace {

// The layout at the largest size that fits width and height, or nothing.
std::optional<MathParagraph> fitted(const QString &text, qreal width, qreal height, int smallest)
{
    for (int size = QuestionPicture::kPixelSize; size >= smallest; --size) {
        MathParagraph layout(text, questionFont(size), width, true);
        if (layout.fits() && layout.boundingRect().height() <= height)
            return layout;
    }
    return std::nullopt;
}

} // namespace

QImage QuestionPicture::compose(const QString &text, const QImage &figure)
{
    const qreal height = kHeight - 2 * kMargin;
    // The figure's share of the width: what it needs at the full height, at
    // most kMaxFigureShare; then less, until the text fits at the size it
    // would have alone.
    const qreal wanted = figure.isNull() ? 0 : figure.width() * height / std::max(1, figure.height());
    qreal figureWidth = std::min(wanted, kMaxFigureShare * (kWidth - 2 * kMargin));
    const qreal leastFigure = std::min(wanted, kMinFigureShare * (kWidth - 2 * kMargin));
    const MathParagraph byItself = fit(text);
    const int alone = byItself.pieces().empty() ? kPixelSize : byItself.pieces().front().font.pixelSize();
    std::optional<MathParagraph> layout;
    for (;;) {
        layout = fitted(text, kWidth - 3 * kMargin - figureWidth, height, std::max<int>(kMinPixelSize, alone));
        if (layout || figureWidth <= leastFigure)
            break;
        figureWidth = std::max(leastFigure, figureWidth - 10);
    }
    if (!layout)
        layout = fitted(text, kWidth - 3 * kMargin - figureWidth, height, kMinPixelSize);
    if (!layout)
        throw Failure(QCoreApplication::translate("QuestionPicture", "the question is too long to stand beside its picture in the question picture (%1 pixels, even at the smallest readable size)")
                          .arg(Picture::sizeText(QSize(kWidth, kHeight))),
                      QString(), QCoreApplication::translate("QuestionPicture", "Shorten the question, or put its text into the picture."));
    QImage image = blank(kWidth, kHeight);
    image.fill(QColor(kBoxColour));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // The figure, scaled to its place (up or down), centred in it.
    const QSizeF shown = QSizeF(figure.size()).scaled(QSizeF(figureWidth, height), Qt::KeepAspectRatio);
    const QRectF place(kMargin + (figureWidth - shown.width()) / 2, kMargin + (height - shown.height()) / 2, shown.width(), shown.height());
    painter.drawImage(place, figure);
    // The text in the rest, right to left from the right margin.
    painter.setPen(kInk);
    layout->paint(painter, QPointF(2 * kMargin + figureWidth, (kHeight - layout->boundingRect().height()) / 2));
    return image;
}

MathParagraph QuestionPicture::fit(const QString &text)
{
    if (std::optional<MathParagraph> layout = fitted(text, kWidth - 2 * kMargin, kHeight - 2 * kMargin, kMinPixelSize))
        return std::move(*layout);
    throw Failure(QCoreApplication::translate("QuestionPicture", "the question is too long for the question picture (%1 pixels, even at the smallest readable size)")
                      .arg(Picture::sizeText(QSize(kWidth, kHeight))),
                  QString(), QCoreApplication::translate("QuestionPicture", "Shorten the question, or give a picture for it."));
}

QImage QuestionPicture::render(const QString &text)
{
    const MathParagraph layout = fit(text);
    QImage image = blank(kWidth, kHeight);
    image.fill(QColor(kBoxColour));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(kInk);
    // Centred on the picture, top to bottom as well as across.
    layout.paint(painter, QPointF(kMargin, (kHeight - layout.boundingRect().height()) / 2));
    return image;
}

QImage QuestionPicture::onBox(const QImage &picture)
{
    if (!picture.hasAlphaChannel())
        return picture;
    QImage image(picture.size(), QImage::Format_RGB32);
    image.fill(QColor(kBoxColour));
    QPainter painter(&image);
    painter.drawImage(0, 0, picture);
    return image;
}

QImage QuestionPicture::background()
{
    QImage image = blank(800, 600);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, 600);
    gradient.setColorAt(0, QColor(214, 234, 248));
    gradient.setColorAt(1, QColor(250, 252, 255));
    painter.fillRect(QRect(0, 0, 800, 600), gradient);
    // Squared paper, as in a mathematics exercise book.
    painter.setPen(QColor(190, 215, 235));
    for (int x = 0; x < 800; x += 20)
        painter.drawLine(x, 0, x, 600);
    for (int y = 0; y < 600; y += 20)
        painter.drawLine(0, y, 800, y);
    return image;
}

QImage QuestionPicture::placeholder()
{
    QImage image = blank(kWidth, kHeight);
    image.fill(QColor(kBoxColour));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(questionFont(24));
    painter.setPen(QColor(120, 130, 160));
    drawCentred(painter, QRect(kMargin, kMargin, kWidth - 2 * kMargin, kHeight - 2 * kMargin),
                QStringLiteral("اضغط زر «سؤال» لعرض السؤال التالي"));
    return image;
}

QImage QuestionPicture::questionButtonFace()
{
    QImage image = blank(104, 57);
    const QRect face(0, 0, 104, 57);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, 57);
    gradient.setColorAt(0, QColor(70, 140, 220));
    gradient.setColorAt(1, QColor(25, 80, 160));
    painter.fillRect(face, gradient);
    painter.setPen(QPen(QColor(15, 50, 110), 2));
    painter.drawRect(face.adjusted(1, 1, -1, -1));
    painter.setFont(questionFont(26));
    painter.setPen(Qt::white);
    drawCentred(painter, face, QStringLiteral("سؤال"));
    return image;
}
