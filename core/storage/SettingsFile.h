#pragma once

#include <juce_core/juce_core.h>

// Slots of the settings list that the plug-in reads or writes.
enum SettingsSlot : int
{
    kSlotVersion = 0,
    kSlotScanInput = 1,
    kSlotScanOutput = 2,
    kSlotEditorWidth = 6,
    kSlotEditorHeight = 7,
    kSlotHostToSynthThru = 8,
    kSlotDelayMarker = 10,
    kSlotDelayFirst = 11,  // delay values 1-6 in 11-16
    kSlotDelayMode = 17,
    kSlotDelaySeventh = 18,
    kSlotMidiChannel = 42,
    kSlotClock = 44,
    kSlotSynthToHostThru = 47,
    kNumStoredSlots = 50,   // read from the file at most
    kNumAppendedSlots = 32, // appended in memory after loading
};

// The settings folder and its files. All of them are rebuilt on every call, so
// a folder chosen with setSettingsFolderOverride takes effect at once.
juce::File getSettingsFolder();
juce::File getGlobalSettingsFile();
juce::File getBankDataFile();
juce::File getPortSettingsFile();
juce::File getDefaultLibraryFile(); // the program library both deliverables share

// Points the settings folder elsewhere, process-wide: for tests and tools
// only. An empty File restores the user's folder.
void setSettingsFolderOverride (const juce::File& folder);

// Entries travel as "^|value|^", back to back, with no line ends.
juce::StringArray parseSettingsText (const juce::String& text);
juce::String buildSettingsText (juce::StringArray entries);

// The file's text, or empty for a missing file, a folder, or a text shorter
// than 6 characters.
juce::String readSettingsText (const juce::File& file);

// Writes UTF-8 without BOM, lone line feeds as CR LF. The old file is replaced
// only once the new one is completely written.
bool writeTextFile (const juce::String& text, const juce::File& file);

// Replaces the file with the block, only once the block is completely written.
bool writeBlockToFile (const juce::MemoryBlock& block, const juce::File& file);

// The whole file, or an empty block for a missing file or a folder.
juce::MemoryBlock readFileToBlock (const juce::File& file);
