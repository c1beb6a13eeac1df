#include "core/midi/MidiCntrState.h"

#include "core/midi/MophoSysEx.h"

void MidiCntrState::updateSampleRate (int newSampleRate)
{
    sampleRate = newSampleRate;
    sampleRateIndex = sampleRateIndexFor (newSampleRate);
}

void MidiCntrState::clearDeviceInputBuffer()
{
    deviceInputBuffer.clear();
}

void MidiCntrState::addToDeviceInputBuffer (const juce::MidiMessage& message, juce::uint32 stamp)
{
    deviceInputBuffer.push (message.getRawData(), message.getRawDataSize(), stamp);
}

bool MidiCntrState::shouldThruHostMessage (const juce::uint8* data, int size) noexcept
{
    const int kind = data[0] & 0xF0;

    if (kind == 0xC0)
        return false;

    if (kind == 0xB0 && size >= 3)
    {
        return ! MophoSysEx::isModelController (data[1]);
    }

    return true;
}

void MidiCntrState::handleHostMessage (const juce::uint8* data, int size)
{
    const int status = data[0];
    const int kind = status & 0xF0;
    const int channel = status >= 0x80 && status < 0xF0 ? (status & 0x0F) + 1 : 0;

    if (kind == 0xB0 && size >= 3)
    {
        const int controller = data[1];
        const int value = data[2];

        if (controller == MophoSysEx::kBankSelect)
        {
            // A bank the synthesizer does not have selects nothing.
            if (value != currentHardwareBank && getBank (value) != nullptr)
            {
                currentHardwareBank = value;
                selectProgram (value, currentHardwareProgram, true, false);
            }
        }
        else if (controller != 0)
        {
            postEvent (kUiController, channel, controller, value);
        }
    }
    else if (kind == 0xC0 && size >= 2)
    {
        const int program = data[1];
        if (program != currentHardwareProgram)
        {
            currentHardwareProgram = program;
            selectProgram (currentHardwareBank, program, true, false);
        }
    }
    else if (kind == 0x90 && size >= 3 && data[2] > 0)
    {
        postEvent (kUiNoteOn, channel, data[1], data[2]);
    }
    else if ((kind == 0x80 || kind == 0x90) && size >= 3)
    {
        postEvent (kUiNoteOff, channel, data[1], 0);
    }
    else if (kind == 0xE0 && size >= 3)
    {
        postEvent (kUiPitchBend, channel, 0, data[2]);
    }
}

void MidiCntrState::processHostMidi (juce::MidiBuffer& midi, int numSamples, int rate)
{
    const double delay = getMidiDelayInForce();
    const double now = MidiSendQueue::now();

    for (const auto metadata : midi)
    {
        if (metadata.numBytes <= 0)
            continue;

        // Every thru message takes the same delay, wherever it stands in the
        // block, so none overtakes another.
        if (hostToSynthThru && shouldThruHostMessage (metadata.data, metadata.numBytes) && rate > 0)
            ports->sendBytesAt (metadata.data, metadata.numBytes, now + delay + metadata.samplePosition * 1000.0 / rate);

        handleHostMessage (metadata.data, metadata.numBytes);
    }

    midi.clear();

    const int taken = deviceInputBuffer.popAll (takenNotes.data());
    if (taken == 0 || numSamples <= 0)
        return;

    // Notes of the last half second only, as the host would have had them.
    constexpr juce::uint32 keptMs = 500;
    const auto newest = takenNotes[(size_t) (taken - 1)].stamp;
    int first = 0;
    while (first < taken && newest - takenNotes[(size_t) first].stamp > keptMs)
        ++first;

    const auto firstStamp = takenNotes[(size_t) first].stamp;
    const double scale = numSamples / (double) (newest - firstStamp + 1);

    for (int i = first; i < taken; ++i)
    {
        const auto& note = takenNotes[(size_t) i];
        const auto position = (int) std::nearbyint ((note.stamp - firstStamp) * scale);
        midi.addEvent (note.bytes.data(), note.size, juce::jlimit (0, numSamples - 1, position));
    }
}

//==============================================================================
int MidiCntrState::sampleRateIndexFor (int rate) noexcept
{
    switch (rate)
    {
        case 48000:                 // the usual rate, and the one the latency panel shows
        case 48100:  return 1;
        case 88200:  return 2;
        case 96000:  return 3;
        case 176400: return 4;
        case 192000: return 5;
        default:     return 0;
    }
}

int MidiCntrState::getMidiDelayInForce() const noexcept
{
    return delayMode < 100 ? midiDelayTable[(size_t) sampleRateIndex.load()] : 0;
}
