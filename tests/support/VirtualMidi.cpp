#include "support/VirtualMidi.h"

//==============================================================================
class VirtualMidiInput::Port final : public MidiInputPort
{
public:
    explicit Port (std::shared_ptr<VirtualMidiInput> d) : device (std::move (d)) {}
    ~Port() override { device->detach(); }

    void start() override { device->setStarted (true); }
    void stop() override { device->setStarted (false); }

private:
    std::shared_ptr<VirtualMidiInput> device;
};

VirtualMidiInput::VirtualMidiInput (juce::String name, juce::String identifier)
    : info (std::move (name), std::move (identifier))
{
    worker = std::make_unique<WorkerThread> ("virtual MIDI in " + info.name, [this] { deliverPending(); return -1.0; }, 50);
}

VirtualMidiInput::~VirtualMidiInput()
{
    worker.reset();
}

void VirtualMidiInput::send (const juce::MidiMessage& message)
{
    {
        const juce::ScopedLock sl (stateLock);
        if (callback == nullptr)
            return;
        queue.push_back (message);
    }
    worker->wake();
}

void VirtualMidiInput::attach (juce::MidiInputCallback* newCallback)
{
    const juce::ScopedLock sl (stateLock);
    callback = newCallback;
    started = false;
    ++timesOpened;
}

void VirtualMidiInput::detach()
{
    // Like closing a real port: once this returns, no callback is running or will run.
    const juce::ScopedLock delivering (deliveryLock);
    const juce::ScopedLock sl (stateLock);
    callback = nullptr;
    started = false;
    queue.clear();
}

void VirtualMidiInput::setStarted (bool shouldRun)
{
    {
        const juce::ScopedLock delivering (deliveryLock);
        const juce::ScopedLock sl (stateLock);
        started = shouldRun;
    }
    worker->wake();
}

void VirtualMidiInput::deliverPending()
{
    const juce::ScopedLock delivering (deliveryLock);

    for (;;)
    {
        juce::MidiMessage message;
        juce::MidiInputCallback* target = nullptr;
        {
            const juce::ScopedLock sl (stateLock);
            if (! started || callback == nullptr || queue.empty())
                return;

            message = queue.front();
            queue.erase (queue.begin());
            target = callback;
            ++inFlight;
        }

        message.setTimeStamp (juce::Time::getMillisecondCounterHiRes() * 0.001);
        target->handleIncomingMidiMessage (nullptr, message);

        const juce::ScopedLock sl (stateLock);
        --inFlight;
    }
}

bool VirtualMidiInput::isOpen() const
{
    const juce::ScopedLock sl (stateLock);
    return callback != nullptr;
}

bool VirtualMidiInput::isStarted() const
{
    const juce::ScopedLock sl (stateLock);
    return started;
}

int VirtualMidiInput::getTimesOpened() const
{
    const juce::ScopedLock sl (stateLock);
    return timesOpened;
}

bool VirtualMidiInput::waitUntilDelivered (int timeoutMs)
{
    return waitUntil ([this] {
        const juce::ScopedLock sl (stateLock);
        return queue.empty() && inFlight == 0;
    }, timeoutMs);
}

//==============================================================================
class VirtualMidiOutput::Port final : public MidiOutputPort
{
public:
    explicit Port (std::shared_ptr<VirtualMidiOutput> d) : device (std::move (d)) {}
    ~Port() override
    {
        const juce::ScopedLock sl (device->lock);
        device->open = false;
    }

    void sendMessageNow (const juce::MidiMessage& message) override { device->deliver (message); }

private:
    std::shared_ptr<VirtualMidiOutput> device;
};

VirtualMidiOutput::VirtualMidiOutput (juce::String name, juce::String identifier)
    : info (std::move (name), std::move (identifier))
{
}

void VirtualMidiOutput::setReceiver (std::function<void (const juce::MidiMessage&)> newReceiver)
{
    const juce::ScopedLock delivering (deliveryLock);
    const juce::ScopedLock sl (lock);
    receiver = std::move (newReceiver);
}

void VirtualMidiOutput::deliver (const juce::MidiMessage& sent)
{
    const juce::ScopedLock delivering (deliveryLock);

    auto message = sent;
    auto stamp = juce::Time::getMillisecondCounterHiRes();
    std::function<void (const juce::MidiMessage&)> target;
    {
        const juce::ScopedLock sl (lock);
        if (! open)
            return;

        if (cableSpeed)
        {
            stamp = juce::jmax (stamp, cableFreeAtMs) + message.getRawDataSize() * 1000.0 / kCableBytesPerSecond;
            cableFreeAtMs = stamp;
        }

        message.setTimeStamp (stamp);
        received.push_back (message);
        target = receiver;
    }

    if (target)
        target (message);
}

