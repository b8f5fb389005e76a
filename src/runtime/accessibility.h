#pragma once

#include <QAccessible>

#include <functional>

// What assistive technology (AT-SPI on Linux) is told of the program's own
// windows and controls, beyond Qt's own: the windows are windows, a
// pressable label (the question button, the exit label) is a push button with
// the press action, a picture box a picture.
class Accessibility {
public:
    // Once, at start.
    static void install();

    // Tells assistive technology of a change (a name or description that
    // changed, an alert), so that a screen reader speaks it at once.
    static void announce(QObject *object, QAccessible::Event change);

    // For tests: also called with every announcement.
    static void setAnnouncementHook(std::function<void(QObject *, QAccessible::Event)> hook);
};
