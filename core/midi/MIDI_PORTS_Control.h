#pragma once

#include "core/midi/ActivityMark.h"
#include "core/midi/MidiDeviceLayer.h"
#include "core/midi/MidiSendQueue.h"

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

// The device lists, the open input and output, and every send to the
// synthesizer. Opening and closing: message thread only. Sends: any thread;
// they never block or allocate, and drop their message while the output is closed.
class MIDI_PORTS_Control : public juce::Component,
                           public juce::Timer
{
public:
    // Every message handed to the output marks sentMark.
    MIDI_PORTS_Control (std::shared_ptr<MidiDeviceLayer> deviceLayer, ActivityMark& sentMark);
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

    // Starts and stops the delivery of timed sends to the selected output.
    void startSending (MidiOutputPort& output) { sendQueue.start (output); }
    MidiSendQueue& getSendQueue() noexcept { return sendQueue; }

    // Channels are 1-16; 0 is taken as 1. Operations that check the channel
    // send nothing for one outside 0-16.
    void sendProgramChange (int channel, int program);
    void sendController (int channel, int controller, int value);
    void sendPitchBend (int channel, int value);
    void sendNoteOn (int channel, int note, int velocity);
    void sendNoteOff (int channel, int note);
    void sendChannelPressure (int channel, int value);
    void sendPolyPressure (int channel, int note, int value);

    void sendBlockNow (const juce::MidiBuffer& buffer);
    void sendBlockDelayed (const juce::MidiBuffer& buffer, double delayMs, double sampleRate);
    void sendMessageDelayed (const juce::MidiMessage& message, int samplePosition, double delayMs, double sampleRate);
    bool sendBytesAt (const juce::uint8* bytes, int size, double dueMillis);

    // Up to 256 bytes leave as one message; longer blocks go out directly in
    // 256-byte pieces, after the pending timed messages are dropped. False
    // when the block was dropped, whole or in part.
    bool sendSysEx (const juce::uint8* bytes, int size);
    static constexpr int kSysExPieceSize = 256;

private:
    void sendChannelMessage (juce::uint8 type, int channel, int data1, int data2, int size);

    std::shared_ptr<MidiDeviceLayer> layer;
    ActivityMark& sent;
    MidiSendQueue sendQueue;
    juce::ReferenceCountedArray<MidiDeviceListEntry> inputEntries, outputEntries;
    juce::StringArray inputNames, outputNames;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MIDI_PORTS_Control)
};
