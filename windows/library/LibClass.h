#pragma once

#include "editor/widgets/LibBut.h"
#include "editor/widgets/SimpleLabel.h"
#include "windows/library/CatContainer.h"
#include "windows/library/KwsFile.h"
#include "windows/library/TextInputCont.h"

class VellixAudioProcessor;
class Bank_Program;

// The LIBRARY page of the library window: the program library's list, its
// buttons and LOAD menu, and the questions their commands ask in the overlay.
// A selected row becomes the plug-in's current program at once; nothing is
// sent to the synthesizer. Message thread only.
class LibClass : public juce::Component,
                 public LibButListener,
                 public textmsgListener,
                 public KwsFileListener,
                 public CatListener
{
public:
    enum ButtonIndex : int
    {
        kLoadButton,
        kSaveButton,
        kClearButton,
        kApplyButton,
        kRenameButton,
        kDeleteButton,
        kAddButton,
        kDoneButton,
        kNumButtons
    };

    enum ButtonId : int
    {
        kDoneId = 1201,
        kRenameId = 1203,
        kDeleteId = 1204,
        kClearAllId = 1205,
        kApplyId = 1206,
        kAddCurrentId = 1207,
        kSaveId = 1209,
        kLoadId = 1319
    };

    enum LoadMenuId : int
    {
        kLoadBankA = 100, // B and C follow
        kLoadLibraryFile = 200,
        kLoadProgramBankFile = 300,
        kLoadPresetBank = 777
    };

    // The question an answer belongs to, as dialog id and kind.
    enum class Question
    {
        append,          // 256 / 5
        saveThenReplace, // 256 / 6
        saveThenClear,   // 768 / 6
        remove,          // 1024 / 0
        rename,          // 1280 / 0
        add,             // 1536 / 0
        alreadyThere     // 0 / 0
    };

    // What follows a Save as that was asked before replacing or clearing.
    enum class AfterSave
    {
        nothing,
        replaceWithImport,
        clearLibrary
    };

    static constexpr int kPageWidth = 1000, kPageHeight = 528;
    static constexpr int kListRows = 15;
    static constexpr int kRowAreaWidth = 302, kListWidth = 334;
    static constexpr int kCategoryCount = 26; // the filter's LIST ALL comes after the named ones

    explicit LibClass (VellixAudioProcessor& processor);
    ~LibClass() override;

    void loadDefaultLibrary();

    KwsFile& getList() noexcept { return *list; }
    LibBut& getButton (int index) noexcept { return *buttons[(size_t) index]; }
    TextInputCont* getQuestion() noexcept { return question.get(); }
    SimpleLabel& getTitleLabel() noexcept { return *titleLabel; }
    CatContainer& getCategoryFilter() noexcept { return *categoryFilter; }
    juce::Label& getStatusLabel() noexcept { return statusLabel; }

    void updateButtons();
    void applySelectedProgram();

    // The LOAD menu; each choice goes to the handler, which tests call with an item id.
    void showLoadMenu();
    void handleLoadMenu (int itemId);
    // After an import source has filled the import buffer: an empty library
    // takes it at once, otherwise the user is asked.
    void importReady();
    void importFromPresetBank();

    void renameSelected();
    void deleteSelected();
    void addCurrentProgram();
    void addCurrentNamed (const juce::String& name, int category);
    void applyRename();

    // Save as; replacing or clearing follows only a save that was written.
    void saveLibraryAs (AfterSave then);
    void saveLibraryFinished (AfterSave then, LibraryFile::WriteResult result);

    // Index 26 lists every category; the others list one.
    void categorySelected (int index) override;

    static int dialogIdOf (Question q) noexcept;
    static int kindOf (Question q) noexcept;

    void mouseDown (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;
    void resized() override;

    void libButtonClicked (LibBut* button, int id) override;
    void libButtonEntered (LibBut* button, int id) override;
    void libButtonExited (LibBut* button, int id) override;

    void textMsgAccepted (int dialogId, int kind) override;
    void textMsgDeclined (int dialogId, int kind) override;
    void textMsgCancelled (int dialogId, int kind) override;

    void fileListChanged (int code, int value) override;
    void fileListDoubleClicked (int, int) override;

private:
    void ask (Question q, const juce::String& message = {}, const juce::String& text = {}, int category = -1);
    void closeQuestion();
    void showCategoryCounts();
    bool hasSelectedProgram() const noexcept;
    void importFromBankCopy (const Bank_Program& bank);
    juce::String currentProgramName() const;

    VellixAudioProcessor& processor;
    std::unique_ptr<KwsFile> list;
    std::unique_ptr<SimpleLabel> titleLabel;
    std::unique_ptr<CatContainer> categoryFilter;
    std::array<std::unique_ptr<LibBut>, kNumButtons> buttons;
    juce::Label statusLabel;
    std::unique_ptr<TextInputCont> question; // made on the first question, then reused

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LibClass)
};
