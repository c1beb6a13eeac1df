#include "windows/library/Plugin_File.h"

#include "core/VellixAudioProcessor.h"
#include "core/storage/FileMan.h"

namespace
{
constexpr int kProgramBankFileDialog = 3;
} // namespace

Plugin_File::Plugin_File (VellixAudioProcessor& p) : processor (p)
{
}

Plugin_File::~Plugin_File() = default;

void Plugin_File::setColumnWidths (const juce::Array<int>& widths)
{
    columnWidths = widths;
    columnCount = widths.size();
    selectedPreset = -1;

    rowValues.clearQuick();
    for (int preset = 0; preset < VellixAudioProcessor::kNumHostPrograms; ++preset)
        rowValues.add (preset);

    resetRows (rowValues.size());
}

void Plugin_File::selectRow (int index)
{
    if (! juce::isPositiveAndBelow (index, getRowCount()) || index == getSelectedRow())
        return;

    selectedPreset = rowValues[index];
    setSelectedRow (index);
    // The thumb moves with the rows, so it never shows another place.
    scrollTo (juce::jmin (index, getRowCount() - 1));
}

void Plugin_File::addListener (PlugFileListener* listener)
{
    const juce::ScopedLock sl (listenerLock);
    listeners.addIfNotAlreadyThere (listener);
}

void Plugin_File::notifyListeners (int code)
{
    for (int i = listeners.size(); --i >= 0;)
        listeners.getUnchecked (i)->presetListChanged (code, 0);
}

void Plugin_File::rowPressed (int row, const juce::MouseEvent& e)
{
    selectedPreset = rowValues[row];
    setSelectedRow (row);
    notifyListeners (kPresetRowPressed);

    if (e.mods.isRightButtonDown())
    {
        const bool onNumber = ! columnWidths.isEmpty() && e.x < columnWidths[0];
        notifyListeners (onNumber ? kPresetRightPressedNumber : kPresetRightPressedName);
    }
}

void Plugin_File::listDoubleClicked()
{
    for (int i = listeners.size(); --i >= 0;)
        listeners.getUnchecked (i)->presetListDoubleClicked (0, 0);
}

juce::String Plugin_File::getRowName (int row) const
{
    const juce::SpinLock::ScopedLockType sl (processor.getHub().getImageLock());
    return processor.getHostBank().getProgramName (rowValues[row]);
}

int Plugin_File::getRowCategory (int row) const
{
    const juce::SpinLock::ScopedLockType sl (processor.getHub().getImageLock());
    return processor.getHostBank().getCategory (rowValues[row]);
}

void Plugin_File::storeProgramsIntoPresets (const Bank_Program& bank, int count)
{
    // A bank file may hold more dumps than there are presets.
    const int n = juce::jlimit (0, VellixAudioProcessor::kNumHostPrograms, count);

    // The hub's banks and the host bank share the image lock: one copy out,
    // one copy in, so the audio thread never waits for more than a bank copy.
    std::vector<ProgramImage::Block> programs ((size_t) n);
    auto& lock = processor.getHub().getImageLock();
    {
        const juce::SpinLock::ScopedLockType sl (lock);
        for (int i = 0; i < n; ++i)
            programs[(size_t) i] = bank.getProgramBlock (i);
    }
    {
        const juce::SpinLock::ScopedLockType sl (lock);
        for (int i = 0; i < n; ++i)
            processor.getHostBank().setProgramBlock (i, programs[(size_t) i]);
    }
    repaint();
}

bool Plugin_File::loadProgramBankFileAt (const juce::String& path)
{
    Bank_Program bank ({});
    FileMan files;

    if (! files.loadProgramDumpFile (path))
        return false;

    const auto& dumps = files.getCurrentProgram().getProgramBytes();
    bank.loadProgramDumps (juce::MemoryBlock (dumps.begin(), (size_t) dumps.size()));
    storeProgramsIntoPresets (bank, files.getCurrentProgram().getDumpCount());
    return true;
}

void Plugin_File::loadProgramBankFile (std::function<void (bool)> done)
{
    fileMan = std::make_unique<FileMan>();
    auto& files = *fileMan;
    juce::Component::SafePointer<Plugin_File> safeThis (this);
    files.browseForFile ('b', kProgramBankFileDialog, {}, [safeThis, &files, done] (bool confirmed) {
        if (safeThis == nullptr || ! confirmed)
            return;
        const bool loaded = safeThis->loadProgramBankFileAt (files.getChosenPath());
        if (done)
            done (loaded);
    });
}
