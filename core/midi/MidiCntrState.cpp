#include "core/midi/MidiCntrState.h"

#include "core/HostParameters.h"
#include "core/midi/MophoSysEx.h"
#include "core/storage/SettingsFile.h"

using namespace ProgramImage;

// The hub's implementation is spread by concern: this file holds construction,
// listeners, queues and program selection; MidiCntrStateInput.cpp the hardware
// input, MidiCntrStateSysEx.cpp dumps and transfers, MidiCntrStateOutput.cpp
// MIDI output and NRPN, MidiCntrStateHostMidi.cpp host MIDI and thru, and
// MidiCntrStatePorts.cpp ports, settings and files.

MidiCntrState::MidiCntrState()
{
    initialise();
}

void MidiCntrState::initialise()
{
    loadOrSaveSettings (kLoadSettings);
    for (int i = 0; i < kNumAppendedSlots; ++i)
        settingsList.add ("0");

    midiChannel = settingsList[kSlotMidiChannel].getIntValue();
    if (midiChannel < 1 || midiChannel > 16)
    {
        midiChannel = 1;
        settingsList.set (kSlotMidiChannel, "1");
    }

    parameterTables.buildParameterTables();

    bankA = std::make_unique<Bank_Program> ("Program Bank A");
    bankB = std::make_unique<Bank_Program> ("Program Bank B");
    bankC = std::make_unique<Bank_Program> ("Program Bank C");

    fillHardwareBanks();

    bankList = { bankA.get(), bankB.get(), bankC.get() };

    openPortsFromSettings();
}

MidiCntrState::~MidiCntrState()
{
    // No hardware input may arrive, nor a transmission send, while the files
    // are written and the banks and ports go.
    transmitter.stop();
    ports.reset();
    scanResultSaver.cancelPendingUpdate();

    loadOrSaveSettings (kSaveSettings);
    saveBankDataFile();
}

//==============================================================================
void MidiCntrState::addListener (MidiCntrStateListener* listener)
{
    hubListeners.add (listener, lock);
}

void MidiCntrState::removeListener (MidiCntrStateListener* listener)
{
    hubListeners.remove (listener, lock);
}

void MidiCntrState::addStateListener (stateListener* listener)
{
    stateListeners.add (listener, lock);
}

void MidiCntrState::removeStateListener (stateListener* listener)
{
    stateListeners.remove (listener, lock);
}

void MidiCntrState::postEvent (int type, int channel, int position, int value)
{
    if (type == kUiEditBufferReplaced && ! editBufferReplaced.exchange (true))
        editBufferReplacedSignal.post();

    eventQueue.push (UiEventCode::make (type, channel, position, value));
    hubListeners.call ([this] (MidiCntrStateListener& l) { l.midiCntrStateChanged (this); });
}

void MidiCntrState::postStateCommand (int value)
{
    eventQueue.push (UiEventCode::make (kUiKeyCommand, 0, 0, value));
    stateListeners.call ([] (stateListener& l) { l.stateCommandPosted(); });
}

juce::Array<juce::int64> MidiCntrState::takeEvents()
{
    return eventQueue.takeAll();
}

void MidiCntrState::queueControllerChange (int position, int value)
{
    controllerQueue.push (ControllerChangeCode::make (position, value));
    sendChangeMessage();
}

juce::Array<int> MidiCntrState::takeControllerChanges()
{
    return controllerQueue.takeAll();
}

//==============================================================================
Bank_Program* MidiCntrState::getBank (int bankIndex) const noexcept
{
    if (bankIndex < 0 || bankIndex >= kNumHardwareBanks)
        return nullptr;

    return bankList[(size_t) bankIndex];
}

std::optional<Block> MidiCntrState::getProgramImage (int bank, int program) const
{
    auto* source = getBank (bank);
    if (source == nullptr || ! juce::isPositiveAndBelow (program, Bank_Program::kNumPrograms))
        return std::nullopt;

    const juce::SpinLock::ScopedLockType sl (imageLock);
    return source->getProgramBlock (program);
}

std::unique_ptr<Bank_Program> MidiCntrState::copyBank (int bank) const
{
    auto* source = getBank (bank);
    if (source == nullptr)
        return nullptr;

    auto copy = std::make_unique<Bank_Program> (source->getBankName());
    const juce::SpinLock::ScopedLockType sl (imageLock);
    for (int slot = 0; slot < Bank_Program::kNumPrograms; ++slot)
        copy->setProgramBlock (slot, source->getProgramBlock (slot));
    return copy;
}

