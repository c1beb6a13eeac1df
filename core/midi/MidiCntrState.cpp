#include "core/midi/MidiCntrState.h"

#include "core/storage/BankDataFile.h"
#include "core/storage/SettingsFile.h"

MidiCntrState::MidiCntrState()
{
    eventQueue.ensureStorageAllocated (1024);
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

    bankList.add (bankA.get());
    bankList.add (bankB.get());
    bankList.add (bankC.get());
}

MidiCntrState::~MidiCntrState()
{
    loadOrSaveSettings (kSaveSettings);
    saveBankDataFile();
}

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
    return writeBlockToFile (BankDataFile::build (*bankA, *bankB, *bankC), getBankDataFile());
}

void MidiCntrState::addListener (MidiCntrStateListener* listener)
{
    const juce::ScopedLock sl (lock);
    hubListeners.addIfNotAlreadyThere (listener);
}

void MidiCntrState::removeListener (MidiCntrStateListener* listener)
{
    const juce::ScopedLock sl (lock);
    hubListeners.removeFirstMatchingValue (listener);
}

void MidiCntrState::postEvent (int type, int channel, int position, int value)
{
    {
        const juce::ScopedLock sl (lock);
        eventQueue.add (UiEventCode::make (type, channel, position, value));
    }

    for (int i = hubListeners.size(); --i >= 0;)
        if (auto* listener = hubListeners[i])
            listener->midiCntrStateChanged (this);
}

juce::Array<juce::int64> MidiCntrState::takeEvents()
{
    juce::Array<juce::int64> events;
    const juce::ScopedLock sl (lock);
    events.swapWith (eventQueue);
    eventQueue.ensureStorageAllocated (1024);
    return events;
}

Bank_Program* MidiCntrState::getBank (int bankIndex) const
{
    return bankList[bankIndex];
}

void MidiCntrState::recallHostProgram()
{
    if (currentHostProgram < 0)
        currentHostProgram = 0;

    if (hostBank != nullptr)
        hostBank->setEditBuffer (hostBank->getProgram (currentHostProgram));

    postEvent (kUiEditBufferReplaced, 0, 0, 0);
}

void MidiCntrState::updateSampleRate (int newSampleRate)
{
    sampleRate = newSampleRate;
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
