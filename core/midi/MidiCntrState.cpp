#include "core/midi/MidiCntrState.h"

#include "core/midi/MophoSysEx.h"

#include "core/storage/BankDataFile.h"
#include "core/storage/PortSettingsFile.h"
#include "core/storage/SettingsFile.h"

using namespace ProgramImage;

MidiCntrState::MidiCntrState()
{
    sysExBuffer.reserve ((size_t) MophoSysEx::kMaxAssembledBytes);
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
    if (type == kUiEditBufferReplaced)
        editBufferReplaced = true;

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
            queueControllerChange (217, bank);
            queueControllerChange (184, program);
        }
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
        switch (data[1])
        {
            case MophoSysEx::kDataEntryMsb:
            case MophoSysEx::kDataEntryLsb:
            case MophoSysEx::kNrpnNumberLsb:
            case MophoSysEx::kNrpnNumberMsb:
            case MophoSysEx::kBankSelect:
                return false;
            default:
                return true;
        }
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
void MidiCntrState::resetNrpnCache()
{
    const juce::SpinLock::ScopedLockType sl (nrpnLock);
    cachedNrpn = -1;
}

void MidiCntrState::setMidiChannel (int channel) noexcept
{
    // The synthesizer on the new channel has seen no parameter number yet: the
    // next NRPN goes out whole. Under the cache's lock, so that no sequence is
    // built between the two.
    const juce::SpinLock::ScopedLockType sl (nrpnLock);
    midiChannel = juce::jlimit (1, 16, channel);
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
        queueControllerChange (441, value);
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
        queueControllerChange (186, value);
    }

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

//==============================================================================
using namespace MophoSysEx;

void MidiCntrState::handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message)
{
    const auto* data = message.getRawData();
    const int size = message.getRawDataSize();
    if (size <= 0)
        return;

    const int status = data[0];

    // MIDI lets only real-time bytes into a SysEx: any other message ends the
    // one being assembled, which would otherwise swallow it and be corrupted.
    if (status >= 0x80 && status < 0xF8 && status != ProgramImage::kSysExStart && status != ProgramImage::kSysExEnd)
        sysExBuffer.clear();

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
            case kDataEntryMsb:
                nrpnValueMsb = (juce::uint8) value;
                break;
            case kBankSelect:
                currentHardwareBank = value;
                resetNrpnCache();
                if (getBank (value) != nullptr)
                    handleDeviceChannelMessage (message);
                break;
            case kDataEntryLsb:
                nrpnValueLsb = (juce::uint8) value;
                completeNrpn();
                assembleSysEx (message);
                break;
            case kNrpnNumberLsb:
                nrpnNumberLsb = (juce::uint8) value;
                break;
            case kNrpnNumberMsb:
                nrpnNumberMsb = (juce::uint8) value;
                break;
            default:
                assembleSysEx (message);
                break;
        }
    }
    else
    {
        assembleSysEx (message);
    }
}

void MidiCntrState::resetNrpnInput() noexcept
{
    nrpnNumberMsb = 255;
    nrpnNumberLsb = 255;
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
        globalValues[(size_t) slot] = (juce::uint8) value;
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
        queueControllerChange (185 + data[1], data[2]);
    else if (message.isAftertouch())
        queueControllerChange (313 + data[1], data[2]);
    else if (message.isChannelPressure())
        queueControllerChange (442, data[1]);
    else if (message.isPitchWheel())
        queueControllerChange (441, message.getPitchWheelValue());
    else if (message.isProgramChange())
        queueControllerChange (184, data[1]);
}

