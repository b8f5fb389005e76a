#pragma once

#include <cstdint>
#include <deque>
#include <functional>

// The program's one pseudo-random generator. Every draw first reseeds it from
// the clock and then takes one value r with 0 <= r < 1. The clock reading is
// mixed into the running state, so two reseeds at the same clock reading
// still give different values.
class Random {
public:
    static void reseedFromClock();
    static float next();

    // For tests: the next values that next() returns, in order, before it
    // goes back to the generator.
    static void queueValues(std::deque<float> values);
    static void clearQueuedValues();
    // For tests: the clock that reseeding reads (nanoseconds); an empty
    // function restores the system clock.
    static void setClock(std::function<std::int64_t()> clock);

private:
    static std::uint64_t step();
};
