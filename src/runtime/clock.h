#pragma once

#include <QDateTime>

#include <functional>

// The time of day, as the program reads it: local time with its offset.
// Tests set what it reads.
class Clock {
public:
    static QDateTime now();
    // For tests: now() gives what reading gives; an empty function goes back
    // to the system's clock.
    static void set(std::function<QDateTime()> reading);
};
