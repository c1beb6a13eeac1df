#pragma once

#include "core/midi/MidiDeviceLayer.h"

#include <juce_gui_basics/juce_gui_basics.h>

// One device the plug-in knows, with what it holds open. Releasing the last
// reference closes it.
class MidiDeviceListEntry : public juce::ReferenceCountedObject
{
public:
    using Ptr = juce::ReferenceCountedObjectPtr<MidiDeviceListEntry>;

    explicit MidiDeviceListEntry (const juce::MidiDeviceInfo& deviceInfo) : info (deviceInfo) {}
    ~MidiDeviceListEntry() override
    {
        if (input != nullptr)
            input->stop();
    }

    juce::MidiDeviceInfo info;
    std::unique_ptr<MidiInputPort> input;
    std::unique_ptr<MidiOutputPort> output;
};

// The device lists and the open input and output. Message thread only, except
// the open flags and sends, which the audio and MIDI threads read.
class MIDI_PORTS_Control : public juce::Component,
                           public juce::Timer
{
public:
    explicit MIDI_PORTS_Control (std::shared_ptr<MidiDeviceLayer> deviceLayer);
    ~MIDI_PORTS_Control() override;

    void timerCallback() override { stopTimer(); }

    MidiDeviceLayer& getLayer() noexcept { return *layer; }

    bool compareDeviceLists (const juce::Array<juce::MidiDeviceInfo>& available, bool input) const;
    void rebuildDeviceList (bool input);
    void closeDevice (bool input, int index);
    void refreshInputNames();
    void refreshOutputNames();

    juce::ReferenceCountedArray<MidiDeviceListEntry>& getEntries (bool input) noexcept { return input ? inputEntries : outputEntries; }
    const juce::StringArray& getInputNames() const noexcept { return inputNames; }
    const juce::StringArray& getOutputNames() const noexcept { return outputNames; }

    int selectedInput = -1;
    int selectedOutput = -1;
    std::atomic<bool> inputOpen { false };
    std::atomic<bool> outputOpen { false };
    int sysExBufferSizeMode = 0;

    // The open output, or nullptr.
    MidiOutputPort* getOpenOutput() const noexcept;

private:
    std::shared_ptr<MidiDeviceLayer> layer;
    juce::ReferenceCountedArray<MidiDeviceListEntry> inputEntries, outputEntries;
    juce::StringArray inputNames, outputNames;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MIDI_PORTS_Control)
};
