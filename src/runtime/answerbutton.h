#pragma once

#include <QColor>
#include <QPushButton>

// A command button that paints its own back colour under any widget style,
// and reports every mouse move over it. Its caption is drawn in an isolate of
// its own direction, so that "-4" or "3/4" read correctly on a right-to-left
// button while Arabic captions still read right to left; the caption itself
// is stored unchanged.
class AnswerButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor)
public:
    explicit AnswerButton(QWidget *parent = nullptr);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color);

    // The caption as it is painted: wrapped in a first-strong isolate.
    static QString isolated(const QString &caption);

signals:
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QColor m_backColor = Qt::yellow;
};
