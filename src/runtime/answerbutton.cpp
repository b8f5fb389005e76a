#include "answerbutton.h"

#include "mathtext.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

namespace {
constexpr int kTextMargin = 4;
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
    // One line, centred; the mathematics in it reads as in the questions.
    const std::unique_ptr<QTextLayout> caption = MathText::layout(text(), font(), textRect.width(), false);
    const QPointF at(textRect.left(), textRect.top() + (textRect.height() - caption->boundingRect().height()) / 2);
    if (isEnabled()) {
        painter.setPen(Qt::black);
        caption->draw(&painter, at);
    } else {
        // Disabled captions are engraved: a white shadow under grey text.
        painter.setPen(Qt::white);
        caption->draw(&painter, at + QPointF(1, 1));
        painter.setPen(QColor(128, 128, 128));
        caption->draw(&painter, at);
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
