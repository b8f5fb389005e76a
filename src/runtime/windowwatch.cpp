#include "windowwatch.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

void WindowWatch::install()
{
    static WindowWatch watch;
    QCoreApplication::instance()->installNativeEventFilter(&watch);
}

bool WindowWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & ~0x80) != XCB_DESTROY_NOTIFY)
        return false;
    const xcb_window_t gone = reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window;
    // A window the program destroyed itself has no window of the program's
    // standing on it any more; one that is still there and shown was
    // destroyed from outside.
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        if (window->handle() && window->winId() == gone && window->isVisible()) {
            QMetaObject::invokeMethod(window, [window] { window->close(); }, Qt::QueuedConnection);
            break;
        }
    }
    return false;
}
