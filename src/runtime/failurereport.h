#pragma once

#include <exception>

class Failure;

// Reports a failure that stopped the program: on standard error and in a
// modal error box, then ends the program with exit status 1.
class FailureReport {
public:
    static constexpr int kExitStatus = 1;

    static void report(const Failure &failure);
    static void report(const std::exception &error);
};
