#pragma once

// The teacher's program: its command line (mathcontest-teacher [FILE]), in
// the user's language, then its window.
class Teacher {
public:
    static int run(int argc, char **argv);
};
