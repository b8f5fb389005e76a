#pragma once

#include <QColor>
#include <QPushButton>

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

signals:
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QColor m_backColor = Qt::yellow;
};
