#pragma once

#include <QAbstractNativeEventFilter>

// Watches the window system for a window of the program that something else
// destroyed (a window manager's or a tool's "close window" that does not ask):
// such a window is closed as its close button would close it, so the program
// never runs on without a window, holding its contest's lock.
class WindowWatch : public QAbstractNativeEventFilter {
public:
    // Once, after the application object is made.
    static void install();

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
};
