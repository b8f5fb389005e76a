#include "questionpicture.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QRegularExpression>
#include <QTextLayout>

#include <cmath>

namespace {

constexpr int kMargin = 14;
constexpr int kQuestionPixelSize = 28;
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

QString QuestionPicture::isolateExpressions(const QString &text)
{
    // A run that starts with a digit, a sign or a bracket and ends with a
    // digit, a bracket or a percent sign, holding only digits, operators,
    // blanks and separators between.
    static const QRegularExpression expression(
        QStringLiteral(R"([-−+(]?[0-9(][0-9 .,:/+\-−×÷*=()%²³^√]*[0-9)%²³]|[-−+(]?[0-9])"));
    QString result;
    qsizetype last = 0;
    auto it = expression.globalMatch(text);
    while (it.hasNext()) {
        const auto match = it.next();
        result += text.mid(last, match.capturedStart() - last);
        result += QChar(0x2066) + match.captured() + QChar(0x2069);
        last = match.capturedEnd();
    }
    result += text.mid(last);
    return result;
}

QImage QuestionPicture::render(const QString &text)
{
    // One layout both measures and draws the text.
    QTextLayout layout(isolateExpressions(text), questionFont(kQuestionPixelSize));
    QTextOption option(Qt::AlignHCenter);
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    const qreal width = kWidth - 2 * kMargin;
    qreal textHeight = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, textHeight));
        textHeight += line.height();
    }
    layout.endLayout();
    const int height = std::max(kHeight, static_cast<int>(std::ceil(textHeight)) + 2 * kMargin);

    QImage image(kWidth, height, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 250));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(kInk);
    // Centred on the picture, top to bottom as well as across.
    layout.draw(&painter, QPointF(kMargin, (height - textHeight) / 2));
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
