#include "vst2/Vst2MessageThread.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
// The framework's own step of its message loop (a plain function of juce_events).
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

namespace
{
// Runs the framework's messages while instances live. The framework's GUI
// support is started once and kept: starting it again for every instance
// would cost the display connection's caches each time, and the framework's
// own dispatch loop cannot be restarted once quit.
class LoopThread : public juce::Thread
{
public:
    LoopThread() : juce::Thread ("Brindlemark message thread")
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
        static bool guiStarted = false;
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
} // namespace Vst2MessageThread
