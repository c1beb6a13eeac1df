#include "core/midi/MidiCntrState.h"

#include "core/storage/BankDataFile.h"
#include "core/storage/PortSettingsFile.h"
#include "core/storage/SettingsFile.h"

using namespace ProgramImage;

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
    // No hardware input may arrive while the files are written and the banks go.
    ports.reset();

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
        queueControllerChange (217, bank);
        queueControllerChange (184, program);
    }

    if (sendToSynthesizer)
    {
        resetNrpnCache();
        ports->sendController (midiChannel, 32, bank);
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
    return index >= 0 && index < kNumGlobalValues ? globalValues[(size_t) index] : 0;
}

void MidiCntrState::setGlobalValue (int index, int value)
{
    if (index < 0 || index >= kNumGlobalValues)
        return;

    globalValues[(size_t) index] = (juce::uint8) value;
    postEvent (kUiGlobalReceived, 0, 0, index);
}

//==============================================================================
void MidiCntrState::updateSampleRate (int newSampleRate)
{
    sampleRate = newSampleRate;
    sampleRateIndex = sampleRateIndexFor (newSampleRate);
}

void MidiCntrState::clearDeviceInputBuffer()
{
    const juce::ScopedLock sl (lock);
    deviceInputBuffer.clear();
}

void MidiCntrState::processHostMidi (juce::MidiBuffer& midi, int numSamples)
{
    const juce::ScopedLock sl (lock);
    midi.clear();

    for (const auto metadata : deviceInputBuffer)
        midi.addEvent (metadata.data, metadata.numBytes, juce::jlimit (0, juce::jmax (0, numSamples - 1), metadata.samplePosition));

    deviceInputBuffer.clear();
}

//==============================================================================
void MidiCntrState::resetNrpnCache()
{
    const juce::SpinLock::ScopedLockType sl (nrpnLock);
    cachedNrpn = -1;
}

void MidiCntrState::sendNrpnSequence (int number, int value, bool full, double due)
{
    const auto channelStatus = (juce::uint8) (0xB0 | juce::jlimit (0, 15, midiChannel - 1));
    const juce::uint8 numberMsb[] = { channelStatus, 99, (juce::uint8) ((number >> 7) & 0x7F) };
    const juce::uint8 numberLsb[] = { channelStatus, 98, (juce::uint8) (number & 0x7F) };
    const juce::uint8 valueMsb[] = { channelStatus, 6, (juce::uint8) ((value >> 7) & 0x7F) };
    const juce::uint8 valueLsb[] = { channelStatus, 38, (juce::uint8) (value & 0x7F) };

    if (full)
    {
        ports->sendBytesAt (numberMsb, 3, due);
        ports->sendBytesAt (numberLsb, 3, due);
    }
    if (full || ((value >> 7) & 0x7F) != cachedMsb)
        ports->sendBytesAt (valueMsb, 3, due);
    ports->sendBytesAt (valueLsb, 3, due);
}

void MidiCntrState::sendNrpn (int number, int value, double delayMs, double)
{
    if (! ports->outputOpen)
        return;

    const int msb = (value >> 7) & 0x7F;
    const int lsb = value & 0x7F;
    const auto due = MidiSendQueue::now() + (delayMs < 1.0 ? 0.0 : delayMs);

    const juce::SpinLock::ScopedLockType sl (nrpnLock);

    if (number == cachedNrpn && msb == cachedMsb && lsb == cachedLsb)
        return;

    // A shortened sequence relies on the number (and MSB) of the cached one
    // already standing in the synthesizer: only when that sequence is the last
    // one to arrive, and this one arrives no earlier. Otherwise, with delayed
    // and immediate sends mixed, it could land on another parameter.
    const bool cacheArrivesLast = cachedNrpnDue >= latestNrpnDue && due >= latestNrpnDue;
    const bool full = number != cachedNrpn || ! cacheArrivesLast;

    sendNrpnSequence (number, value, full, due);

    cachedNrpn = number;
    cachedMsb = msb;
    cachedLsb = lsb;
    cachedNrpnDue = due;
    latestNrpnDue = juce::jmax (latestNrpnDue, due);
}

void MidiCntrState::sendNrpnNow (int number, int value)
{
    if (! ports->outputOpen)
        return;

    const auto due = MidiSendQueue::now();
    const juce::SpinLock::ScopedLockType sl (nrpnLock);
    sendNrpnSequence (number, value, true, due);
    cachedNrpn = -1;
    latestNrpnDue = juce::jmax (latestNrpnDue, due);
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
    queueControllerChange (441, value);
    ports->sendPitchBend (channel, value);
}

