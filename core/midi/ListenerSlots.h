#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <atomic>

// A short listener list that may be notified from any thread (the audio and
// MIDI input threads included) without a lock, while adding and removing take
// the owner's lock. Once remove() returns, the removed listener is not being
// called and will not be called again, so its owner may delete it.
template <typename Listener, int MaxListeners = 8>
class ListenerSlots
{
public:
    bool add (Listener* listener, juce::CriticalSection& ownerLock)
    {
        const juce::ScopedLock sl (ownerLock);

        for (int i = 0; i < count.load(); ++i)
            if (slots[(size_t) i].load() == listener)
                return false;

        if (count.load() == MaxListeners)
            return false;

        slots[(size_t) count.load()].store (listener);
        count.store (count.load() + 1);
        return true;
    }

    void remove (Listener* listener, juce::CriticalSection& ownerLock)
    {
        {
            const juce::ScopedLock sl (ownerLock);
            const int n = count.load();

            for (int i = 0; i < n; ++i)
            {
                if (slots[(size_t) i].load() == listener)
                {
                    for (int j = i; j < n - 1; ++j)
                        slots[(size_t) j].store (slots[(size_t) (j + 1)].load());

                    slots[(size_t) (n - 1)].store (nullptr);
                    count.store (n - 1);
                    break;
                }
            }
        }

        // A notification that read the list before the removal may still be
        // calling the listener: wait for it (notifications are short).
        while (notifying.load() > 0)
            juce::Thread::yield();
    }

    // Calls fn on every listener, the last added first.
    template <typename Fn>
    void call (Fn&& fn)
    {
        ++notifying;

        for (int i = count.load(); --i >= 0;)
            if (auto* listener = slots[(size_t) i].load())
                fn (*listener);

        --notifying;
    }

    int size() const noexcept { return count.load(); }

private:
    std::array<std::atomic<Listener*>, (size_t) MaxListeners> slots {};
    std::atomic<int> count { 0 };
    std::atomic<int> notifying { 0 };
};
