#include "random.h"

#include <chrono>

namespace {

std::uint64_t g_state = 0x9E3779B97F4A7C15ull;
std::deque<float> g_queued;
std::function<std::int64_t()> g_clock;

// splitmix64: a fast, well-mixing step that turns any 64-bit state into a
// good pseudo-random value.
std::uint64_t mix(std::uint64_t &state)
{
    state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

} // namespace

std::uint64_t Random::step()
{
    return mix(g_state);
}

void Random::reseedFromClock()
{
    const std::int64_t now = g_clock ? g_clock()
                                     : std::chrono::duration_cast<std::chrono::nanoseconds>(
                                           std::chrono::steady_clock::now().time_since_epoch())
                                           .count();
    // The clock enters the running state; it never replaces it.
    g_state ^= static_cast<std::uint64_t>(now) * 0xD6E8FEB86659FD93ull;
    step();
}

float Random::next()
{
    if (!g_queued.empty()) {
        const float r = g_queued.front();
        g_queued.pop_front();
        return r;
    }
    // 24 random bits give every float in [0, 1) a multiple of 2^-24, so the
    // value can never round up to 1.
    return static_cast<float>(step() >> 40) * (1.0f / 16777216.0f);
}

void Random::queueValues(std::deque<float> values)
{
    g_queued = std::move(values);
}

void Random::clearQueuedValues()
{
    g_queued.clear();
}

void Random::setClock(std::function<std::int64_t()> clock)
{
    g_clock = std::move(clock);
}