std::vector<juce::MidiMessage> VirtualMidiOutput::getReceived() const
{
    const juce::ScopedLock sl (lock);
    return received;
}

void VirtualMidiOutput::clearReceived()
{
    const juce::ScopedLock sl (lock);
    received.clear();
}

bool VirtualMidiOutput::waitForReceived (size_t count, int timeoutMs) const
{
    return waitUntil ([this, count] {
        const juce::ScopedLock sl (lock);
        return received.size() >= count;
    }, timeoutMs);
}

void VirtualMidiOutput::setCableSpeed (bool atCableSpeed)
{
    const juce::ScopedLock sl (lock);
    cableSpeed = atCableSpeed;
    cableFreeAtMs = 0.0;
}

bool VirtualMidiOutput::isOpen() const
{
    const juce::ScopedLock sl (lock);
    return open;
}

int VirtualMidiOutput::getTimesOpened() const
{
    const juce::ScopedLock sl (lock);
    return timesOpened;
}


//==============================================================================
VirtualMidiInput& VirtualMidiDeviceLayer::addInput (const juce::String& name, const juce::String& identifier)
{
    const juce::ScopedLock sl (lock);
    inputs.push_back (std::make_shared<VirtualMidiInput> (name, identifier));
    return *inputs.back();
}

VirtualMidiOutput& VirtualMidiDeviceLayer::addOutput (const juce::String& name, const juce::String& identifier)
{
    const juce::ScopedLock sl (lock);
    outputs.push_back (std::make_shared<VirtualMidiOutput> (name, identifier));
    return *outputs.back();
}

void VirtualMidiDeviceLayer::removeInput (const juce::String& identifier)
{
    const juce::ScopedLock sl (lock);
    inputs.erase (std::remove_if (inputs.begin(), inputs.end(), [&] (auto& d) { return d->getInfo().identifier == identifier; }),
                  inputs.end());
}

void VirtualMidiDeviceLayer::removeOutput (const juce::String& identifier)
{
    const juce::ScopedLock sl (lock);
    outputs.erase (std::remove_if (outputs.begin(), outputs.end(), [&] (auto& d) { return d->getInfo().identifier == identifier; }),
                   outputs.end());
}

VirtualMidiInput* VirtualMidiDeviceLayer::findInput (const juce::String& identifier) const
{
    const juce::ScopedLock sl (lock);
    for (auto& d : inputs)
        if (d->getInfo().identifier == identifier)
            return d.get();
    return nullptr;
}

VirtualMidiOutput* VirtualMidiDeviceLayer::findOutput (const juce::String& identifier) const
{
    const juce::ScopedLock sl (lock);
    for (auto& d : outputs)
        if (d->getInfo().identifier == identifier)
            return d.get();
    return nullptr;
}

juce::Array<juce::MidiDeviceInfo> VirtualMidiDeviceLayer::getAvailableInputs()
{
    const juce::ScopedLock sl (lock);
    juce::Array<juce::MidiDeviceInfo> list;
    for (auto& d : inputs)
        list.add (d->getInfo());
    return list;
}

juce::Array<juce::MidiDeviceInfo> VirtualMidiDeviceLayer::getAvailableOutputs()
{
    const juce::ScopedLock sl (lock);
    juce::Array<juce::MidiDeviceInfo> list;
    for (auto& d : outputs)
        list.add (d->getInfo());
    return list;
}

std::unique_ptr<MidiInputPort> VirtualMidiDeviceLayer::openInput (const juce::String& identifier, juce::MidiInputCallback* callback)
{
    const juce::ScopedLock sl (lock);
    for (auto& d : inputs)
    {
        if (d->getInfo().identifier == identifier)
        {
            d->attach (callback);
            return std::make_unique<VirtualMidiInput::Port> (d);
        }
    }
    return {};
}

std::unique_ptr<MidiOutputPort> VirtualMidiDeviceLayer::openOutput (const juce::String& identifier)
{
    const juce::ScopedLock sl (lock);
    for (auto& d : outputs)
    {
        if (d->getInfo().identifier == identifier)
        {
            {
                const juce::ScopedLock deviceLock (d->lock);
                d->open = true;
                ++d->timesOpened;
            }
            return std::make_unique<VirtualMidiOutput::Port> (d);
        }
    }
    return {};
}
