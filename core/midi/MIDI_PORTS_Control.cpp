#include "core/midi/MIDI_PORTS_Control.h"

namespace
{
juce::StringArray namesOf (const juce::Array<juce::MidiDeviceInfo>& devices)
{
    juce::StringArray names;
    for (const auto& d : devices)
        names.add (d.name);
    return names;
}
} // namespace

MIDI_PORTS_Control::MIDI_PORTS_Control (std::shared_ptr<MidiDeviceLayer> deviceLayer, ActivityMark& sentMark)
    : layer (std::move (deviceLayer)), sent (sentMark)
{
}

MIDI_PORTS_Control::~MIDI_PORTS_Control()
{
    sendQueue.stop();

    if (selectedInput >= 0)
        closeDevice (true, selectedInput);

    if (selectedOutput >= 0)
        closeDevice (false, selectedOutput);

    inputEntries.clear();
    outputEntries.clear();
}

bool MIDI_PORTS_Control::compareDeviceLists (const juce::Array<juce::MidiDeviceInfo>& available, bool input) const
{
    const auto& entries = input ? inputEntries : outputEntries;

    if (available.size() != entries.size())
        return true;

    for (int i = 0; i < available.size(); ++i)
        if (available[i].name != entries[i]->info.name || available[i].identifier != entries[i]->info.identifier)
            return true;

    return false;
}

void MIDI_PORTS_Control::rebuildDeviceList (bool input)
{
    const auto available = input ? layer->getAvailableInputs() : layer->getAvailableOutputs();

    if (! compareDeviceLists (available, input))
        return;

    auto& entries = getEntries (input);
    juce::ReferenceCountedArray<MidiDeviceListEntry> rebuilt;

    for (const auto& device : available)
    {
        MidiDeviceListEntry::Ptr entry;

        for (auto* existing : entries)
            if (existing->info.name == device.name && existing->info.identifier == device.identifier)
                entry = existing;

        rebuilt.add (entry != nullptr ? entry : MidiDeviceListEntry::Ptr (new MidiDeviceListEntry (device)));
    }

    entries.swapWith (rebuilt);
}

void MIDI_PORTS_Control::closeDevice (bool input, int index)
{
    auto* entry = getEntries (input)[index].get();

    if (input)
    {
        inputOpen = false;
        if (entry != nullptr && entry->input != nullptr)
        {
            entry->input->stop();
            entry->input.reset();
        }
    }
    else
    {
        outputOpen = false;
        sendQueue.stop();
        if (entry != nullptr)
            entry->output.reset();
    }
}

void MIDI_PORTS_Control::refreshInputNames()
{
    inputNames = namesOf (layer->getAvailableInputs());
}

void MIDI_PORTS_Control::refreshOutputNames()
{
    outputNames = namesOf (layer->getAvailableOutputs());
}

MidiOutputPort* MIDI_PORTS_Control::getOpenOutput() const noexcept
{
    if (! outputOpen)
        return nullptr;

    if (auto* entry = outputEntries[selectedOutput].get())
        return entry->output.get();

    return nullptr;
}

//==============================================================================
namespace
{
bool isSendableChannel (int channel)
{
    return channel >= 0 && channel <= 16;
}

juce::uint8 statusByte (juce::uint8 type, int channel)
{
    return (juce::uint8) (type | juce::jlimit (0, 15, channel - 1));
}
} // namespace

void MIDI_PORTS_Control::sendChannelMessage (juce::uint8 type, int channel, int data1, int data2, int size)
{
    const juce::uint8 bytes[] = { statusByte (type, channel), (juce::uint8) (data1 & 0x7F), (juce::uint8) (data2 & 0x7F) };
    sendBytesAt (bytes, size, MidiSendQueue::now());
}

bool MIDI_PORTS_Control::sendBytesAt (const juce::uint8* bytes, int size, double dueMillis)
{
    if (! outputOpen || ! sendQueue.push (bytes, size, dueMillis))
        return false;

    sent.mark();
    return true;
}

void MIDI_PORTS_Control::sendProgramChange (int channel, int program)
{
    if (program >= 0 && program <= 127)
        sendChannelMessage (0xC0, channel, program, 0, 2);
}

void MIDI_PORTS_Control::sendController (int channel, int controller, int value)
{
    if (isSendableChannel (channel))
        sendChannelMessage (0xB0, channel, controller, value, 3);
}

void MIDI_PORTS_Control::sendPitchBend (int channel, int value)
{
    if (isSendableChannel (channel))
        sendChannelMessage (0xE0, channel, value & 0x7F, (value >> 7) & 0x7F, 3);
}

void MIDI_PORTS_Control::sendNoteOn (int channel, int note, int velocity)
{
    if (isSendableChannel (channel))
        sendChannelMessage (0x90, channel, note, juce::jmin (velocity, 127), 3);
}

void MIDI_PORTS_Control::sendNoteOff (int channel, int note)
{
    if (isSendableChannel (channel))
        sendChannelMessage (0x80, channel, note, 0, 3);
}

void MIDI_PORTS_Control::sendChannelPressure (int channel, int value)
{
    if (isSendableChannel (channel))
        sendChannelMessage (0xD0, channel, value, 0, 2);
}

void MIDI_PORTS_Control::sendPolyPressure (int channel, int note, int value)
{
    if (isSendableChannel (channel))
        sendChannelMessage (0xA0, channel, note, value, 3);
}

void MIDI_PORTS_Control::sendBlockNow (const juce::MidiBuffer& buffer)
{
    const auto now = MidiSendQueue::now();

    for (const auto metadata : buffer)
        sendBytesAt (metadata.data, metadata.numBytes, now);
}

void MIDI_PORTS_Control::sendBlockDelayed (const juce::MidiBuffer& buffer, double delayMs, double sampleRate)
{
    const auto start = MidiSendQueue::now() + delayMs;

    for (const auto metadata : buffer)
        sendBytesAt (metadata.data, metadata.numBytes, start + metadata.samplePosition * 1000.0 / sampleRate);
}

void MIDI_PORTS_Control::sendMessageDelayed (const juce::MidiMessage& message, int samplePosition, double delayMs, double sampleRate)
{
    const auto due = MidiSendQueue::now() + delayMs + samplePosition * 1000.0 / sampleRate;
    sendBytesAt (message.getRawData(), message.getRawDataSize(), due);
}

bool MIDI_PORTS_Control::sendSysEx (const juce::uint8* bytes, int size)
{
    if (! outputOpen || size <= 0)
        return false;

    if (size <= kSysExPieceSize)
        return sendBytesAt (bytes, size, MidiSendQueue::now());

    sendQueue.discardPending();
    sent.mark();

    bool whole = true;
    for (int offset = 0; offset < size; offset += kSysExPieceSize)
        whole = sendQueue.sendDirect (bytes + offset, juce::jmin (kSysExPieceSize, size - offset)) && whole;
    return whole;
}
