#pragma once

#include "core/midi/MidiDeviceLayer.h"
#include "support/Waiting.h"

#include <functional>
#include <memory>
#include <vector>

// In-process MIDI ports for tests, tools and benchmarks. A test names the
// devices; the plug-in finds, opens and uses them through MidiDeviceLayer as it
// would the system's ports.

// A device the plug-in reads from. What the far side sends is delivered on the
// device's own input thread, the way the framework's MIDI thread calls back.
class VirtualMidiInput
{
public:
    VirtualMidiInput (juce::String name, juce::String identifier);
    ~VirtualMidiInput();

    const juce::MidiDeviceInfo& getInfo() const noexcept { return info; }

    // Far side: a message into the plug-in. Dropped while the port is closed,
    // as bytes on an unopened cable would be.
    void send (const juce::MidiMessage& message);

    bool isOpen() const;
    bool isStarted() const;
    int getTimesOpened() const;

    // Waits until everything sent so far has been handed to the callback.
    bool waitUntilDelivered (int timeoutMs = 5000);

private:
    friend class VirtualMidiDeviceLayer;
    class Port;

    void attach (juce::MidiInputCallback* callback);
    void detach();
    void setStarted (bool started);
    void deliverPending();

    juce::MidiDeviceInfo info;
    mutable juce::CriticalSection stateLock;    // queue, callback and flags
    juce::CriticalSection deliveryLock;         // held while the callback runs
    std::vector<juce::MidiMessage> queue;
    juce::MidiInputCallback* callback = nullptr;
    bool started = false;
    int timesOpened = 0;
    int inFlight = 0;
    std::unique_ptr<WorkerThread> worker;
};

// A device the plug-in writes to. Each message reaches the far side at once,
// on the thread that sent it (the plug-in's own delivery thread).
class VirtualMidiOutput
{
public:
    VirtualMidiOutput (juce::String name, juce::String identifier);

    const juce::MidiDeviceInfo& getInfo() const noexcept { return info; }

    // Far side: called for every message in the order sent. Once this returns,
    // the old receiver is not running and will not be called again.
    void setReceiver (std::function<void (const juce::MidiMessage&)> receiver);

    // Everything delivered so far, each stamped with the millisecond counter at delivery.
    std::vector<juce::MidiMessage> getReceived() const;
    void clearReceived();
    bool waitForReceived (size_t count, int timeoutMs = 5000) const;

    bool isOpen() const;
    int getTimesOpened() const;

    // A MIDI DIN cable at the far end: each message is stamped with the time
    // its last byte would arrive at 3125 bytes a second, behind the messages
    // before it, instead of the time it was handed over. Delivery is not delayed.
    void setCableSpeed (bool atCableSpeed);
    static constexpr double kCableBytesPerSecond = 3125.0;

private:
    friend class VirtualMidiDeviceLayer;
    class Port;

    void deliver (const juce::MidiMessage& message);

    juce::MidiDeviceInfo info;
    mutable juce::CriticalSection lock;
    juce::CriticalSection deliveryLock;         // held while the receiver runs
    std::vector<juce::MidiMessage> received;
    std::function<void (const juce::MidiMessage&)> receiver;
    bool open = false;
    int timesOpened = 0;
    bool cableSpeed = false;
    double cableFreeAtMs = 0.0;
};

class VirtualMidiDeviceLayer final : public MidiDeviceLayer
{
public:
    VirtualMidiInput& addInput (const juce::String& name, const juce::String& identifier);
    VirtualMidiOutput& addOutput (const juce::String& name, const juce::String& identifier);
    void removeInput (const juce::String& identifier);
    void removeOutput (const juce::String& identifier);

    VirtualMidiInput* findInput (const juce::String& identifier) const;
    VirtualMidiOutput* findOutput (const juce::String& identifier) const;

    juce::Array<juce::MidiDeviceInfo> getAvailableInputs() override;
    juce::Array<juce::MidiDeviceInfo> getAvailableOutputs() override;
    std::unique_ptr<MidiInputPort> openInput (const juce::String& identifier, juce::MidiInputCallback* callback) override;
    std::unique_ptr<MidiOutputPort> openOutput (const juce::String& identifier) override;

private:
    mutable juce::CriticalSection lock;
    std::vector<std::shared_ptr<VirtualMidiInput>> inputs;
    std::vector<std::shared_ptr<VirtualMidiOutput>> outputs;
};

// Installs a layer for the life of a test and restores the system's ports after.
class ScopedMidiDeviceLayer
{
public:
    ScopedMidiDeviceLayer() : layer (std::make_shared<VirtualMidiDeviceLayer>()) { MidiDeviceLayer::setCurrent (layer); }
    ~ScopedMidiDeviceLayer() { MidiDeviceLayer::setCurrent (nullptr); }

    VirtualMidiDeviceLayer& operator*() const { return *layer; }
    VirtualMidiDeviceLayer* operator->() const { return layer.get(); }

private:
    std::shared_ptr<VirtualMidiDeviceLayer> layer;
};