void MidiCntrState::changeBank (int bank, const std::function<void (Bank_Program&)>& change)
{
    auto copy = copyBank (bank);
    if (copy == nullptr)
        return;

    change (*copy);

    {
        const juce::SpinLock::ScopedLockType sl (imageLock);
        auto* target = getBank (bank);
        for (int slot = 0; slot < Bank_Program::kNumPrograms; ++slot)
            target->setProgramBlock (slot, copy->getProgramBlock (slot));
    }
    postEvent (kUiBankContentsChanged, 0, 0, 0);
}

void MidiCntrState::setSlotByte (int bank, int program, int position, int value)
{
    auto* target = getBank (bank);
    if (target == nullptr || ! juce::isPositiveAndBelow (program, Bank_Program::kNumPrograms)
        || ! juce::isPositiveAndBelow (position, ProgramImage::kSize))
        return;

    const juce::SpinLock::ScopedLockType sl (imageLock);
    auto block = target->getProgramBlock (program);
    block[(size_t) position] = (juce::uint8) value;
    target->setProgramBlock (program, block);
}

void MidiCntrState::selectProgram (int bank, int program, bool sendToSynthesizer, bool notifyHost)
{
    auto* source = getBank (bank);
    if (source == nullptr || hostBank == nullptr || program < 0 || program >= Bank_Program::kNumPrograms)
        return;

    currentHardwareBank = bank;
    currentHardwareProgram = program;

    {
        const juce::SpinLock::ScopedLockType sl (imageLock);
        hostBank->setEditBufferBlock (source->getProgramBlock (program));
    }
    postEvent (kUiEditBufferReplaced, 0, 0, 0);

    if (notifyHost)
    {
        if (vst2Form)
        {
            const int channel = juce::jlimit (1, 16, (int) midiChannel);
            const juce::uint8 bankSelect[] = { (juce::uint8) (0xB0 | (channel - 1)), MophoSysEx::kBankSelect, (juce::uint8) bank };
            const juce::uint8 programChange[] = { (juce::uint8) (0xC0 | (channel - 1)), (juce::uint8) program };
            forwardToHost (bankSelect, 3);
            forwardToHost (programChange, 2);
        }
        else
        {
            queueControllerChange (HostParameter::kBank, bank);
            queueControllerChange (HostParameter::kProgram, program);
        }
    }

    if (sendToSynthesizer)
    {
        resetNrpnCache();
        ports->sendController (midiChannel, MophoSysEx::kBankSelect, bank);
        ports->sendProgramChange (midiChannel, program);
    }
}

void MidiCntrState::storeProgram (bool toBank, int bank, int program, const Block& image)
{
    if (toBank)
    {
        auto* target = getBank (bank);
        if (target == nullptr || program < 0 || program >= Bank_Program::kNumPrograms)
            return;

        {
            const juce::SpinLock::ScopedLockType sl (imageLock);
            target->setProgramBlock (program, image);
        }
        postEvent (kUiBankContentsChanged, 0, 0, 0);
    }
    else if (hostBank != nullptr)
    {
        const juce::SpinLock::ScopedLockType sl (imageLock);
        hostBank->setEditBufferBlock (image);
    }

    postEvent (kUiEditBufferReplaced, 0, 0, 0);
}

void MidiCntrState::recallHostProgram()
{
    if (currentHostProgram < 0)
        currentHostProgram = 0;

    if (hostBank != nullptr)
    {
        const juce::SpinLock::ScopedLockType sl (imageLock);
        hostBank->setEditBufferBlock (hostBank->getProgramBlock (currentHostProgram));
    }

    postEvent (kUiEditBufferReplaced, 0, 0, 0);
}

int MidiCntrState::getEditBufferByte (int position) const
{
    if (hostBank == nullptr || position < 0 || position >= kSize)
        return 0;

    // Host automation reads while a state restore or a dump writes the buffer.
    const juce::SpinLock::ScopedLockType sl (imageLock);
    return hostBank->getEditBufferByte (position);
}

void MidiCntrState::setEditBufferByte (int position, int value)
{
    if (hostBank == nullptr || position < 0 || position >= kSize)
        return;

    const juce::SpinLock::ScopedLockType sl (imageLock);
    hostBank->setEditBufferByte (position, (juce::uint8) value);
}

Block MidiCntrState::getEditBufferImage() const
{
    if (hostBank == nullptr)
        return {};

    const juce::SpinLock::ScopedLockType sl (imageLock);
    return hostBank->getEditBufferBlock();
}

int MidiCntrState::getGlobalValue (int index) const noexcept
{
    return index >= 0 && index < kNumGlobalValues ? globalValues[(size_t) index].load (std::memory_order_relaxed) : 0;
}

void MidiCntrState::setGlobalValue (int index, int value)
{
    if (index < 0 || index >= kNumGlobalValues)
        return;

    storeGlobal (index, value);
    postEvent (kUiGlobalReceived, 0, 0, index);
}

