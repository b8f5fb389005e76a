#pragma once

#include "mathparagraph.h"

#include <QColor>
#include <QPushButton>

#include <optional>

// A command button that paints its own back colour under any widget style,
// and reports every mouse move over it. Its caption is laid out as MathText
// lays out mathematics, so that "-4", "2x" or "س = 3" read correctly on a
// right-to-left button while Arabic captions still read right to left; the
// caption itself is stored unchanged.
class AnswerButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor)
public:
    explicit AnswerButton(QWidget *parent = nullptr);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color);

    // A fraction's digits on a button are at least this part of its font:
    // a caption is stacked only while they are, and otherwise set with its
    // fractions in the line (3/4, (x + 1)/3), down to this part of the font.
    static constexpr qreal kSmallestDigits = 0.7;

    // A caption written in notation laid out as a button of font shows it in
    // area; nothing for a caption without notation, which is drawn as text.
    static std::optional<MathParagraph> notationCaption(const QString &text, const QFont &font, const QSizeF &area);
    // The caption drawn as a button of font draws it in its face textRect,
    // centred, in the painter's pen colour.
    static void paintCaption(QPainter &painter, const QString &text, const QFont &font, const QRect &textRect);

signals:
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QColor m_backColor = Qt::yellow;
};
