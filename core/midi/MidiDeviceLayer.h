#pragma once

#include <juce_audio_devices/juce_audio_devices.h>

#include <memory>

// The hub reaches MIDI hardware only through this small layer, so that the
// plug-in runs the same against the system's ports and against in-process
// virtual ports (tests, tools, benchmarks).

class MidiInputPort
{
public:
    virtual ~MidiInputPort() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
};

// Timing is ours (MidiSendQueue): a port only sends now, from our delivery thread.
class MidiOutputPort
{
public:
    virtual ~MidiOutputPort() = default;
    virtual void sendMessageNow (const juce::MidiMessage& message) = 0;
};

class MidiDeviceLayer
{
public:
    virtual ~MidiDeviceLayer() = default;

    virtual juce::Array<juce::MidiDeviceInfo> getAvailableInputs() = 0;
    virtual juce::Array<juce::MidiDeviceInfo> getAvailableOutputs() = 0;

    // The callback is called on the port's own input thread.
    virtual std::unique_ptr<MidiInputPort> openInput (const juce::String& identifier, juce::MidiInputCallback* callback) = 0;
    virtual std::unique_ptr<MidiOutputPort> openOutput (const juce::String& identifier) = 0;

    // The layer new hubs use; the system's ports unless another was chosen.
    // Choose before constructing a processor: a hub keeps the layer it started with.
    static std::shared_ptr<MidiDeviceLayer> getCurrent();
    static void setCurrent (std::shared_ptr<MidiDeviceLayer> layer); // nullptr: the system's ports again
};

// The same choice across a module boundary: a process that loaded the plug-in
// module (a test or tool acting as host) hands the module's own copy of this
// code the layer to use, before it creates an instance. The layer must come
// from code built from these same sources.
extern "C" __attribute__ ((visibility ("default"))) void brindlemarkUseMidiDeviceLayer (std::shared_ptr<MidiDeviceLayer>* layer);

// The system's MIDI ports, through the framework.
class JuceMidiDeviceLayer final : public MidiDeviceLayer
{
public:
    juce::Array<juce::MidiDeviceInfo> getAvailableInputs() override;
    juce::Array<juce::MidiDeviceInfo> getAvailableOutputs() override;
    std::unique_ptr<MidiInputPort> openInput (const juce::String& identifier, juce::MidiInputCallback* callback) override;
    std::unique_ptr<MidiOutputPort> openOutput (const juce::String& identifier) override;
};
