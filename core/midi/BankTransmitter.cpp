#include "core/midi/BankTransmitter.h"

#include <cmath>

namespace
{
double nowMs() noexcept
{
    return juce::Time::getMillisecondCounterHiRes();
}
} // namespace

BankTransmitter::BankTransmitter() : juce::Thread ("Brm bank send")
{
}

BankTransmitter::~BankTransmitter()
{
    stop();
}

void BankTransmitter::start (std::vector<Dump> dumps, SendFunction sendFunction, FinishFunction finished)
{
    stop();
    queued = std::move (dumps);
    send = std::move (sendFunction);
    finish = std::move (finished);
    startThread();
}

void BankTransmitter::stop()
{
    signalThreadShouldExit();
    notify();
    stopThread (-1);
}

bool BankTransmitter::waitUntil (double dueMs)
{
    for (;;)
    {
        if (threadShouldExit())
            return false;

        const auto left = dueMs - nowMs();
        if (left <= 0.0)
            return true;

        wait ((int) std::ceil (left));
    }
}

void BankTransmitter::run()
{
    auto due = nowMs();

    for (const auto& dump : queued)
    {
        if (! waitUntil (due))
            return;

        // Counted from the actual hand-over: a dump the scheduler let out
        // late still gets its whole gap after it.
        const auto handedOver = nowMs();
        if (! send (dump))
            return;

        due = handedOver + spacingMs (dump.bytes.size());
    }

    // The last one too is stored before the synthesizer is taken as done.
    if (waitUntil (due) && finish)
        finish();
}
