#include "windows/library/KwsFile.h"

#include "core/storage/FileMan.h"
#include "core/storage/SettingsFile.h"

namespace
{
constexpr int kLibraryFileDialog = 4;
constexpr int kBankFileDialog = 3;
constexpr int kSaveLibraryDialog = 104;
const char* const kSaveAsDefaultName = "Untitled";
} // namespace

KwsFile::KwsFile() = default;

KwsFile::~KwsFile() = default;

void KwsFile::addListener (KwsFileListener* listener)
{
    const juce::ScopedLock sl (listenerLock);
    listeners.addIfNotAlreadyThere (listener);
}

void KwsFile::notifyListeners (int code, int value)
{
    for (int i = listeners.size(); --i >= 0;)
        listeners.getUnchecked (i)->fileListChanged (code, value);
}

void KwsFile::listDoubleClicked()
{
    for (int i = listeners.size(); --i >= 0;)
        listeners.getUnchecked (i)->fileListDoubleClicked (0, 0);
}

void KwsFile::rebuildList (int mode)
{
    filterMode = mode;
    selectedLibraryIndex = -1;
    rowIndex.clearQuick();

    const auto& library = model.getLibrary();
    for (int i = 0, n = library.getNumPrograms(); i < n; ++i)
        if (mode == kAllCategories || library.getCategory (i) == filterCategory)
            rowIndex.add (i);

    resetRows (rowIndex.size());
    countCategories();
}

void KwsFile::selectRow (int row)
{
    if (! juce::isPositiveAndBelow (row, getRowCount()))
        return;

    selectedLibraryIndex = rowIndex[row];
    setSelectedRow (row);
    notifyListeners (kFileRowSelected, selectedLibraryIndex);
}

void KwsFile::rowPressed (int row, const juce::MouseEvent&)
{
    selectRow (row);
}

juce::String KwsFile::getRowName (int row) const
{
    return model.getLibrary().getProgramName (rowIndex[row]);
}

int KwsFile::getRowCategory (int row) const
{
    return model.getLibrary().getCategory (rowIndex[row]);
}

void KwsFile::applyImport (bool append)
{
    if (model.applyImport (append))
        rebuildList (kAllCategories);
}

void KwsFile::addProgram (const juce::String& name, const juce::MemoryBlock& program)
{
    model.addProgram (name, program);
    rebuildList (filterMode);

    // The program's row is the last one whether it was added now or the
    // library already held it; under a filter only when it is listed there.
    const bool listed = filterMode == kAllCategories
                     || (program.getSize() > (size_t) ProgramImage::kCategoryOffset
                         && (int) static_cast<const juce::uint8*> (program.getData())[ProgramImage::kCategoryOffset] == filterCategory);
    if (listed)
        selectRow (getRowCount() - 1);
}

void KwsFile::deleteSelected()
{
    if (getSelectedRow() < 0 || ! juce::isPositiveAndBelow (selectedLibraryIndex, model.getLibrary().getNumPrograms()))
        return;

    model.getLibrary().removeProgram (selectedLibraryIndex);
    rebuildList (filterMode);
}

void KwsFile::clearLibrary()
{
    model.getLibrary().clear();
    rebuildList (kAllCategories);
}

void KwsFile::countCategories()
{
    model.countCategories();
    notifyListeners (kFileCategoriesCounted, kCountsValue);
}

void KwsFile::loadDefaultLibrary()
{
    const auto file = getDefaultLibraryFile();
    if (! file.existsAsFile())
        return;

    model.loadLibraryFile (file);
    rebuildList (kAllCategories);
}

LibraryFile::WriteResult KwsFile::saveDefaultLibrary() const
{
    return model.writeLibraryFile (getDefaultLibraryFile());
}

FileMan& KwsFile::freshFileMan()
{
    fileMan = std::make_unique<FileMan>();
    return *fileMan;
}

void KwsFile::loadLibraryFileForImport (std::function<void (bool)> done)
{
    model.clearImport();
    auto& files = freshFileMan();
    files.browseForFile ('b', kLibraryFileDialog, {}, [this, &files, done] (bool confirmed) {
        if (confirmed)
            model.importLibraryFile (juce::File (files.getChosenPath()));
        if (done)
            done (confirmed);
    });
}

void KwsFile::importProgramBankFile (std::function<void (bool)> done)
{
    model.clearImport();
    auto& files = freshFileMan();
    files.browseForFile ('b', kBankFileDialog, {}, [this, &files, done] (bool confirmed) {
        const bool imported = confirmed && model.importProgramBankFile (files.getChosenPath());
        if (done)
            done (imported);
    });
}

void KwsFile::saveLibraryAs (std::function<void (LibraryFile::WriteResult)> done)
{
    auto& files = freshFileMan();
    files.browseForFile ('c', kSaveLibraryDialog, kSaveAsDefaultName, [this, &files, done] (bool confirmed) {
        if (! confirmed)
            return;
        const auto result = writeLibraryFile (juce::File (files.getChosenPath()));
        if (done)
            done (result);
    });
}
