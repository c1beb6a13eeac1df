#pragma once

#include "windows/library/ProgramRowList.h"

#include <functional>
#include <memory>

class VellixAudioProcessor;
class Bank_Program;
class FileMan;

// Codes of PlugFileListener::presetListChanged.
enum PlugFileEventCode : int
{
    kPresetRowPressed = 65,
    kPresetRightPressedNumber = 88,  // after the 65 of a right-button press on the number column
    kPresetRightPressedName = 90,    // or on the name and category
};

class PlugFileListener
{
public:
    virtual ~PlugFileListener() = default;
    virtual void presetListChanged (int code, int value) = 0; // value is always 0
    virtual void presetListDoubleClicked (int, int) = 0;      // always (0, 0)
};

// The plug-in's 128 presets, the processor's host bank, as a list. The host
// bank is shared with the audio and MIDI threads: every read and write of it
// here takes the hub's image lock, for no longer than a copy. Message thread.
class Plugin_File : public ProgramRowList
{
public:
    explicit Plugin_File (VellixAudioProcessor& processor);
    ~Plugin_File() override;

    // Clears the selection, scrolls to the top and lists presets 0-127.
    void setColumnWidths (const juce::Array<int>& widths);
    void setColumnCount (int count) noexcept { columnCount = count; }

    // Shows the preset without telling the listeners.
    void selectRow (int index);
    int getSelectedPreset() const noexcept { return selectedPreset; }

    // Registration takes the lock and ignores duplicates; notification walks
    // the listeners, the last added first, without it.
    void addListener (PlugFileListener* listener);

    // Programs 0 .. count - 1 of the bank become presets 0 .. count - 1; a
    // count past the host bank stops at its 128 presets. Neither the current
    // preset nor the edit buffer changes.
    void storeProgramsIntoPresets (const Bank_Program& bank, int count);

    // The open dialog for a program bank file; `done` hears whether presets
    // were filled, not at all when the dialog was cancelled.
    void loadProgramBankFile (std::function<void (bool)> done);
    // The part after the dialog: false for a file without a program dump.
    bool loadProgramBankFileAt (const juce::String& path);

protected:
    juce::String getRowName (int row) const override;
    int getRowCategory (int row) const override;
    void rowPressed (int row, const juce::MouseEvent& e) override;
    void listDoubleClicked() override;

private:
    void notifyListeners (int code);

    VellixAudioProcessor& processor;
    // Additions only, under the lock; notification walks without it.
    juce::Array<PlugFileListener*> listeners;
    juce::CriticalSection listenerLock;

    juce::Array<int> columnWidths, rowValues;
    int columnCount = 0;
    int selectedPreset = -1;
    std::unique_ptr<FileMan> fileMan; // lives while its dialog is open

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Plugin_File)
};
