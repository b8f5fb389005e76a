#include "answerbutton.h"

#include "mathparagraph.h"
#include "mathparser.h"
#include "mathtext.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

#include <functional>
#include <optional>

namespace {
constexpr int kTextMargin = 4;
// A caption in notation is made smaller, step by step down to this part of
// the button's font, until it fits the button.
constexpr qreal kSmallestNotation = 0.45;
constexpr qreal kNotationStep = 0.92;

// The caption laid out in its notation at the largest size, up to the
// button's font, that fits area.
MathParagraph fittedNotation(const QString &text, QFont font, const QRect &area)
{
    const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : -1;
    const int pixels = font.pixelSize();
    for (qreal scale = 1;; scale *= kNotationStep) {
        if (points > 0)
            font.setPointSizeF(points * scale);
        else
            font.setPixelSize(std::max(6, qRound(pixels * scale)));
        MathParagraph caption(text, font, area.width(), false);
        if (scale * kNotationStep < kSmallestNotation
            || (caption.fits() && caption.boundingRect().height() <= area.height()))
            return caption;
    }
}
} // namespace

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
    // One line, centred; the mathematics in it reads as in the questions, and
    // a caption in notation is written as in a textbook, as large as the
    // button allows.
    std::function<void(QPointF)> draw;
    qreal height = 0;
    std::unique_ptr<QTextLayout> plain;
    std::optional<MathParagraph> notation;
    if (MathParser::hasNotation(text())) {
        notation = fittedNotation(text(), font(), textRect.adjusted(0, 1, 0, -1));
        height = notation->boundingRect().height();
        draw = [&](QPointF at) { notation->paint(painter, at); };
    } else {
        plain = MathText::layout(text(), font(), textRect.width(), false);
        height = plain->boundingRect().height();
        draw = [&](QPointF at) { plain->draw(&painter, at); };
    }
    const QPointF at(textRect.left(), textRect.top() + (textRect.height() - height) / 2);
    if (isEnabled()) {
        painter.setPen(Qt::black);
        draw(at);
    } else {
        // Disabled captions are engraved: a white shadow under grey text.
        painter.setPen(Qt::white);
        draw(at + QPointF(1, 1));
        painter.setPen(QColor(128, 128, 128));
        draw(at);
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
