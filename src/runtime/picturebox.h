#pragma once

#include "clicklabel.h"

// A picture box with a flat 1-pixel border that sizes itself to its picture:
// the picture's size on the screen (its pixels over its density) plus the
// border on each side, top-left corner fixed.
class PictureBox : public ClickLabel {
    Q_OBJECT
public:
    static constexpr int kBorder = 1;

    explicit PictureBox(QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);

protected:
    // The picture is drawn as it is, enabled or not: a disabled picture box
    // is not greyed out.
    void paintEvent(QPaintEvent *event) override;
};
