#pragma once

#include <juce_core/juce_core.h>

#include <array>

// A bounded queue of small codes, appended to from any thread (the audio thread
// included) and drained on the message thread. Appending never allocates and
// the lock is held only for the copy of one code, or of the queue on a drain.
// When full, the oldest code is dropped: a code that no one drained for that
// long is no longer worth anything.
template <typename Code, int Capacity>
class CodeQueue
{
public:
    static constexpr int kCapacity = Capacity;

    void push (Code code) noexcept
    {
        const juce::SpinLock::ScopedLockType sl (lock);

        if (count == Capacity)
        {
            head = (head + 1) % Capacity;
            --count;
            ++dropped;
        }

        codes[(size_t) ((head + count) % Capacity)] = code;
        ++count;
    }

    // Moves every queued code, oldest first, into dest (room for Capacity codes).
    int drain (Code* dest) noexcept
    {
        const juce::SpinLock::ScopedLockType sl (lock);

        for (int i = 0; i < count; ++i)
            dest[i] = codes[(size_t) ((head + i) % Capacity)];

        const int taken = count;
        head = 0;
        count = 0;
        return taken;
    }

    // Every queued code, oldest first.
    juce::Array<Code> takeAll()
    {
        std::vector<Code> scratch ((size_t) Capacity);
        const int taken = drain (scratch.data());
        return juce::Array<Code> (scratch.data(), taken);
    }

    int getNumDropped() const noexcept
    {
        const juce::SpinLock::ScopedLockType sl (lock);
        return dropped;
    }

private:
    mutable juce::SpinLock lock;
    std::array<Code, (size_t) Capacity> codes {};
    int head = 0, count = 0, dropped = 0;
};
