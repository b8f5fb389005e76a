#include "picturebox.h"

#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : ClickLabel(parent)
{
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(kBorder);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBox::setPicture(const QPixmap &picture)
{
    setPixmap(picture);
    resize(picture.width() + 2 * kBorder, picture.height() + 2 * kBorder);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    painter.drawPixmap(contentsRect().topLeft(), pixmap());
}
