#include "core/midi/MidiCntrState.h"

#include "core/HostParameters.h"
#include "core/midi/MophoSysEx.h"

using namespace MophoSysEx;

void MidiCntrState::handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message)
{
    const auto* data = message.getRawData();
    const int size = message.getRawDataSize();
    if (size <= 0)
        return;

    midiInActivity.mark();
    const int status = data[0];
    sysEx.notice (data[0]);

    if (vst2Form)
    {
        handleIncomingMidiMessageVst2 (message);
        return;
    }

    const int channel = status >= 0x80 && status < 0xF0 ? (status & 0x0F) + 1 : 0;

    if (message.isNoteOn())
    {
        handleDeviceChannelMessage (message);
        postEvent (kUiNoteOn, channel, data[1], data[2]);
    }
    else if (message.isNoteOff())
    {
        handleDeviceChannelMessage (message);
        postEvent (kUiNoteOff, channel, data[1], 0);
    }
    else if (message.isPitchWheel())
    {
        handleDeviceChannelMessage (message);
        postEvent (kUiPitchBend, channel, 0, data[2]);
    }
    else if (message.isAftertouch() || message.isChannelPressure())
    {
        handleDeviceChannelMessage (message);
    }
    else if (message.isProgramChange())
    {
        // After a bank select to no bank of ours, a program change names no
        // program we hold: it is ignored.
        auto* bank = getBank (currentHardwareBank);
        if (bank == nullptr)
            return;

        const int program = data[1] & 0x7F;
        currentHardwareProgram = program;
        handleDeviceChannelMessage (message);
        resetNrpnCache();
        {
            const juce::SpinLock::ScopedLockType sl (imageLock);
            if (hostBank != nullptr)
                hostBank->setEditBufferBlock (bank->getProgramBlock (program));
        }
        postEvent (kUiEditBufferReplaced, 0, 0, 0);
    }
    else if (message.isController())
    {
        const int controller = data[1];
        const int value = data[2];

        switch (controller)
        {
            case 0:
                break;
            case kModWheel:
                handleDeviceChannelMessage (message);
                postEvent (kUiController, channel, kModWheel, value);
                break;
            case kBankSelect:
                currentHardwareBank = value;
                resetNrpnCache();
                if (getBank (value) != nullptr)
                    handleDeviceChannelMessage (message);
                break;
            default:
                takeNrpnController (controller, value);
                break;
        }
    }
    else
    {
        assembleSysEx (data, size);
    }
}

void MidiCntrState::resetNrpnInput() noexcept
{
    nrpnNumberMsb = 255;
    nrpnNumberLsb = 255;
}

bool MidiCntrState::takeNrpnController (int controller, int value)
{
    switch (controller)
    {
        case kNrpnNumberMsb: nrpnNumberMsb = (juce::uint8) value; return true;
        case kNrpnNumberLsb: nrpnNumberLsb = (juce::uint8) value; return true;
        case kDataEntryMsb:  nrpnValueMsb = (juce::uint8) value; return true;
        case kDataEntryLsb:
            nrpnValueLsb = (juce::uint8) value;
            completeNrpn();
            return true;
        default:
            return false;
    }
}

void MidiCntrState::completeNrpn()
{
    const int number = nrpnNumberMsb.load() * 128 + nrpnNumberLsb.load();
    const int value = nrpnValueMsb * 128 + nrpnValueLsb;

    if (number >= 0 && number < 380)
    {
        queueControllerChange (nrpnToParam (number), value);
    }
    else if (const int slot = globalNrpnToSlot (number); slot >= 0)
    {
        storeGlobal (slot, value);
        postEvent (kUiGlobalReceived, 0, 0, slot);
    }
}

void MidiCntrState::handleDeviceChannelMessage (const juce::MidiMessage& message)
{
    const auto* data = message.getRawData();

    if (message.isNoteOnOrOff())
    {
        addToDeviceInputBuffer (message, juce::Time::getMillisecondCounter());
        return;
    }

    if (message.isController())
        queueControllerChange (HostParameter::forController (data[1]), data[2]);
    else if (message.isAftertouch())
        queueControllerChange (HostParameter::forPolyPressure (data[1]), data[2]);
    else if (message.isChannelPressure())
        queueControllerChange (HostParameter::kChannelPressure, data[1]);
    else if (message.isPitchWheel())
        queueControllerChange (HostParameter::kPitchBend, message.getPitchWheelValue());
    else if (message.isProgramChange())
        queueControllerChange (HostParameter::kProgram, data[1]);
}

void MidiCntrState::assembleSysEx (const juce::uint8* data, int size)
{
    if (sysEx.add (data, size))
        handleSysEx (sysEx.getMessage(), sysEx.getMessageSize());
}

void MidiCntrState::forwardToHost (const juce::uint8* data, int size)
{
    deviceInputBuffer.push (data, size, juce::Time::getMillisecondCounter());
}

void MidiCntrState::handleIncomingMidiMessageVst2 (const juce::MidiMessage& message)
{
    const auto* data = message.getRawData();
    const int size = message.getRawDataSize();
    const int status = data[0];
    const int kind = status & 0xF0;
    const int channel = status >= 0x80 && status < 0xF0 ? (status & 0x0F) + 1 : 0;
    const bool thru = synthToHostThru;

    // With the switch on, everything but SysEx and the controllers the model
    // itself reads goes to the host untouched.
    if (thru && status != ProgramImage::kSysExStart)
    {
        const bool modelController = kind == 0xB0 && size >= 3 && isModelController (data[1]);
        if (! modelController && status >= 0x80)
        {
            forwardToHost (data, size);
            return;
        }
    }

    if (kind == 0x90 && size >= 3 && data[2] > 0)
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
    else if (kind == 0xC0 && size >= 2)
    {
        currentHardwareProgram = data[1] & 0x7F;
        resetNrpnCache();
        selectProgram (currentHardwareBank, currentHardwareProgram, false, false);
    }
    else if (kind == 0xB0 && size >= 3)
    {
        const int value = data[2];

        switch (data[1])
        {
            case kModWheel:
                postEvent (kUiController, channel, kModWheel, value);
                break;
            case kBankSelect:
                if (value != currentHardwareBank && getBank (value) != nullptr)
                {
                    currentHardwareBank = value;
                    resetNrpnCache();
                    selectProgram (value, currentHardwareProgram, false, false);
                }
                if (thru)
                    forwardToHost (data, size);
                break;
            default:
                if (! takeNrpnController (data[1], value) && thru)
                    forwardToHost (data, size);
                break;
        }
    }
    else
    {
        assembleSysEx (data, size);
    }
}
