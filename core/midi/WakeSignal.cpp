#include "core/midi/WakeSignal.h"

#include <juce_core/juce_core.h>

#include <cerrno>
#include <cmath>
#include <ctime>

namespace
{
// The deadline on the monotonic clock that the timed wait reads, the given
// milliseconds from now: a wall-clock deadline would move with the clock.
timespec monotonicIn (double millis) noexcept
{
    timespec t {};
    clock_gettime (CLOCK_MONOTONIC, &t);

    const auto whole = std::floor (millis / 1000.0);
    t.tv_sec += (time_t) whole;
    t.tv_nsec += (long) ((millis - whole * 1000.0) * 1.0e6);

    if (t.tv_nsec >= 1000000000L)
    {
        t.tv_sec += 1;
        t.tv_nsec -= 1000000000L;
    }
    return t;
}
} // namespace

WakeSignal::WakeSignal() noexcept
{
    sem_init (&semaphore, 0, 0);
}

WakeSignal::~WakeSignal()
{
    sem_destroy (&semaphore);
}

void WakeSignal::post() noexcept
{
    sem_post (&semaphore);
}

bool WakeSignal::waitUntil (double dueMillis) noexcept
{
    if (dueMillis == kNever)
    {
        while (sem_wait (&semaphore) != 0)
            if (errno != EINTR)
                return false;
        return true;
    }

    const auto left = dueMillis - juce::Time::getMillisecondCounterHiRes();
    if (left <= 0.0)
        return sem_trywait (&semaphore) == 0;

    const auto deadline = monotonicIn (left);
    while (sem_clockwait (&semaphore, CLOCK_MONOTONIC, &deadline) != 0)
        if (errno != EINTR)
            return false;
    return true;
}

void WakeSignal::clear() noexcept
{
    while (sem_trywait (&semaphore) == 0) {}
}
