#pragma once

#include <QLabel>

// A label that reports a click of the left mouse button. A disabled label
// reports none. To assistive technology a pressable one is a push button
// that can be pressed, any other a picture.
class ClickLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(bool pressable READ pressable WRITE setPressable)
public:
    explicit ClickLabel(QWidget *parent = nullptr);

    bool pressable() const { return m_pressable; }
    void setPressable(bool pressable) { m_pressable = pressable; }

    // Reports a click, as the mouse would, when the label is enabled.
    void click();

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
    bool m_pressable = false;
};
