#pragma once

#include <QString>

// Qt's own notices on standard error: the ones that tell the user nothing
// (the runtime folder Qt picks by itself where XDG_RUNTIME_DIR is not set, as
// under sudo or cron; the cost of looking up the designs' font names; what the
// offscreen platform cannot do) are left out, every other is written as Qt
// writes it, so real problems are still reported.
class QtMessages {
public:
    // Once, before the application object is made.
    static void install();

    // Whether a notice is one of those left out.
    static bool isNoise(const QString &message);
};
