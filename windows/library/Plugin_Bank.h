#pragma once

#include "editor/widgets/LibBut.h"
#include "windows/library/Plugin_File.h"
#include "windows/library/TextInputCont.h"
#include "windows/library/TextSetCurCont.h"

class VellixAudioProcessor;
class FileMan;

// The PRESET BANK page of the library window: the plug-in's 128 presets,
// which the host saves with its project. Nothing here is sent to the
// synthesizer. Message thread only; the presets are reached through the
// processor's state path or under the hub's image lock, never for longer
// than a copy, so a block being processed meanwhile sees whole programs.
class Plugin_Bank : public juce::Component,
                    public LibButListener,
                    public textmsgListener,
                    public PlugFileListener,
                    public juce::ChangeBroadcaster,
                    public textSetCurListener
{
public:
    enum ButtonIndex : int
    {
        kLoadButton,
        kSaveButton,
        kApplyButton,
        kRenameButton,
        kSetCurrentButton,
        kDoneButton,
        kNumButtons
    };

    enum ButtonId : int
    {
        kDoneId = 1201,
        kRenameId = 1203,
        kApplyId = 1206,
        kSaveId = 1209,
        kLoadId = 1211,
        kSetCurrentId = 1316
    };

    enum MenuId : int
    {
        kLoadBankFile = 10,
        kLoadPresetFile = 11,
        kLoadProgramBankFile = 14,
        kSaveBankFile = 20,
        kSavePresetFile = 21,
        kLoadHardwareBankA = 100, // B and C follow
    };

    static constexpr int kCloseRequest = 1113;
    static constexpr int kRenameDialogId = 1203;
    static constexpr int kListRows = 15;

    explicit Plugin_Bank (VellixAudioProcessor& processor);
    ~Plugin_Bank() override;

    Plugin_File& getList() noexcept { return *list; }
    LibBut& getButton (int index) noexcept { return *buttons[(size_t) index]; }
    TextInputCont* getQuestion() noexcept { return question.get(); }
    TextSetCurCont* getSetCurrentDialog() noexcept { return setCurrentDialog.get(); }
    juce::Label& getStatusLabel() noexcept { return statusLabel; }
    int getChangeCode() const noexcept { return changeCode; }

    void updateButtons();

    // The menus; each choice goes to its handler, which tests call with an item id.
    juce::PopupMenu buildSaveMenu() const;
    juce::PopupMenu buildLoadMenu() const;
    void handleSaveMenu (int itemId);
    void handleLoadMenu (int itemId);

    // What the file dialogs do with the chosen path. Saves replace an old
    // file only once the new one is whole; false when nothing was written.
    bool saveFxPreset (const juce::String& path);
    bool saveFxBank (const juce::String& path);
    void loadFxPreset (const juce::String& path);
    void loadFxBank (const juce::String& path);
    void importHardwareBank (int bank);

    void renameSelected();
    void showSetCurrent();

    void paint (juce::Graphics& g) override;
    void resized() override;

    void libButtonClicked (LibBut* button, int id) override;
    void libButtonEntered (LibBut* button, int id) override;
    void libButtonExited (LibBut* button, int id) override;

    void textMsgAccepted (int dialogId, int kind) override;
    void textMsgDeclined (int dialogId, int kind) override;
    void textMsgCancelled (int dialogId, int kind) override;

    void presetListChanged (int code, int value) override;
    void presetListDoubleClicked (int, int) override;

    void setCurrentAccepted (int targetPreset) override;
    void setCurrentCancelled() override;

private:
    bool hasSelectedPreset() const noexcept;
    juce::String currentPresetName() const;
    void showMenu (const juce::PopupMenu& menu, int buttonIndex, void (Plugin_Bank::*handler) (int));
    void browse (char kind, int mode, const juce::String& defaultName, std::function<void (const juce::String&)> chosen);
    void reportSave (bool written, const juce::String& path);
    void closeQuestion();

    VellixAudioProcessor& processor;
    std::unique_ptr<TextSetCurCont> setCurrentDialog; // made on first use, then reused
    juce::Label statusLabel;
    int changeCode = 0;
    std::array<std::unique_ptr<LibBut>, kNumButtons> buttons;
    std::unique_ptr<Plugin_File> list;
    std::unique_ptr<TextInputCont> question; // made on first use, then reused
    std::unique_ptr<FileMan> fileMan;        // lives while its dialog is open

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Plugin_Bank)
};
