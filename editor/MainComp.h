#pragma once

#include "core/midi/MidiCntrState.h"
#include "core/storage/FileMan.h"
#include "editor/AppBar.h"
#include "editor/BankComp.h"
#include "editor/keyboard/KeyBrd.h"
#include "editor/EditorLook.h"
#include "editor/LCD_Comp.h"
#include "editor/ProgBar.h"
#include "editor/WriteSnd.h"
#include "editor/EditorPanel.h"
#include "editor/FlashPanel.h"
#include "editor/SeqPanel.h"
#include "editor/widgets/KwsBut.h"
#include "windows/library/Lib_Manager_Win.h"
#include "windows/setup/AboutPanel.h"
#include "windows/setup/MIDI_Setup.h"
#include "windows/setup/MIDI_scan.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <vector>

class VellixAudioProcessor;

// The editor's root page: builds and lays out the pages on a 1148 x 700 design
// canvas scaled to the window, follows the hub's events and answers the
// buttons and change messages of its pages.
class MainComp : public juce::Component,
                 public kwsbutListener,
                 public kwsbutChangeListener,
                 public stateListener,
                 public juce::ChangeListener,
                 public juce::ChangeBroadcaster,
                 public MidiCntrStateListener,
                 public winToolListener,
                 public juce::Timer,
                 public juce::AsyncUpdater
{
public:
    static constexpr int kDesignWidth = 1148;
    static constexpr int kDesignHeight = 700;
    static constexpr int kProgramView = 97;
    static constexpr int kSequencerView = 98;

    static constexpr const char* kOnLineText = "DSI:  MOPHO DSK ON-LINE";
    static constexpr const char* kOffLineText = "OFF-LINE";

    explicit MainComp (VellixAudioProcessor& processor);
    ~MainComp() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void layoutChildren();

    // Hub callbacks, on whichever thread posted: they only mark that events
    // wait; the message thread drains them.
    void midiCntrStateChanged (MidiCntrState* hub) override;
    void stateCommandPosted() override;
    void auxStateChanged() override {}

    void handleAsyncUpdate() override;
    void handleUiEvent (juce::int64 code);
    void refreshAll();

    void kwsButtonClicked (int buttonId) override;
    void kwsButtonChanged (KwsBut* sender) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void timerCallback() override {}

    void setViewMode (int mode);
    int getViewMode() const noexcept { return viewMode; }

    //==============================================================================
    // The MIDI setup page (MainCompSetup.cpp): it exists only while shown.
    // Hiding it writes the port file; its reports are applied in order.
    void showMidiSetup (bool show);
    MIDI_Setup* getMidiSetup() const noexcept { return midiSetup.get(); }
    void handleMidiSetupEvent (int code, int value);

    // While the write page is shown, MIDI is ignored and the setup's OK keeps
    // the port file as it is.
    void setWritePageShown (bool shown) noexcept { writePageShown = shown; }
    bool isWritePageShown() const noexcept { return writePageShown; }

    //==============================================================================
    // The library window (MainCompLibrary.cpp): made on first use, only hidden
    // when closed, deleted with the editor.
    void openLibraryWindow();
    void winToolClicked (WinMovCan* sender, int code) override;
    Lib_Manager_Win* getLibraryWindow() const noexcept { return libraryWindow.get(); }
    // The preset list selects the current preset, once its page exists.
    void followCurrentPreset();

    // The about box and the connection help page (MainCompOverlays.cpp): each
    // exists only while shown and asks to be closed with a change message.
    static constexpr int kFirstOpenAboutMs = 2000;
    void showAbout (bool show, int autoCloseMs = 0);
    void showMidiScan (bool show);
    AboutPanel* getAboutPanel() const noexcept { return aboutPanel.get(); }
    MIDI_scan* getMidiScan() const noexcept { return midiScan.get(); }

    AppBar& getAppBar() noexcept { return *appBar; }

    //==============================================================================
    // The bank and write pages (MainCompBank.cpp). The bank page is built with
    // the editor and shown or hidden; the write page exists only while shown,
    // and blocks the other page switches meanwhile.
    enum PageSwitch : int { kWritePageSwitch = 100, kAboutSwitch = 102, kBankPageSwitch = 103, kMidiSetupSwitch = 104 };
    void switchPage (int which, bool show, int autoCloseMs = 0);
    bool isBankPageShown() const noexcept { return bankPageShown; }
    BankComp& getBankPage() noexcept { return *bankPage; }
    void handleBankPageCode (int code);
    void showWritePage (bool show);
    WriteSnd* getWritePage() const noexcept { return writePage.get(); }
    // The edit buffer, with the write page's name and category, into the
    // page's slot of the plug-in's bank and of the synthesizer.
    void writeProgram();

    // The keyboard drawer (MainCompKeyboard.cpp): built with the editor,
    // always on top. Pages above it end at its top edge.
    KeyBrd& getKeyboardDrawer() noexcept { return *keyboardDrawer; }
    int drawerTop() const noexcept;
    void closeKeyboardDrawer();
    int getRefreshCount() const noexcept { return refreshCount; }

    //==============================================================================
    // Menus (MainCompMenus.cpp). Each is built from the model as it stands,
    // shown asynchronously in the editor's one look, and its choice, an item
    // id (0 when dismissed), goes to its handler, which tests call directly.
    juce::PopupMenu buildEditMenu();
    void showEditMenu();
    void handleEditMenu (int itemId);
    juce::PopupMenu buildFileMenu();
    void showFileMenu();
    void handleFileMenu (int itemId);
    juce::PopupMenu buildSendMenu();
    void showSendMenu();
    void handleSendMenu (int itemId);
    juce::PopupMenu buildChannelMenu();
    void showChannelMenu();
    void handleChannelMenu (int itemId);
    juce::PopupMenu buildProgramSelectMenu();
    void showProgramSelectMenu();
    void handleProgramSelectMenu (int itemId);
    juce::PopupMenu buildProgramMenu (int bank, int program);
    void showProgramMenu (int bank, int program);
    void handleProgramMenu (int bank, int program, int itemId);
    // The bank page's menus, attached to the button that opens each.
    juce::PopupMenu buildBankMenu();
    void showBankMenu (juce::Component& button);
    void handleBankMenu (int itemId);
    juce::PopupMenu buildBankFileMenu();
    void showBankFileMenu (juce::Component& button);
    void handleBankFileMenu (int itemId);
    juce::PopupMenu buildBankTransferMenu();
    void showBankTransferMenu (juce::Component& button);
    void handleBankTransferMenu (int itemId);
    // The category chooser of the program display: a category 0-25, or -1.
    void showCategoryChooser();
    void handleCategoryChoice (int category);

    // Commands (MainCompCommands.cpp). The file commands take the path that
    // their dialog chose, so they run without one too; false when nothing
    // was read or written.
    void copyProgram (bool fromBank, int bank, int program);
    void pasteProgram (bool toBank, int bank, int program);
    void refreshFromCurrentProgram();
    bool loadProgramFile (const juce::String& path, bool toBank, int bank, int program);
    bool loadBankFile (const juce::String& path, int bank);
    bool saveProgramFile (const juce::String& path, bool fromBank, int bank, int program);
    bool saveBankFile (const juce::String& path, int bank);
    bool isClipboardValid() const noexcept { return clipboardValid; }
    juce::String getClipboardName() const;

    // The transfer overlay over a bank transfer, and its end.
    void startTransfer (int operation, int startBank);
    void endTransfer();
    ProgBar* getTransferOverlay() const noexcept { return transferOverlay.get(); }

    LCD_Comp& getProgramDisplay() noexcept { return *programDisplay; }
    EditorLook& getLook() noexcept { return *look; }


    // The pages (MainCompPages.cpp): built with the editor, gone with it.
    EditorPanel& getEditorPanel() noexcept { return *editorPanel; }
    static constexpr float kOverviewScale = 456.0f / 1148.0f; // the program page beside the sequencer

    // The pop-up section editor (MainCompSectionEditor.cpp): built with the
    // pages, hidden; it follows the model for its last section, shown or not.
    FlashPanel& getSectionEditor() noexcept { return *sectionEditor; }
    void openSectionEditor (int section);
    void closeSectionEditor();
    // The sequencer view (MainCompSequencer.cpp): the sequencer page's codes
    // (SeqPanelCode) and a value.
    SeqPanel& getSeqPanel() noexcept { return *seqPanel; }
    void handleSequencerEvent (int code, int value);


private:
    void createPages();
    void destroyPages();
    void layoutPages();
    void showProgramByte (int position, int value);

    void createSequencerPage();
    void layoutSequencerPage (float scale);
    bool isProgramPageParked() const;
    void parkProgramPage();
    void showSequencerByte (int position, int value);
    bool handleSequencerChange (juce::ChangeBroadcaster* source);
    void leaveTrackEditor();
    void buildKeyboardDrawer();
    void layoutKeyboardDrawer();
    void followWheels (juce::int64 code);

    void createBankPage();
    void destroyBankPage();
    void layoutBankAndWritePages();
    void followBankContents();
    // The bank and write pages' parts of the buttons and change messages:
    // true when the sender was theirs.
    bool handleBankAndWriteButton (KwsBut* sender);
    bool handleBankPageChange (juce::ChangeBroadcaster* source);

    // Drains the hub's events on the message thread. The hub's callbacks may
    // run on the audio thread, where posting a message could allocate or wait
    // on the message queue's lock: they only set a flag that this polls. A
    // poll with nothing waiting reads the flag and the activity marks, and
    // asks for no repaint.
    // On screen the poll rides on the window's frames, when the framework
    // wakes the message thread to paint anyway, so an idle editor adds no
    // wake-ups of its own; the timer then only stands by, slowly, and takes
    // the poll back at its own rate when no frames come.
    struct EventPump : juce::Timer
    {
        explicit EventPump (MainComp& m) : owner (m) {}
        void timerCallback() override { owner.pumpTick(); }
        MainComp& owner;
    };
    void pumpEvents();
    void pumpTick();

    // The MIDI setup page's part of the change messages: true when the source was its own.
    bool handleMidiSetupChange (juce::ChangeBroadcaster* source);
    void removeMidiSetup();
    bool handleOverlayChange (juce::ChangeBroadcaster* source);
    void retire (std::unique_ptr<juce::Component> overlay);
    void setSettingsEntry (int slot, bool on);

    // The one look of the editor and of every menu it opens: declared first,
    // so it goes last, after every page; the menus are closed before it goes.
    std::unique_ptr<EditorLook> look;
    VellixAudioProcessor& processor;
    MidiCntrState& hub;
    FileMan fileMan;
    std::unique_ptr<AppBar> appBar;
    std::unique_ptr<KeyBrd> keyboardDrawer;

    // The program display, held here at the program editor page's place for
    // it until that page carries it.
    std::unique_ptr<LCD_Comp> programDisplay;
    void createProgramDisplay();
    void placeProgramDisplay();

    // Menus and commands.
    void showMenu (juce::PopupMenu menu, juce::Component* attachedTo, std::function<void (MainComp&, int)> handler);
    // kind 'b' opens, 'c' saves; act gets the chosen path.
    void fileDialog (char kind, int mode, const juce::String& name, std::function<bool (const juce::String&)> act);
    std::unique_ptr<DSI_Program> clipboard;
    bool clipboardValid = false;
    std::unique_ptr<ProgBar> transferOverlay, closedOverlay;

    std::unique_ptr<EditorPanel> editorPanel;
    std::unique_ptr<FlashPanel> sectionEditor;
    void createSectionEditor();
    // The section editor's part of the change messages: true when the source was its own or the page's.
    bool handleSectionEditorChange (juce::ChangeBroadcaster* source);
    std::unique_ptr<SeqPanel> seqPanel;
    int viewMode = kProgramView;
    int refreshCount = 0;
    std::unique_ptr<MIDI_Setup> midiSetup;
    bool writePageShown = false;
    std::unique_ptr<Lib_Manager_Win> libraryWindow;

    std::unique_ptr<MIDI_scan> midiScan;
    std::unique_ptr<AboutPanel> aboutPanel;
    std::vector<std::unique_ptr<juce::Component>> retiredOverlays;

    std::unique_ptr<BankComp> bankPage;
    bool bankPageShown = false;
    std::unique_ptr<WriteSnd> writePage;

    std::atomic<bool> eventsWaiting { false };
    EventPump eventPump { *this };
    bool frameSeen = false;
    juce::VBlankAttachment frames { this, [this] {
        frameSeen = true;
        pumpEvents();
    } };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainComp)
};
