#pragma once

#include "core/midi/MidiCntrState.h"

#include <juce_events/juce_events.h>

#include <functional>

// Tells the host, on the message thread, that the edit buffer was replaced as
// a whole, whichever thread replaced it, and a burst of replacements (a
// transfer, a host's program changes) once. The audio thread is among those
// threads, and posting to the framework's message queue takes its lock and
// may allocate: the hub only posts its WakeSignal, and this thread, asleep
// until then, posts the message, then lets kMinIntervalMs pass before it
// posts another.
class HostViewUpdater : private juce::Thread,
                        private juce::AsyncUpdater
{
public:
    static constexpr int kMinIntervalMs = 30;

    // tellHost runs on the message thread.
    HostViewUpdater (MidiCntrState& hub, std::function<void()> tellHost);
    ~HostViewUpdater() override;

    // Message thread.
    void start();
    void stop();

private:
    void run() override;
    void handleAsyncUpdate() override;

    // Set at construction; this thread waits on the hub's signal, the message
    // thread takes its flag and calls tellHost.
    MidiCntrState& hub;
    const std::function<void()> tellHost;

    JUCE_DECLARE_NON_COPYABLE (HostViewUpdater)
};
