#pragma once

#include "core/midi/MidiDeviceLayer.h"
#include "core/midi/WakeSignal.h"

#include <juce_core/juce_core.h>

#include <array>
#include <atomic>
#include <limits>
#include <memory>

// Delivers MIDI to an output at the times it was sent for, from a thread of
// its own that sleeps until a message is queued or the next one falls due.
// Senders on any thread, the audio thread included, only copy the bytes into
// a preallocated ring under a spin lock and, when the thread sleeps past the
// message's time, post its WakeSignal: no allocation, no wait on the delivery.
class MidiSendQueue
{
public:
    static constexpr int kCapacity = 2048;
    static constexpr int kMaxMessageBytes = 256;

    MidiSendQueue();
    ~MidiSendQueue();

    // Starts delivering to the port (message thread); stop() returns once the
    // delivery thread is gone, so the port may then be closed.
    void start (MidiOutputPort& port);
    void stop();
    bool isRunning() const noexcept { return port.load() != nullptr; }

    // Any thread. Messages due at the same time leave in the order they were
    // pushed. False when the ring is full or the message too long.
    bool push (const juce::uint8* data, int size, double dueMillis) noexcept;
    bool push (const juce::MidiMessage& message, double dueMillis) noexcept
    {
        return push (message.getRawData(), message.getRawDataSize(), dueMillis);
    }

    // Forgets every message not yet delivered.
    void discardPending();

    // Sends directly, bypassing the queue, while no delivery runs. False when
    // there is no port to send to.
    bool sendDirect (const juce::uint8* data, int size);

    static double now() noexcept { return juce::Time::getMillisecondCounterHiRes(); }

private:
    struct Item
    {
        double due = 0;
        juce::uint32 order = 0;
        int size = 0;
        std::array<juce::uint8, kMaxMessageBytes> bytes {};
    };

    class DeliveryThread;
    // Sends what is due and gives the time the next pending message falls
    // due (WakeSignal::kNever when none).
    double deliverDue();
    void sleepUntil (double dueMillis);

    static constexpr double kAwake = -std::numeric_limits<double>::infinity();

    // Any thread; guarded by ringLock, held only for a copy.
    juce::SpinLock ringLock;
    std::array<Item, kCapacity> ring;
    int ringHead = 0, ringCount = 0;
    juce::uint32 nextOrder = 0;
    // Until when the delivery thread sleeps without looking at the ring, or
    // kAwake while it will look before it sleeps again: a push due earlier
    // wakes it. Set by the delivery thread, and to kAwake by the push that
    // wakes it, so that one post wakes it once.
    double sleepingUntil = kAwake;
    WakeSignal wake;

    // Delivery thread only (and sendDirect under sendLock).
    std::vector<Item> pending;
    juce::CriticalSection sendLock;

    std::atomic<MidiOutputPort*> port { nullptr };
    std::unique_ptr<DeliveryThread> thread;
};
