#include "answerbutton.h"

#include "mathlayout.h"
#include "mathparser.h"
#include "mathtext.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

#include <memory>

namespace {
constexpr int kTextMargin = 4;

// The caption laid out in its notation at scale of font.
MathParagraph laidOut(const QString &text, QFont font, qreal scale, qreal width, bool linear)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * scale);
    else
        font.setPixelSize(std::max(6, qRound(font.pixelSize() * scale)));
    return MathParagraph(text, font, width, false, linear);
}

bool fitsIn(const MathParagraph &caption, const QSizeF &area)
{
    return caption.fits() && caption.boundingRect().height() <= area.height();
}
} // namespace

std::optional<MathParagraph> AnswerButton::notationCaption(const QString &text, const QFont &font, const QSizeF &area)
{
    if (!MathParser::hasNotation(text))
        return std::nullopt;
    // Stacked, as large as fits while a fraction's digits keep their size;
    // then with its fractions in the line, down to the same size; a caption
    // too long for the button even so is made smaller still, as a last
    // resort, down to the smallest any caption was ever set.
    constexpr qreal kStep = 0.95, kLastResort = 0.45;
    for (qreal scale = 1; scale * MathLayout::kFractionScale >= kSmallestDigits - 1e-9; scale *= kStep) {
        MathParagraph caption = laidOut(text, font, scale, area.width(), false);
        if (fitsIn(caption, area))
            return caption;
    }
    for (qreal scale = 1;; scale *= kStep) {
        MathParagraph caption = laidOut(text, font, scale, area.width(), true);
        if (fitsIn(caption, area) || scale * kStep < kLastResort)
            return caption;
    }
}

void AnswerButton::paintCaption(QPainter &painter, const QString &text, const QFont &font, const QRect &textRect)
{
    // One line, centred; the mathematics in it reads as in the questions, and
    // a caption in notation is written as in a textbook, as large as the
    // button allows.
    if (const std::optional<MathParagraph> notation = notationCaption(text, font, textRect.adjusted(0, 1, 0, -1).size())) {
        notation->paint(painter, QPointF(textRect.left(), textRect.top() + (textRect.height() - notation->boundingRect().height()) / 2));
        return;
    }
    const std::unique_ptr<QTextLayout> plain = MathText::layout(text, font, textRect.width(), false);
    plain->draw(&painter, QPointF(textRect.left(), textRect.top() + (textRect.height() - plain->boundingRect().height()) / 2));
}

AnswerButton::AnswerButton(QWidget *parent)
    : QPushButton(parent)
{
    setMouseTracking(true);
}

void AnswerButton::setBackColor(const QColor &color)
{
    if (color == m_backColor)
        return;
    m_backColor = color;
    update();
}

void AnswerButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setLayoutDirection(layoutDirection());
    const QRect r = rect();
    const bool sunken = isDown();
    painter.fillRect(r, m_backColor);

    // A raised (or, while pressed, sunken) two-pixel bevel around the face.
    const QColor light = sunken ? QColor(64, 64, 64) : Qt::white;
    const QColor dark = sunken ? Qt::white : QColor(64, 64, 64);
    const QColor innerDark = QColor(128, 128, 128);
    painter.setPen(light);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(dark);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    if (!sunken) {
        painter.setPen(innerDark);
        painter.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
        painter.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
    }

    QRect textRect = r.adjusted(kTextMargin, 2, -kTextMargin, -2);
    if (sunken)
        textRect.translate(1, 1);
    if (isEnabled()) {
        painter.setPen(Qt::black);
        paintCaption(painter, text(), font(), textRect);
    } else {
        // Disabled captions are engraved: a white shadow under grey text.
        painter.setPen(Qt::white);
        paintCaption(painter, text(), font(), textRect.translated(1, 1));
        painter.setPen(QColor(128, 128, 128));
        paintCaption(painter, text(), font(), textRect);
    }
    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(r.adjusted(3, 3, -4, -4));
    }
}

void AnswerButton::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved();
    QPushButton::mouseMoveEvent(event);
    event->accept();
}
