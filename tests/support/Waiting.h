#pragma once

#include <juce_core/juce_core.h>

#include <cmath>
#include <functional>

// Polls until the condition holds or the time runs out: tests wait for what
// they expect, never for a fixed time.
template <typename Condition>
bool waitUntil (Condition&& condition, int timeoutMs = 5000)
{
    const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

    for (;;)
    {
        if (condition())
            return true;
        if (juce::Time::getMillisecondCounter() >= deadline)
            return false;
        juce::Thread::sleep (1);
    }
}

// Runs step() over and over on its own thread until destroyed. step() returns
// how many milliseconds to sleep before the next run (negative: the idle
// time); wake() cuts a sleep short.
class WorkerThread : private juce::Thread
{
public:
    WorkerThread (const juce::String& name, std::function<double()> stepFunction, int idleMs)
        : juce::Thread (name), step (std::move (stepFunction)), idle (idleMs)
    {
        startThread();
    }

    ~WorkerThread() override
    {
        signalThreadShouldExit();
        wakeEvent.signal();
        stopThread (5000);
    }

    void wake() { wakeEvent.signal(); }

private:
    void run() override
    {
        while (! threadShouldExit())
        {
            const auto untilNext = step();
            wakeEvent.wait (untilNext < 0 ? idle : juce::jmax (1, (int) std::ceil (untilNext)));
        }
    }

    std::function<double()> step;
    int idle;
    juce::WaitableEvent wakeEvent;
};
