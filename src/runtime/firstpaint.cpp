#include "firstpaint.h"

#include <QEvent>

FirstPaint::FirstPaint(std::function<void()> callback)
    : m_callback(std::move(callback))
{
}

bool FirstPaint::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && m_callback) {
        auto callback = std::move(m_callback);
        m_callback = nullptr;
        watched->removeEventFilter(this);
        callback();
    }
    return false;
}
