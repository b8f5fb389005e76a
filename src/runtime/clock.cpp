#include "clock.h"

namespace {
std::function<QDateTime()> g_reading;
} // namespace

QDateTime Clock::now()
{
    return g_reading ? g_reading() : QDateTime::currentDateTime();
}

void Clock::set(std::function<QDateTime()> reading)
{
    g_reading = std::move(reading);
}