void MidiCntrState::assembleSysEx (const juce::MidiMessage& message)
{
    const auto* data = message.getRawData();
    const int size = message.getRawDataSize();

    if (data[0] == ProgramImage::kSysExStart)
    {
        sysExBuffer.assign (data, data + size);
    }
    else if (data[0] >= 0xF8)
    {
        // Real-time bytes may sit inside a SysEx; they are never part of it.
        return;
    }
    else if (data[0] >= 0x80 && data[0] != ProgramImage::kSysExEnd)
    {
        // Any other status byte ends the SysEx being assembled: keeping the
        // pieces would splice this message into the dump.
        sysExBuffer.clear();
        return;
    }
    else if (! sysExBuffer.empty())
    {
        if (sysExBuffer.size() + (size_t) size > (size_t) kMaxAssembledBytes)
        {
            sysExBuffer.clear();
            return;
        }
        sysExBuffer.insert (sysExBuffer.end(), data, data + size);
    }

    if (sysExBuffer.size() > (size_t) kMaxAssembledBytes)
        sysExBuffer.clear();

    if (sysExBuffer.size() >= 2 && sysExBuffer.front() == ProgramImage::kSysExStart && sysExBuffer.back() == ProgramImage::kSysExEnd)
    {
        handleSysEx (sysExBuffer.data(), (int) sysExBuffer.size());
        sysExBuffer.clear();
    }
}

//==============================================================================
void MidiCntrState::sendDumpRequest (int type, int bank, int program)
{
    using namespace ProgramImage;

    if (type == kRequestProgram)
    {
        const juce::uint8 request[] = { kSysExStart, kManufacturerId, kDeviceId, kProgramDumpRequest,
                                        (juce::uint8) (bank & 0x7F), (juce::uint8) (program & 0x7F), kSysExEnd };
        ports->sendSysEx (request, (int) sizeof (request));
    }
    else if (type == kRequestEditBuffer || type == kRequestGlobals)
    {
        const juce::uint8 request[] = { kSysExStart, kManufacturerId, kDeviceId,
                                        type == kRequestEditBuffer ? kEditBufferRequest : kGlobalParameterRequest, kSysExEnd };
        ports->sendSysEx (request, (int) sizeof (request));
    }
}

void MidiCntrState::requestGlobals()
{
    synthesizerFound = false;
    postEvent (kUiSynthOffLine, 0, 0, 0);
    sendDumpRequest (kRequestGlobals, 0, 0);
}

void MidiCntrState::handleSysEx (const juce::uint8* data, int size)
{
    if (size > 3 && data[1] == kUniversalNonRealTime && data[3] == kGeneralInformation)
        return; // a device-inquiry reply: nothing to do with it

    if (size < 3 || data[2] != ProgramImage::kDeviceId)
        return;

    const int command = size > 3 ? data[3] : 0;

    if (command == ProgramImage::kProgramDumpCommand || command == ProgramImage::kEditBufferDumpCommand)
        handleProgramDump (data, size);
    else if (command == kGlobalParameterDump)
        handleGlobalDump (data, size);
}

void MidiCntrState::loadEditBufferFromDump (const ProgramImage::Block& image)
{
    resetNrpnCache();
    {
        const juce::SpinLock::ScopedLockType sl (imageLock);
        if (hostBank != nullptr)
            hostBank->setEditBufferBlock (image);
    }
    postEvent (kUiEditBufferReplaced, 0, 0, 0);
}

void MidiCntrState::handleProgramDump (const juce::uint8* data, int size)
{
    using namespace ProgramImage;

    if (size == kEditBufferDumpSize)
    {
        loadEditBufferFromDump (unpack (data + kEditBufferPayloadOffset));
        return;
    }

    if (size != kProgramDumpSize)
        return;

    const int bankNumber = data[kProgramDumpBankOffset];
    const int program = data[kProgramDumpProgramOffset];
    auto* bank = getBank (bankNumber);

    // A dump for a bank the synthesizer does not have is not ours to store.
    if (bank == nullptr || program >= Bank_Program::kNumPrograms)
        return;

    const auto image = unpack (data + kProgramDumpPayloadOffset);

    {
        const juce::SpinLock::ScopedLockType sl (imageLock);
        bank->setProgramBlock (program, image);
    }

    if (transferFetching)
    {
        // Only the answer to the pending request moves the transfer on; a dump
        // sent from the synthesizer's panel meanwhile is just stored.
        const bool answersRequest = bankNumber == pendingBank && program == pendingProgram;

        if (! answersRequest || ! transferBusy)
        {
            postEvent (kUiBankContentsChanged, 0, 0, 0);
            return;
        }

        postEvent (kUiTransferProgress, 0, bankNumber, program);

        if (program < Bank_Program::kNumPrograms - 1)
        {
            requestNextTransferProgram (bankNumber, program + 1);
        }
        else if (transferOperation != kReceiveAllBanks || bankNumber == kNumHardwareBanks - 1)
        {
            pendingBank = -1;
            pendingProgram = -1;
            postEvent (kUiBankContentsChanged, 0, 0, 0);
            postEvent (kUiBankTransferFinished, 0, 0, 0);
        }
        else
        {
            requestNextTransferProgram (bankNumber + 1, 0);
        }
        return;
    }

    currentHardwareBank = bankNumber;
    currentHardwareProgram = program;
    postEvent (kUiBankContentsChanged, 0, 0, 0);
    loadEditBufferFromDump (image);
}

