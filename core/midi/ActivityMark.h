#pragma once

#include <atomic>

// That a message passed to or from the synthesizer since the display last
// looked. Set on any thread, the audio and MIDI input threads included: no
// lock, no allocation; taken on the message thread by the display's timer.
class ActivityMark
{
public:
    void mark() noexcept { marked.store (true, std::memory_order_relaxed); }
    bool take() noexcept { return marked.exchange (false, std::memory_order_relaxed); }

private:
    std::atomic<bool> marked { false };
};
