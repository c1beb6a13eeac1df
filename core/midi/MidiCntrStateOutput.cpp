#include "core/midi/MidiCntrState.h"

#include "core/HostParameters.h"
#include "core/midi/MophoSysEx.h"

void MidiCntrState::resetNrpnCache()
{
    const juce::SpinLock::ScopedLockType sl (nrpnLock);
    nrpnCache.forget();
}

void MidiCntrState::setMidiChannel (int channel) noexcept
{
    // The synthesizer on the new channel has seen no parameter number yet: the
    // next NRPN goes out whole. Under the cache's lock, so that no sequence is
    // built between the two.
    const juce::SpinLock::ScopedLockType sl (nrpnLock);
    midiChannel = juce::jlimit (1, 16, channel);
    nrpnCache.forget();
}

void MidiCntrState::sendNrpnSequence (int number, int value, NrpnOutputCache::Form form, double due)
{
    using Form = NrpnOutputCache::Form;
    using namespace MophoSysEx;

    if (form == Form::none)
        return;

    const auto channelStatus = (juce::uint8) (0xB0 | juce::jlimit (0, 15, midiChannel - 1));
    const juce::uint8 numberMsb[] = { channelStatus, kNrpnNumberMsb, (juce::uint8) ((number >> 7) & 0x7F) };
    const juce::uint8 numberLsb[] = { channelStatus, kNrpnNumberLsb, (juce::uint8) (number & 0x7F) };
    const juce::uint8 valueMsb[] = { channelStatus, kDataEntryMsb, (juce::uint8) ((value >> 7) & 0x7F) };
    const juce::uint8 valueLsb[] = { channelStatus, kDataEntryLsb, (juce::uint8) (value & 0x7F) };

    if (form == Form::full)
    {
        ports->sendBytesAt (numberMsb, 3, due);
        ports->sendBytesAt (numberLsb, 3, due);
    }
    if (form != Form::valueLsb)
        ports->sendBytesAt (valueMsb, 3, due);
    ports->sendBytesAt (valueLsb, 3, due);
}

void MidiCntrState::sendNrpn (int number, int value, double delayMs, double)
{
    if (! ports->outputOpen)
        return;

    const auto due = MidiSendQueue::now() + (delayMs < 1.0 ? 0.0 : delayMs);
    const juce::SpinLock::ScopedLockType sl (nrpnLock);

    const auto form = nrpnCache.formFor (number, value, due);
    if (form == NrpnOutputCache::Form::none)
        return;

    sendNrpnSequence (number, value, form, due);
    nrpnCache.sent (number, value, due);
}

void MidiCntrState::sendNrpnNow (int number, int value)
{
    if (! ports->outputOpen)
        return;

    const auto due = MidiSendQueue::now();
    const juce::SpinLock::ScopedLockType sl (nrpnLock);
    sendNrpnSequence (number, value, NrpnOutputCache::Form::full, due);
    nrpnCache.sentUncached (due);
}

void MidiCntrState::sendNoteOn (int channel, int note, int velocity)
{
    if (note >= 0 && note <= 127)
        ports->sendNoteOn (channel, note, velocity);
}

void MidiCntrState::sendNoteOff (int channel, int note)
{
    if (note >= 0 && note <= 127)
        ports->sendNoteOff (channel, note);
}

void MidiCntrState::sendPitchBend (int channel, int value)
{
    if (vst2Form)
    {
        if (channel >= 1 && channel <= 16)
        {
            const juce::uint8 bend[] = { (juce::uint8) (0xE0 | (channel - 1)), (juce::uint8) (value & 0x7F), (juce::uint8) ((value >> 7) & 0x7F) };
            forwardToHost (bend, 3);
        }
    }
    else
    {
        queueControllerChange (HostParameter::kPitchBend, value);
    }

    ports->sendPitchBend (channel, value);
}

void MidiCntrState::sendModWheel (int channel, int value)
{
    if (vst2Form)
    {
        if (channel >= 1 && channel <= 16 && value >= 0 && value <= 127)
        {
            const juce::uint8 wheel[] = { (juce::uint8) (0xB0 | (channel - 1)), MophoSysEx::kModWheel, (juce::uint8) value };
            forwardToHost (wheel, 3);
        }
    }
    else
    {
        queueControllerChange (HostParameter::kModWheel, value);
    }

    ports->sendController (channel, MophoSysEx::kModWheel, value);
}

void MidiCntrState::sendControllerParameter (int index, int value)
{
    using namespace HostParameter;

    if (index < kProgram)
        return;

    if (index == kProgram)
    {
        // A bank outside A-C names no program: nothing is selected.
        if (getBank (currentHardwareBank) != nullptr)
        {
            currentHardwareProgram = value;
            selectProgram (currentHardwareBank, value, true, false);
        }
    }
    else if (index == kBank)
    {
        currentHardwareBank = value;
    }
    else if (index <= kLastController)
    {
        ports->sendController (midiChannel, index - kFirstController, value);
        if (index == kModWheel)
            postEvent (kUiController, midiChannel, MophoSysEx::kModWheel, value);
    }
    else if (index <= kLastPolyPressure)
    {
        ports->sendPolyPressure (midiChannel, index - kFirstPolyPressure, value);
    }
    else if (index == kPitchBend)
    {
        ports->sendPitchBend (midiChannel, value);
        postEvent (kUiPitchBend, midiChannel, 0, value / 128);
    }
    else if (index == kChannelPressure)
    {
        ports->sendChannelPressure (midiChannel, value);
    }
}

void MidiCntrState::setProgramParameter (int position, int value)
{
    if (position < 0 || position >= ProgramImage::kSize)
        return;

    setEditBufferByte (position, value);

    if (parameterTables.sendsOwnNrpn (position))
        sendNrpn (parameterTables.getNrpn (position), value, getMidiDelayInForce(), sampleRate);

    postEvent (kUiProgramByteChanged, 0, position, value);
}
