#pragma once

#include <semaphore.h>

#include <limits>

// Wakes one sleeping thread from any other, the audio thread included.
// post() is a semaphore's post: an atomic increment, and a futex wake only
// when the thread sleeps; it never blocks, allocates or takes a lock, unlike
// a condition variable's notify, whose waiter holds its mutex. A post made
// while the thread is still on its way to sleep is not lost: its wait returns
// at once.
class WakeSignal
{
public:
    static constexpr double kNever = std::numeric_limits<double>::infinity();

    WakeSignal() noexcept;
    ~WakeSignal();

    void post() noexcept;

    // Sleeps until posted or until dueMillis on the high-resolution
    // millisecond counter (kNever: until posted). True when posted.
    bool waitUntil (double dueMillis) noexcept;

    // Forgets the posts not yet waited for.
    void clear() noexcept;

private:
    sem_t semaphore;

    WakeSignal (const WakeSignal&) = delete;
    WakeSignal& operator= (const WakeSignal&) = delete;
};
