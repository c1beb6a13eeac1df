#include "core/midi/MidiDeviceLayer.h"

#include <mutex>

namespace
{
std::mutex currentLayerMutex;
std::shared_ptr<MidiDeviceLayer> currentLayer;

class JuceInputPort final : public MidiInputPort
{
public:
    explicit JuceInputPort (std::unique_ptr<juce::MidiInput> in) : input (std::move (in)) {}
    ~JuceInputPort() override { input->stop(); }

    void start() override { input->start(); }
    void stop() override { input->stop(); }

private:
    std::unique_ptr<juce::MidiInput> input;
};

class JuceOutputPort final : public MidiOutputPort
{
public:
    explicit JuceOutputPort (std::unique_ptr<juce::MidiOutput> out) : output (std::move (out)) {}

    void sendMessageNow (const juce::MidiMessage& message) override { output->sendMessageNow (message); }

private:
    std::unique_ptr<juce::MidiOutput> output;
};
} // namespace

std::shared_ptr<MidiDeviceLayer> MidiDeviceLayer::getCurrent()
{
    const std::lock_guard<std::mutex> guard (currentLayerMutex);

    if (currentLayer == nullptr)
        currentLayer = std::make_shared<JuceMidiDeviceLayer>();

    return currentLayer;
}

void MidiDeviceLayer::setCurrent (std::shared_ptr<MidiDeviceLayer> layer)
{
    const std::lock_guard<std::mutex> guard (currentLayerMutex);
    currentLayer = std::move (layer);
}

void brindlemarkUseMidiDeviceLayer (std::shared_ptr<MidiDeviceLayer>* layer)
{
    MidiDeviceLayer::setCurrent (layer != nullptr ? *layer : nullptr);
}

juce::Array<juce::MidiDeviceInfo> JuceMidiDeviceLayer::getAvailableInputs()
{
    return juce::MidiInput::getAvailableDevices();
}

juce::Array<juce::MidiDeviceInfo> JuceMidiDeviceLayer::getAvailableOutputs()
{
    return juce::MidiOutput::getAvailableDevices();
}

std::unique_ptr<MidiInputPort> JuceMidiDeviceLayer::openInput (const juce::String& identifier, juce::MidiInputCallback* callback)
{
    if (auto input = juce::MidiInput::openDevice (identifier, callback))
        return std::make_unique<JuceInputPort> (std::move (input));

    return {};
}

std::unique_ptr<MidiOutputPort> JuceMidiDeviceLayer::openOutput (const juce::String& identifier)
{
    if (auto output = juce::MidiOutput::openDevice (identifier))
        return std::make_unique<JuceOutputPort> (std::move (output));

    return {};
}
