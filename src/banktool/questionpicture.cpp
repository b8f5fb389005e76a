#include "questionpicture.h"

#include "failure.h"
#include "mathtext.h"
#include "picture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QTextLayout>
#include <QCoreApplication>


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

void drawCentred(QPainter &painter, const QRect &area, const QString &text)
{
    painter.setLayoutDirection(Qt::RightToLeft);
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, text);
}

} // namespace

std::unique_ptr<QTextLayout> QuestionPicture::fit(const QString &text)
{
    const qreal width = kWidth - 2 * kMargin;
    for (int size = kPixelSize; size >= kMinPixelSize; --size) {
        std::unique_ptr<QTextLayout> layout = MathText::layout(text, questionFont(size), width, true);
        if (layout->boundingRect().height() <= kHeight - 2 * kMargin)
            return layout;
    }
    throw Failure(QCoreApplication::translate("QuestionPicture", "the question is too long for the question picture (%1 pixels, even at the smallest readable size)")
                      .arg(Picture::sizeText(QSize(kWidth, kHeight))),
                  QString(), QCoreApplication::translate("QuestionPicture", "Shorten the question, or give a picture for it."));
}

QImage QuestionPicture::render(const QString &text)
{
    const std::unique_ptr<QTextLayout> layout = fit(text);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 250));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(kInk);
    // Centred on the picture, top to bottom as well as across.
    layout->draw(&painter, QPointF(kMargin, (kHeight - layout->boundingRect().height()) / 2));
    return image;
}

QImage QuestionPicture::background()
{
    QImage image(800, 600, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, 600);
    gradient.setColorAt(0, QColor(214, 234, 248));
    gradient.setColorAt(1, QColor(250, 252, 255));
    painter.fillRect(image.rect(), gradient);
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
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 250));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(questionFont(24));
    painter.setPen(QColor(120, 130, 160));
    drawCentred(painter, image.rect().adjusted(kMargin, kMargin, -kMargin, -kMargin),
                QStringLiteral("اضغط زر «سؤال» لعرض السؤال التالي"));
    return image;
}

QImage QuestionPicture::questionButtonFace()
{
    QImage image(104, 57, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, 57);
    gradient.setColorAt(0, QColor(70, 140, 220));
    gradient.setColorAt(1, QColor(25, 80, 160));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(QPen(QColor(15, 50, 110), 2));
    painter.drawRect(image.rect().adjusted(1, 1, -1, -1));
    painter.setFont(questionFont(26));
    painter.setPen(Qt::white);
    drawCentred(painter, image.rect(), QStringLiteral("سؤال"));
    return image;
}
