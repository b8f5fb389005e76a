#include "scaledview.h"

#include <QCloseEvent>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QScreen>

#include <algorithm>

ScaledView::ScaledView(QWidget *content)
    : m_content(content)
{
    setScene(new QGraphicsScene(this));
    setBackgroundBrush(Qt::black);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    setWindowTitle(content->windowTitle());
    setWindowIcon(content->windowIcon());
    setAccessibleName(content->accessibleName());
    m_proxy = scene()->addWidget(content);
    // At the scene's origin, wherever the window stood on the desktop.
    m_proxy->setPos(0, 0);
    scene()->setSceneRect(m_proxy->boundingRect());
    m_proxy->setFocus();
}

ScaledView::~ScaledView()
{
    // The content is given back, never deleted with the scene.
    m_proxy->setWidget(nullptr);
    m_content->hide();
}

void ScaledView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    // fitInView() keeps a margin; the content is to fill the screen.
    const QSizeF content = m_proxy->size();
    const qreal scale = std::min(viewport()->width() / content.width(), viewport()->height() / content.height());
    setTransform(QTransform::fromScale(scale, scale));
    centerOn(m_proxy);
}

void ScaledView::showOn(QScreen *screen)
{
    // A full-screen window covers its screen even where no window manager
    // is there to size it.
    setGeometry(screen->geometry());
    showFullScreen();
    m_fullScreen = true;
}

void ScaledView::closeEvent(QCloseEvent *event)
{
    // Closing the view is closing the window it shows.
    event->setAccepted(m_content->close());
}
