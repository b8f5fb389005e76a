#pragma once

#include <functional>

// The game's start: the application, the lock on the program folder, the
// splash window (created, loaded, shown), then the event loop.
class Game {
public:
    // splashShown, when given, is called once the splash window has painted.
    static int run(int argc, char **argv, std::function<void()> splashShown = {});
};
