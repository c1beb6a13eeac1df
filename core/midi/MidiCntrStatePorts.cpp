#include "core/midi/MidiCntrState.h"

#include "core/storage/BankDataFile.h"
#include "core/storage/PortSettingsFile.h"
#include "core/storage/SettingsFile.h"

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
    ports = std::make_unique<MIDI_PORTS_Control> (MidiDeviceLayer::getCurrent(), midiOutActivity);
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
