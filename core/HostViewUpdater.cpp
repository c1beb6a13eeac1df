#include "core/HostViewUpdater.h"

HostViewUpdater::HostViewUpdater (MidiCntrState& h, std::function<void()> tell)
    : juce::Thread ("Brm host view"), hub (h), tellHost (std::move (tell))
{
}

HostViewUpdater::~HostViewUpdater()
{
    stop();
}

void HostViewUpdater::start()
{
    startThread();
}

void HostViewUpdater::stop()
{
    signalThreadShouldExit();
    hub.getEditBufferReplacedSignal().post();
    stopThread (5000);
    cancelPendingUpdate();
}

void HostViewUpdater::run()
{
    auto& replaced = hub.getEditBufferReplacedSignal();

    while (! threadShouldExit())
    {
        replaced.waitUntil (WakeSignal::kNever);
        if (threadShouldExit())
            return;

        triggerAsyncUpdate();
        wait (kMinIntervalMs);
    }
}

void HostViewUpdater::handleAsyncUpdate()
{
    if (hub.takeEditBufferReplaced())
        tellHost();
}
