#include "vst2/Vst2MessageThread.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
// The framework's own step of its message loop (a plain function of juce_events).
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

namespace
{
bool guiStarted = false;

// Runs the framework's messages while instances live. The framework's GUI
// support is started once and kept until the library is unloaded: starting
// it again for every instance would cost the display connection's caches
// each time, and the framework's own dispatch loop cannot be restarted once
// quit.
class LoopThread : public juce::Thread
{
public:
    LoopThread() : juce::Thread ("Brm messages")
    {
        startThread();
        started.wait (10000);
    }

    ~LoopThread() override
    {
        signalThreadShouldExit();
        juce::MessageManager::callAsync ([] {}); // wakes the loop
        stopThread (10000);
    }

    void run() override
    {
        if (! guiStarted)
        {
            juce::initialiseJuce_GUI();
            guiStarted = true;
        }

        juce::MessageManager::getInstance()->setCurrentThreadAsMessageThread();
        started.signal();

        while (! threadShouldExit())
            juce::dispatchNextMessageOnSystemQueue (false);
    }

private:
    juce::WaitableEvent started;
};

std::mutex mutex;
int liveInstances = 0;
bool ownLoop = false;
std::unique_ptr<LoopThread> loopThread;
} // namespace

namespace Vst2MessageThread
{
void instanceCreated()
{
    const std::lock_guard<std::mutex> guard (mutex);

    if (liveInstances++ == 0 && (ownLoop || juce::MessageManager::getInstanceWithoutCreating() == nullptr))
    {
        ownLoop = true;
        loopThread = std::make_unique<LoopThread>();
    }
}

void instanceDeleted()
{
    const std::lock_guard<std::mutex> guard (mutex);

    if (--liveInstances == 0)
        loopThread.reset();
}

void libraryUnloading()
{
    const std::lock_guard<std::mutex> guard (mutex);

    loopThread.reset();
    if (! guiStarted)
        return;

    // Stops the framework's timer thread and closes the display before the
    // code they run is unmapped.
    juce::MessageManager::getInstance()->setCurrentThreadAsMessageThread();
    juce::shutdownJuce_GUI();
    guiStarted = false;
}
} // namespace Vst2MessageThread