void MidiCntrState::sendModWheel (int channel, int value)
{
    queueControllerChange (186, value);
    ports->sendController (channel, 1, value);
}

void MidiCntrState::sendControllerParameter (int index, int value)
{
    if (index < 184)
        return;

    if (index == 184)
    {
        // A bank outside A-C names no program: nothing is selected.
        if (getBank (currentHardwareBank) != nullptr)
        {
            currentHardwareProgram = value;
            selectProgram (currentHardwareBank, value, true, false);
        }
    }
    else if (index == 217)
    {
        currentHardwareBank = value;
    }
    else if (index <= 312)
    {
        ports->sendController (midiChannel, index - 185, value);
        if (index == 186)
            postEvent (kUiController, midiChannel, 1, value);
    }
    else if (index <= 440)
    {
        ports->sendPolyPressure (midiChannel, index - 313, value);
    }
    else if (index == 441)
    {
        ports->sendPitchBend (midiChannel, value);
        postEvent (kUiPitchBend, midiChannel, 0, value / 128);
    }
    else if (index == 442)
    {
        ports->sendChannelPressure (midiChannel, value);
    }
}

void MidiCntrState::setProgramParameter (int position, int value)
{
    if (position < 0 || position >= kSize)
        return;

    setEditBufferByte (position, value);

    if (parameterTables.sendsOwnNrpn (position))
        sendNrpn (parameterTables.getNrpn (position), value, getMidiDelayInForce(), sampleRate);

    postEvent (kUiProgramByteChanged, 0, position, value);
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

void MidiCntrState::setMidiDelays (int mode, const juce::Array<int>& table)
{
    delayMode = mode;
    for (int i = 0; i < kNumMidiDelays; ++i)
        midiDelayTable[(size_t) i] = table[i];

    settingsList.set (kSlotDelayMarker, "333");
    for (int i = 0; i < 6; ++i)
        settingsList.set (kSlotDelayFirst + i, juce::String (midiDelayTable[(size_t) i]));
    settingsList.set (kSlotDelayMode, juce::String (mode));
    settingsList.set (kSlotDelaySeventh, juce::String (midiDelayTable[6]));
}

void MidiCntrState::loadMidiDelays()
{
    if (settingsList[kSlotDelayMarker] != "333")
    {
        settingsList.set (kSlotDelayMarker, "333");
        for (int i = 0; i < 6; ++i)
            settingsList.set (kSlotDelayFirst + i, "0");
        settingsList.set (kSlotDelayMode, "402");
        settingsList.set (kSlotDelaySeventh, "0");
    }

    for (int i = 0; i < 6; ++i)
        midiDelayTable[(size_t) i] = settingsList[kSlotDelayFirst + i].getIntValue();
    midiDelayTable[6] = settingsList[kSlotDelaySeventh].getIntValue();

    delayMode = 0;
}

//==============================================================================
void MidiCntrState::setDefaultSettings()
{
    settingsList.clearQuick();
    settingsList.add ("3.0.0");
    settingsList.addArray ({ "-1", "-1", "-1", "100", "0", "", "", "1" });

    while (settingsList.size() < kNumStoredSlots)
        settingsList.add ("0");
}

void MidiCntrState::loadOrSaveSettings (int mode)
{
    const auto file = getGlobalSettingsFile();

    if (mode == kSaveSettings)
    {
        // Whatever happened to the file meanwhile, the list in memory is what
        // the user set: it is written as it stands.
        writeTextFile (buildSettingsText (settingsList), file);
        return;
    }

    if (mode != kLoadSettings)
        return;

    if (! file.existsAsFile())
    {
        setDefaultSettings();
        writeTextFile (buildSettingsText (settingsList), file);
        return;
    }

    const auto entries = parseSettingsText (readSettingsText (file));

    if (entries.size() > 2)
    {
        settingsList.clearQuick();
        for (int i = 0; i < juce::jmin (entries.size(), (int) kNumStoredSlots); ++i)
            settingsList.add (entries[i]);
    }
    else
    {
        setDefaultSettings();
        helpPageRequested = true;
    }

    while (settingsList.size() < kNumStoredSlots)
        settingsList.add ("0");
}

void MidiCntrState::fillHardwareBanks()
{
    const auto image = loadBankDataFile();
    Bank_Program* banks[] = { bankA.get(), bankB.get(), bankC.get() };

    for (int i = 0; i < kNumHardwareBanks; ++i)
    {
        if (image.getSize() < (size_t) BankDataFile::kSmallestImage)
            banks[i]->loadFactoryBank (i);
        else
            banks[i]->loadFromBankDataImage (i, image);
    }
}

juce::MemoryBlock MidiCntrState::loadBankDataFile() const
{
    return readFileToBlock (getBankDataFile());
}

bool MidiCntrState::saveBankDataFile() const
{
    const juce::SpinLock::ScopedLockType sl (imageLock);
    return writeBlockToFile (BankDataFile::build (*bankA, *bankB, *bankC), getBankDataFile());
}

//==============================================================================
void MidiCntrState::openDevice (bool input, int index)
{
    if (input)
    {
        ports->selectedInput = -1;
        ports->inputOpen = false;
        ports->refreshInputNames();

        if (auto* entry = ports->getEntries (true)[index].get())
        {
            entry->input = ports->getLayer().openInput (entry->info.identifier, this);

            if (entry->input != nullptr)
            {
                entry->input->start();
                ports->inputOpen = true;
                ports->selectedInput = index;
            }
        }
    }
    else
    {
        ports->refreshOutputNames();
        ports->selectedOutput = -1;
        ports->outputOpen = false;

        if (auto* entry = ports->getEntries (false)[index].get())
        {
            entry->output.reset();
            entry->output = ports->getLayer().openOutput (entry->info.identifier);

            if (entry->output != nullptr)
            {
                ports->startSending (*entry->output);
                ports->selectedOutput = index;
                ports->outputOpen = true;
            }
        }
    }
}

static int findDevice (const juce::Array<juce::MidiDeviceInfo>& devices, const juce::String& name)
{
    if (name.length() <= 2)
        return 0;

    for (int i = 0; i < devices.size(); ++i)
        if (devices[i].name == name)
            return i + 1;

    return 0;
}

int MidiCntrState::findInputDevice (const juce::String& name)
{
    return findDevice (ports->getLayer().getAvailableInputs(), name);
}

int MidiCntrState::findOutputDevice (const juce::String& name)
{
    return findDevice (ports->getLayer().getAvailableOutputs(), name);
}

void MidiCntrState::selectInputDevice (int position)
{
    selectDevice (true, position);
}

void MidiCntrState::selectOutputDevice (int position)
{
    selectDevice (false, position);
}

void MidiCntrState::selectDevice (bool input, int position)
{
    const auto available = input ? ports->getLayer().getAvailableInputs() : ports->getLayer().getAvailableOutputs();
    if (position < 0 || position > available.size())
        return;

    portSettings.set (input ? 0 : 1, position == 0 ? juce::String ("NONE") : available[position - 1].name);

    auto& selected = input ? ports->selectedInput : ports->selectedOutput;
    if (selected >= 0)
        ports->closeDevice (input, selected);
    selected = -1;

    if (position > 0)
    {
        ports->rebuildDeviceList (input);
        openDevice (input, position - 1);
    }
}

void MidiCntrState::openPortsFromSettings()
{
    ports = std::make_unique<MIDI_PORTS_Control> (MidiDeviceLayer::getCurrent());
    portSettings = PortSettingsFile::defaults();

    loadOrSavePortSettings (kLoadPorts);

    if (const int input = findInputDevice (portSettings[0]); input > 0)
    {
        if (ports->selectedInput >= 0)
            ports->closeDevice (true, ports->selectedInput);

        ports->rebuildDeviceList (true);
        openDevice (true, input - 1);
    }

    if (const int output = findOutputDevice (portSettings[1]); output > 0)
    {
        ports->rebuildDeviceList (false);
        openDevice (false, output - 1);
    }

    clockSwitch = settingsList[kSlotClock].getIntValue() == 1;
    synthToHostThru = settingsList[kSlotSynthToHostThru].getIntValue() == 1;
    hostToSynthThru = true;

    loadMidiDelays();
}

void MidiCntrState::loadOrSavePortSettings (int mode)
{
    if (! getPortSettingsFile().existsAsFile())
        writeBlockToFile (PortSettingsFile::build (portSettings), getPortSettingsFile());

    if (mode == kLoadPorts)
        readPortSettings();
    else if (mode == kSavePorts)
        writePortSettings();
}

void MidiCntrState::readPortSettings()
{
    const auto file = readFileToBlock (getPortSettingsFile());

    if (file.getSize() <= 2)
    {
        writePortSettings();
        return;
    }

    if (const int mode = PortSettingsFile::parse (file, portSettings); mode != 0)
        ports->sysExBufferSizeMode = mode;
}

void MidiCntrState::writePortSettings()
{
    portSettings.set (3, juce::String (ports->sysExBufferSizeMode));
    writeBlockToFile (PortSettingsFile::build (portSettings), getPortSettingsFile());
}
