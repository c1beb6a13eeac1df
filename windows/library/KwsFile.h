#pragma once

#include "windows/library/LibraryModel.h"
#include "windows/library/ProgramRowList.h"

#include <functional>
#include <memory>

class FileMan;

// Codes of KwsFileListener::fileListChanged.
enum KwsFileEventCode : int
{
    kFileRowSelected = 201,       // value: the library index of the selected row
    kFileCategoriesCounted = 202, // value: always kCountsValue
};

class KwsFileListener
{
public:
    virtual ~KwsFileListener() = default;
    virtual void fileListChanged (int code, int value) = 0;
    virtual void fileListDoubleClicked (int, int) = 0; // always (0, 0)
};

// The program library and its list: one row per program, optionally only
// the programs of one category. The list is rebuilt after every change of the
// library, which clears the selection and scrolls to the top.
class KwsFile : public ProgramRowList
{
public:
    enum FilterMode : int
    {
        kAllCategories = 0,
        kOneCategory = 1
    };

    static constexpr int kCountsValue = 100;

    KwsFile();
    ~KwsFile() override;

    LibraryModel& getModel() noexcept { return model; }
    const LibraryModel& getModel() const noexcept { return model; }

    // Registration takes the lock and ignores duplicates; notification walks
    // the listeners, the last added first, without it.
    void addListener (KwsFileListener* listener);
    void notifyListeners (int code, int value);

    void rebuildList (int mode);
    void selectRow (int row); // reports 201; does not scroll the row into view
    void setFilterCategory (int category) noexcept { filterCategory = category; }
    int getFilterCategory() const noexcept { return filterCategory; }
    int getFilterMode() const noexcept { return filterMode; }
    int getSelectedLibraryIndex() const noexcept { return selectedLibraryIndex; }
    int getLibraryIndex (int row) const noexcept { return rowIndex[row]; }

    // Library changes, each followed by a rebuild of the list.
    void applyImport (bool append);
    void addProgram (const juce::String& name, const juce::MemoryBlock& program);
    void deleteSelected();
    void clearLibrary();
    void countCategories();

    // The default library file in the settings folder. An empty library
    // writes nothing, so the previous file stays.
    void loadDefaultLibrary();
    LibraryFile::WriteResult saveDefaultLibrary() const;
    LibraryFile::WriteResult writeLibraryFile (const juce::File& file) const { return model.writeLibraryFile (file); }

    // Open and save dialogs; each answers through its callback once the user
    // has chosen. The import ones get false when the dialog was cancelled;
    // saving calls back only when a file was chosen.
    void loadLibraryFileForImport (std::function<void (bool)> done);
    void importProgramBankFile (std::function<void (bool)> done);
    void saveLibraryAs (std::function<void (LibraryFile::WriteResult)> done);

protected:
    juce::String getRowName (int row) const override;
    int getRowCategory (int row) const override;
    void rowPressed (int row, const juce::MouseEvent& e) override;
    void listDoubleClicked() override;

private:
    FileMan& freshFileMan();

    LibraryModel model;
    // Additions only, under the lock; notification walks without it.
    juce::Array<KwsFileListener*> listeners;
    juce::CriticalSection listenerLock;

    int filterMode = kAllCategories;
    int filterCategory = 0;
    juce::Array<int> rowIndex; // library index of each listed row
    int selectedLibraryIndex = -1;
    std::unique_ptr<FileMan> fileMan; // lives while its dialog is open

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KwsFile)
};
