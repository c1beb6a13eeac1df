#include "core/midi/MidiSendQueue.h"

class MidiSendQueue::DeliveryThread : public juce::Thread
{
public:
    explicit DeliveryThread (MidiSendQueue& q) : juce::Thread ("Brm MIDI out"), queue (q) {}

    void run() override
    {
        while (! threadShouldExit())
        {
            const auto nextDue = queue.deliverDue();

            // stop() posts after raising the flag, so a post that deliverDue
            // cleared is seen here.
            if (! threadShouldExit())
                queue.sleepUntil (nextDue);
        }
    }

private:
    MidiSendQueue& queue;
};

MidiSendQueue::MidiSendQueue()
{
    pending.reserve ((size_t) kCapacity);
}

MidiSendQueue::~MidiSendQueue()
{
    stop();
}

void MidiSendQueue::start (MidiOutputPort& newPort)
{
    stop();
    wake.clear();
    port = &newPort;
    thread = std::make_unique<DeliveryThread> (*this);
    thread->startThread (juce::Thread::Priority::high);
}

void MidiSendQueue::stop()
{
    if (thread != nullptr)
    {
        thread->signalThreadShouldExit();
        wake.post();
        thread->stopThread (5000);
        thread.reset();
    }

    port = nullptr;
    discardPending();
}

bool MidiSendQueue::push (const juce::uint8* data, int size, double dueMillis) noexcept
{
    if (size <= 0 || size > kMaxMessageBytes || port.load() == nullptr)
        return false;

    bool wakeThread = false;
    {
        const juce::SpinLock::ScopedLockType sl (ringLock);

        if (ringCount == kCapacity)
            return false;

        auto& item = ring[(size_t) ((ringHead + ringCount) % kCapacity)];
        item.due = dueMillis;
        item.order = nextOrder++;
        item.size = size;
        memcpy (item.bytes.data(), data, (size_t) size);
        ++ringCount;

        if (dueMillis < sleepingUntil)
        {
            sleepingUntil = kAwake;
            wakeThread = true;
        }
    }

    if (wakeThread)
        wake.post();
    return true;
}

void MidiSendQueue::discardPending()
{
    const juce::ScopedLock delivering (sendLock);
    {
        const juce::SpinLock::ScopedLockType sl (ringLock);
        ringHead = 0;
        ringCount = 0;
    }
    pending.clear();
}

bool MidiSendQueue::sendDirect (const juce::uint8* data, int size)
{
    const juce::ScopedLock delivering (sendLock);

    auto* out = port.load();
    if (out != nullptr)
        out->sendMessageNow (juce::MidiMessage (data, size));
    return out != nullptr;
}

void MidiSendQueue::sleepUntil (double dueMillis)
{
    {
        // Checked and published in one step with the pushes: a message queued
        // after this check sees the time and wakes the thread if it must.
        const juce::SpinLock::ScopedLockType sl (ringLock);
        if (ringCount > 0)
            return;
        sleepingUntil = dueMillis;
    }

    wake.waitUntil (dueMillis);
}

double MidiSendQueue::deliverDue()
{
    const juce::ScopedLock delivering (sendLock);

    // A post that raced with a timed wake-up would only wake the thread again
    // for nothing: the ring is read below in any case.
    wake.clear();
    {
        const juce::SpinLock::ScopedLockType sl (ringLock);
        sleepingUntil = kAwake;

        for (int i = 0; i < ringCount; ++i)
            pending.push_back (ring[(size_t) ((ringHead + i) % kCapacity)]);

        ringHead = 0;
        ringCount = 0;
    }

    if (pending.empty())
        return WakeSignal::kNever;

    std::stable_sort (pending.begin(), pending.end(), [] (const Item& a, const Item& b) {
        return a.due < b.due || (a.due == b.due && a.order < b.order);
    });

    auto* out = port.load();
    const auto time = now();
    size_t sent = 0;

    while (sent < pending.size() && pending[sent].due <= time)
    {
        if (out != nullptr)
            out->sendMessageNow (juce::MidiMessage (pending[sent].bytes.data(), pending[sent].size));
        ++sent;
    }

    pending.erase (pending.begin(), pending.begin() + (long) sent);
    return pending.empty() ? WakeSignal::kNever : pending.front().due;
}
