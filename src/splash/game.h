#pragma once

#include "classoptions.h"

#include <QString>

#include <functional>
#include <memory>

// The game's start: the application, the lock on the program folder, the
// splash window (created, loaded, shown), then the event loop.
class Game {
public:
    // Starts class play on the contest folder as options ask: gives what
    // keeps it running, and the line to print in line. Throws a Failure.
    using ClassStart = std::function<std::shared_ptr<void>(const QString &folder, const ClassOptions &options, QString &line)>;

    // splashShown, when given, is called once the splash window has painted.
    // Without classStart, --class runs the class play's own program.
    static int run(int argc, char **argv, std::function<void()> splashShown = {}, const ClassStart &classStart = {});
};