void MidiCntrState::requestNextTransferProgram (int bank, int program)
{
    pendingBank = bank;
    pendingProgram = program;
    sendDumpRequest (kRequestProgram, bank, program);
}

void MidiCntrState::startTransfer (int operation, int startBank)
{
    transferOperation = operation;
    transferBusy = true;

    if ((operation == kReceiveOneBank || operation == kReceiveAllBanks) && getBank (startBank) != nullptr)
    {
        transferFetching = true;
        requestNextTransferProgram (startBank, 0);
    }
}

void MidiCntrState::endTransfer()
{
    transferBusy = false;
    transferFetching = false;
    transferOperation = kNoTransfer;
    pendingBank = -1;
    pendingProgram = -1;
}

void MidiCntrState::handleGlobalDump (const juce::uint8* data, int size)
{
    // Pairs of nibbles between the header and the closing F7; a lone last
    // nibble is not a value.
    for (int i = 0; i < kNumGlobalValues && kGlobalDumpHeaderSize + 2 * i + 1 < size - 1; ++i)
        globalValues[(size_t) i] = (juce::uint8) (data[kGlobalDumpHeaderSize + 2 * i] + 16 * data[kGlobalDumpHeaderSize + 2 * i + 1]);

    synthesizerFound = true;

    if (helpPageShown)
        scanResultSaver.triggerAsyncUpdate();

    postEvent (kUiSynthOnLine, 0, 0, 0);
}

void MidiCntrState::ScanResultSaver::handleAsyncUpdate()
{
    hub.settingsList.set (kSlotScanInput, juce::String (hub.scanInput.load()));
    hub.settingsList.set (kSlotScanOutput, juce::String (hub.scanOutput.load()));
    hub.loadOrSaveSettings (kSaveSettings);
}

//==============================================================================
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
        const bool modelController = kind == 0xB0 && size >= 3
                                  && (data[1] == 0 || data[1] == MophoSysEx::kDataEntryMsb || data[1] == MophoSysEx::kBankSelect
                                      || data[1] == MophoSysEx::kDataEntryLsb || data[1] == MophoSysEx::kNrpnNumberLsb
                                      || data[1] == MophoSysEx::kNrpnNumberMsb);
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
            case MophoSysEx::kModWheel:
                postEvent (kUiController, channel, MophoSysEx::kModWheel, value);
                break;
            case MophoSysEx::kBankSelect:
                if (value != currentHardwareBank && getBank (value) != nullptr)
                {
                    currentHardwareBank = value;
                    resetNrpnCache();
                    selectProgram (value, currentHardwareProgram, false, false);
                }
                if (thru)
                    forwardToHost (data, size);
                break;
            case MophoSysEx::kNrpnNumberMsb:
                nrpnNumberMsb = (juce::uint8) value;
                break;
            case MophoSysEx::kNrpnNumberLsb:
                nrpnNumberLsb = (juce::uint8) value;
                break;
            case MophoSysEx::kDataEntryMsb:
                nrpnValueMsb = (juce::uint8) value;
                break;
            case MophoSysEx::kDataEntryLsb:
                nrpnValueLsb = (juce::uint8) value;
                completeNrpn();
                break;
            default:
                if (thru)
                    forwardToHost (data, size);
                break;
        }
    }
    else
    {
        assembleSysEx (message);
    }
}
