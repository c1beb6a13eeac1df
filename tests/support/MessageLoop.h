#pragma once

#include <juce_events/juce_events.h>

namespace juce
{
// The framework's own step of its message loop (a plain function of juce_events).
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

// Every message waiting now, and those they post, as a host's loop delivers them.
inline void deliverPendingMessages()
{
    while (juce::dispatchNextMessageOnSystemQueue (true)) {}
}

// What a host's message loop does between two of the user's events: the
// messages waiting are delivered, for a moment at most, as timers keep
// posting new ones.
inline void deliverMessages (int atMostMs = 100)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) atMostMs;
    while (juce::Time::getMillisecondCounter() < end && juce::dispatchNextMessageOnSystemQueue (true)) {}
}
