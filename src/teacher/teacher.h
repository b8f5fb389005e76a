#pragma once

#include <functional>

// The teacher's program: its command line (mathcontest-teacher [FILE]), in
// the user's language, then its window.
class Teacher {
public:
    // windowShown, when given, is called once the window has painted.
    static int run(int argc, char **argv, std::function<void()> windowShown = {});
};
