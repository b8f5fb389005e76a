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
    const QSize size = picture.deviceIndependentSize().toSize();
    resize(size.width() + 2 * kBorder, size.height() + 2 * kBorder);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    painter.drawPixmap(contentsRect().topLeft(), pixmap());
}
