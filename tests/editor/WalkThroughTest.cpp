#include "core/storage/PortSettingsFile.h"
#include "editor/ProgramCategoryNames.h"
#include "editor/keyboard/KeyboardRig.h"
#include "windows/library/LibraryFile.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ProgramImage;

namespace
{
constexpr int kResonance = 21;
constexpr int kFilterEnvelope = 0;
constexpr int kFilterAttack = EditorTables::kEnvelopeFirstPosition[kFilterEnvelope]; // then decay, sustain, release
constexpr int kTrack1Step6 = SeqClass::kFirstPosition + 5;
constexpr int kWrittenBank = 1, kWrittenProgram = 9; // B:010
constexpr int kFineTune = 1;                         // a global turned by its knob
constexpr const char* kWrittenName = "Walk Lead";
constexpr const char* kWrittenCategory = "Bright Lead";
// Each wait ends as soon as its condition holds; on a busy machine under the
// sanitizers it may take long.
constexpr int kPatienceMs = 20000;

// A note event as the synthesizer heard it: on or off, and the note.
using NoteEvent = std::pair<bool, int>;

// The item of a menu reached by the texts along its submenus; 0 when there is none.
int itemIdOf (const juce::PopupMenu& menu, std::vector<juce::String> path)
{
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
    {
        const auto& item = it.getItem();
        if (item.text.trim() != path.front().trim())
            continue;
        if (path.size() == 1)
            return item.itemID;
        if (item.subMenu != nullptr)
            return itemIdOf (*item.subMenu, { path.begin() + 1, path.end() });
    }
    return 0;
}

int categoryNumber (const juce::String& name)
{
    for (int category = 0; category < kNumProgramCategories; ++category)
        if (getCategoryName (category) == name)
            return category;
    return -1;
}

// One user's first session: the editor opens in a window on the display with
// no ports chosen yet, the simulated synthesizer waits on a pair of virtual
// ports, and every step is made with the mouse and the keys.
struct WalkThrough : testing::Test, KeyboardRig
{
    WalkThrough() : KeyboardRig (Ports::notChosenYet)
    {
        // The sound on the synthesizer: its first program, with the knob, the
        // envelope and the sequencer step the walk edits set where a hand can
        // move each, and the envelope's handles apart.
        sound = synth->getProgram (0, 0);
        sound[kResonance] = 50;
        for (const auto& [position, value] : { std::pair { kFilterAttack, 40 }, { kFilterAttack + 1, 40 },
                                               { kFilterAttack + 2, 64 }, { kFilterAttack + 3, 40 }, { kTrack1Step6, 10 } })
            sound[(size_t) position] = (juce::uint8) value;
        synth->setEditBuffer (sound);
        synth->setGlobal (kFineTune, 50);

        for (int bank = 0; bank < SimulatedMopho::kNumBanks; ++bank)
            for (int program = 0; program < SimulatedMopho::kNumPrograms; ++program)
                synthBanksBefore.push_back (synth->getProgram (bank, program));
        for (int slot = 0; slot < MidiCntrState::kNumGlobalValues; ++slot)
            synthGlobalsBefore.push_back (synth->getGlobal (slot));

        // The player asks the framework which keys are held, which knows only
        // the keys the X server delivered: the hand's keys answer instead.
        drawer().getPlayer().isKeyDown = [this] (int keyCode) { return keys.isDown (keyCode); };

        editor->addToDesktop (juce::ComponentPeer::windowIsTemporary);
        editor->setVisible (true);
    }

    bool eventually (const std::function<bool()>& condition, int timeoutMs = kPatienceMs) { return runUntil (condition, timeoutMs); }

    EditorPanel& panel() { return main->getEditorPanel(); }
    KwsBut& barButton (int id) { return *main->getAppBar().findButton (id); }
    void click (juce::Component& target) { pointer.click (target, target.getLocalBounds().getCentre()); }

    // A pop-up menu is the framework's own window, which the hand does not
    // steer: the menu the last click opened is closed at once, before the
    // framework closes it by itself because another client on the display took
    // the focus, and the item the user would pick, by its text, is what goes to
    // the menu's handler.
    int choose (const juce::PopupMenu& menu, std::vector<juce::String> path)
    {
        EXPECT_TRUE (juce::PopupMenu::dismissAllActiveMenus()) << "the click opened no menu for " << path.back();
        const int itemId = itemIdOf (menu, path);
        EXPECT_GT (itemId, 0) << path.back();
        return itemId;
    }

    // The framework gives a component the focus only while its window holds
    // the display's focus, which another client may take back between the
    // press and that check: a hand presses again.
    bool giveFocus (juce::Component& target, juce::Point<int> at)
    {
        for (int press = 0; press < 3 && ! target.hasKeyboardFocus (false); ++press)
            pointer.click (target, at);
        return target.hasKeyboardFocus (false);
    }

    std::vector<NoteEvent> noteEvents()
    {
        std::vector<NoteEvent> events;
        for (const auto& m : notes())
            events.emplace_back (m.isNoteOn(), m.getNoteNumber());
        return events;
    }

    juce::String status() { return main->getAppBar().getStatusLabel().getLabelText(); }
    juce::File fileNamed (const char* name) const { return getSettingsFolder().getChildFile (name); }

    //==============================================================================
    // The about box greets the first opening and closes by itself; until then
    // it takes every click.
    void letTheFirstAboutBoxClose()
    {
        ASSERT_NE (main->getAboutPanel(), nullptr) << "the first opening greets with the about box";
        ASSERT_TRUE (eventually ([&] { return main->getAboutPanel() == nullptr; }));
        EXPECT_EQ (status(), MainComp::kOffLineText);
    }

    // MIDI, a press in each port's field and the simulator's port from its
    // menu; the synthesizer answers, and OK keeps the ports for the next start.
    void chooseThePortsOnTheSetupPage()
    {
        click (barButton (AppBar::kMidi));
        auto* setup = main->getMidiSetup();
        ASSERT_NE (setup, nullptr);

        using PortMenu = MIDI_Setup::PortMenu;
        for (const auto& [which, name] : { std::pair { PortMenu::input, fromSynth.getInfo().name },
                                           { PortMenu::output, toSynth.getInfo().name } })
        {
            pointer.click (*setup, fieldOf (which));
            setup->handlePortMenu (which, choose (setup->buildPortMenu (which), { name }));
        }

        ASSERT_TRUE (eventually ([&] { return setup->getStatusLabel().getLabelText() == MainComp::kOnLineText; }))
            << "the synthesizer answers over the ports chosen";
        EXPECT_EQ (status(), MainComp::kOnLineText);
        EXPECT_TRUE (fromSynth.isOpen() && toSynth.isOpen());

        click (setup->getOkButton());
        ASSERT_TRUE (eventually ([&] { return main->getMidiSetup() == nullptr; }));
    }

    // The middle of a port's field, found by the page's own reading of a press.
    juce::Point<int> fieldOf (MIDI_Setup::PortMenu which)
    {
        juce::Rectangle<int> field;
        for (int y = 0; y < main->getHeight(); y += 2)
            for (int x = 0; x < main->getWidth(); x += 2)
                if (MIDI_Setup::portMenuAt ({ x, y }) == which)
                    field = field.isEmpty() ? juce::Rectangle<int> (x, y, 1, 1) : field.getUnion ({ x, y, 1, 1 });
        return field.getCentre();
    }

    // Recv brings the synthesizer's sound into the editor.
    void receiveTheEditBuffer()
    {
        click (barButton (AppBar::kRecv));
        ASSERT_TRUE (eventually ([&] { return panel().getControl (kResonance).getDisplayedValue() == sound[kResonance]; }));
        EXPECT_EQ (hub().getEditBufferImage(), sound);
        EXPECT_EQ (main->getProgramDisplay().getNameText(), readName (toArray (sound), kNameOffset));
        edited = sound;
    }

    // The filter's resonance knob dragged to the right.
    void turnAKnob()
    {
        auto& knob = panel().getControl (kResonance);
        const int turn = 10;
        const int wanted = juce::jlimit (knob.getMinimum(), knob.getMaximum(),
                                         KwsCont::dragValue (turn, 0, knob.getDisplayedValue(), knob.getMaximum()));
        ASSERT_NE (wanted, knob.getDisplayedValue());

        pointer.drag (knob, knob.getLocalBounds().getCentre(), { turn, 0 });

        ASSERT_TRUE (eventually ([&] { return knob.getDisplayedValue() == wanted; }));
        ASSERT_TRUE (eventually ([&] { return synth->getEditBuffer()[kResonance] == wanted; })) << "the synthesizer follows";
        edited[kResonance] = (juce::uint8) wanted;
    }

    // The filter section magnified, and its envelope's attack handle pulled right.
    void dragAnEnvelopeHandleInThePopUp()
    {
        // A right press on a control of the filter opens the filter's section.
        auto& knob = panel().getControl (kResonance);
        pointer.rightClick (knob, knob.getLocalBounds().getCentre());
        auto& popUp = main->getSectionEditor();
        ASSERT_TRUE (eventually ([&] { return popUp.isVisible(); }));
        EXPECT_EQ (popUp.getShownSection(), kFilterEnvelope);

        auto& view = popUp.getEnvelope (kFilterEnvelope);
        const int pull = 12;
        const int wanted = juce::jlimit (0, Envel::kStageMaximum, (int) view.getStage (Envel::attack) + Envel::dragSteps (pull));
        pointer.drag (view, (view.getCorner (1) * view.getScale()).roundToInt(), { pull, 0 });

        ASSERT_TRUE (eventually ([&] { return panel().getEnvelope (kFilterEnvelope).getStage (Envel::attack) == (float) wanted; }));
        ASSERT_TRUE (eventually ([&] { return synth->getEditBuffer()[kFilterAttack] == wanted; }));
        edited[kFilterAttack] = (juce::uint8) wanted;

        // A press beside the box closes it.
        const auto box = popUp.getBox().toNearestInt();
        pointer.click (popUp, { box.getX() / 2, box.getCentreY() });
        ASSERT_TRUE (eventually ([&] { return ! popUp.isVisible(); }));
    }

    // SEQUENCER, Edit on track 1, a step dragged, OK, and PROGRAM back.
    void editAStepInTheSequencer()
    {
        click (panel().getSequencerButton());
        ASSERT_TRUE (eventually ([&] { return main->getViewMode() == MainComp::kSequencerView; }));
        auto& page = main->getSeqPanel();

        click (page.getEditButton (0));
        ASSERT_TRUE (eventually ([&] { return page.isTrackEditorShown() && page.getEditedTrack() == 0; }));

        // Step 6 of track 1, dragged down to the middle of the track.
        auto& track = page.getTrack (0);
        const int step = kTrack1Step6 - SeqClass::kFirstPosition, x = step * track.getStepWidth() + track.getStepWidth() / 2;
        const int from = track.getHeight() / 3, to = track.getHeight() / 2;
        const int wanted = SeqClass::dragValue ((float) to, (float) track.getHeight() / SeqClass::kReferenceHeight);
        ASSERT_NE (wanted, edited[kTrack1Step6]);
        pointer.drag (track, { x, from }, { 0, to - from });

        ASSERT_TRUE (eventually ([&] { return track.getShownValue (step) == wanted; }));
        ASSERT_TRUE (eventually ([&] { return synth->getEditBuffer()[kTrack1Step6] == wanted; }));
        edited[kTrack1Step6] = (juce::uint8) wanted;

        click (page.getOkButton());
        ASSERT_TRUE (eventually ([&] { return ! page.isTrackEditorShown(); }));
        click (page.getProgramButton());
        ASSERT_TRUE (eventually ([&] { return main->getViewMode() == MainComp::kProgramView; }));

        EXPECT_EQ (hub().getEditBufferImage(), edited);
        EXPECT_EQ (synth->getEditBuffer(), edited) << "the synthesizer holds every edit";
    }

    // BANK, then MIDI > Receive Program Bank > Bank B: the transfer overlay
    // covers the editor until the 128 programs are in.
    void receiveBankBWithTheOverlay()
    {
        click (barButton (AppBar::kBank));
        ASSERT_TRUE (eventually ([&] { return main->isBankPageShown(); }));

        click (main->getBankPage().getMenuButton (kBankPageMidi));
        main->getBankPage().dispatchPendingMessages(); // the page asks the editor for the menu
        main->handleBankTransferMenu (choose (main->buildBankTransferMenu(), { "Receive Program Bank", "Bank B" }));
        auto* overlay = main->getTransferOverlay();
        ASSERT_NE (overlay, nullptr);
        EXPECT_TRUE (overlay->isVisible() && overlay->isCurrentlyModal());

        ASSERT_TRUE (eventually ([&] { return main->getTransferOverlay() == nullptr && ! hub().isTransferBusy(); }, 3 * kPatienceMs));
        for (int program = 0; program < Bank_Program::kNumPrograms; ++program)
            ASSERT_EQ (hub().getProgramImage (1, program), synth->getProgram (1, program)) << program;
    }

    // A category button lists that category's programs across the three banks.
    void browseACategory()
    {
        auto& page = main->getBankPage();
        auto& grid = page.getGrid();
        const int category = (*hub().getProgramImage (1, 0))[(size_t) kCategoryOffset];

        click (page.getCategoryButton (category));

        ASSERT_TRUE (eventually ([&] { return grid.getListMode() == kGridCategory && grid.getListParameter() == category; }));
        int inBanks = 0;
        for (int bank = 0; bank < MidiCntrState::kNumHardwareBanks; ++bank)
            for (int program = 0; program < Bank_Program::kNumPrograms; ++program)
                inBanks += (*hub().getProgramImage (bank, program))[(size_t) kCategoryOffset] == category ? 1 : 0;
        EXPECT_EQ (grid.getRowCount(), inBanks);
        bool receivedBankListed = false;
        for (int row = 0; row < grid.getRowCount(); ++row)
        {
            const auto [bank, program] = grid.entryAt (row);
            EXPECT_EQ ((*hub().getProgramImage (bank, program))[(size_t) kCategoryOffset], category) << row;
            receivedBankListed = receivedBankListed || bank == 1;
        }
        EXPECT_TRUE (receivedBankListed);
    }

    // WRITE over the bank page: slot B:010, a new name typed, a category, WRITE;
    // then CANCEL and OK close the pages.
    void writeToB010()
    {
        click (barButton (AppBar::kWrite));
        ASSERT_TRUE (eventually ([&] { return main->getWritePage() != nullptr; }));
        auto& page = *main->getWritePage();
        auto& display = page.getDisplay();

        click (page.getBankButton (kWrittenBank));
        auto& grid = page.getGrid();
        ASSERT_TRUE (eventually ([&] { return grid.getListParameter() == kWrittenBank; }));
        const int row = kWrittenProgram - grid.getFirstVisibleRow();
        ASSERT_TRUE (row >= 0 && row < grid.getVisibleRows()) << "B:010 is in sight";
        pointer.click (grid, { grid.getWidth() / 4, row * grid.rowHeight + grid.rowHeight / 2 });
        ASSERT_TRUE (eventually ([&] { return display.getNumberText() == "B:010"; }));

        // The name: a press on the display's lower line opens the rename box.
        pointer.click (display, { display.getWidth() / 3, display.getHeight() * 3 / 4 });
        ASSERT_TRUE (eventually ([&] { return page.getRenameBox() != nullptr; }));
        auto& field = page.getRenameBox()->getTextEditor();
        ASSERT_TRUE (giveFocus (field, field.getLocalBounds().getCentre()));
        keys.type (kWrittenName);
        EXPECT_EQ (field.getText(), kWrittenName);
        click (page.getRenameBox()->getOkButton());
        ASSERT_TRUE (eventually ([&] { return page.getRenameBox() == nullptr; }));
        EXPECT_EQ (display.getNameText().trimEnd(), kWrittenName);

        // The category: a press on the display's upper line, right of the number.
        pointer.click (display, { display.getWidth() * 2 / 3, display.getHeight() / 4 });
        display.dispatchPendingMessages(); // the display asks the page for the menu
        page.chooseCategory (choose (buildCategoryMenu(), { kWrittenCategory }) - 1);
        EXPECT_EQ (display.getCategoryText(), kWrittenCategory);

        click (page.getWriteButton());
        written = edited;
        const auto name = encodeName (kWrittenName);
        std::copy (name.begin(), name.end(), written.begin() + kNameOffset);
        written[(size_t) kCategoryOffset] = (juce::uint8) categoryNumber (kWrittenCategory);
        ASSERT_TRUE (eventually ([&] { return synth->getProgram (kWrittenBank, kWrittenProgram) == written; }));
        EXPECT_EQ (hub().getProgramImage (kWrittenBank, kWrittenProgram), written);

        click (page.getCancelButton());
        ASSERT_TRUE (eventually ([&] { return main->getWritePage() == nullptr; }));
        click (main->getBankPage().getOkButton());
        ASSERT_TRUE (eventually ([&] { return ! main->isBankPageShown(); }));
        ASSERT_TRUE (eventually ([&] { return main->getProgramDisplay().getNumberText() == "B:010"; }))
            << "the slot written is the program in hand";
        EXPECT_EQ (hub().getEditBufferImage(), written);
    }

    // The drawer pulled up by its handle, a piano key and the computer keyboard
    // played, and the drawer pushed down again.
    void playTheDrawer()
    {
        auto& drawer = this->drawer();
        const juce::Point<int> handle { drawer.getWidth() / 4,
                                        juce::roundToInt ((float) KeyBrd::kHandleHeight * hub().getEditorScale() / 2.0f) };
        ASSERT_EQ (drawer.getY(), drawer.closedTop());
        pointer.drag (drawer, handle, { 0, drawer.openTop() - drawer.closedTop() });
        ASSERT_EQ (drawer.getY(), drawer.openTop()) << "pulled up, it snaps open";

        // A white key of the piano, held and let go.
        auto& overlay = drawer.getPiano().getOverlay();
        auto& key = drawer.getPiano().getKey (24);
        ASSERT_EQ (key.getType(), PianoKey::white);
        const auto onKey = overlay.getLocalPoint (&key, juce::Point<int> { key.getWidth() / 2, key.getHeight() * 4 / 5 });
        pointer.send (overlay, onKey, {});
        pointer.send (overlay, onKey, juce::ModifierKeys::leftButtonModifier);
        ASSERT_TRUE (key.isPressed());
        const int pianoNote = key.getSoundingNote();
        pointer.send (overlay, onKey, {});

        // The computer keyboard, once the player has the focus: a chord of two
        // keys let go one after the other, then an octave up and one key.
        auto& player = drawer.getPlayer();
        ASSERT_TRUE (giveFocus (player, { 20, player.getHeight() / 2 }));
        EXPECT_EQ (drawer.getY(), drawer.openTop()) << "a click on the player leaves the drawer where it is";
        const int base = player.getBaseNote();
        keys.press ('Z', 'z');
        keys.press ('C', 'c');
        keys.release ('Z');
        keys.release ('C');
        keys.press ('P', 'p');
        keys.release ('P');
        keys.press ('Z', 'z');
        keys.release ('Z');

        EXPECT_EQ (noteEvents(), (std::vector<NoteEvent> { { true, pianoNote }, { false, pianoNote }, { true, base },
                                                           { true, base + 4 }, { false, base }, { false, base + 4 },
                                                           { true, base + 12 }, { false, base + 12 } }));

        pointer.drag (drawer, handle, { 0, drawer.closedTop() - drawer.openTop() });
        EXPECT_EQ (drawer.getY(), drawer.closedTop()) << "pushed down, it snaps shut";
    }

    // The library window from the bar's tool button: the program written into
    // the library, which is saved; bank B into the presets, saved as an .fxb,
    // overwritten and read back; DONE.
    void keepTheProgramInTheLibraryAndTheBankInAnFxb()
    {
        pointer.click (main->getAppBar().getToolButton(), { 18, 12 });
        ASSERT_TRUE (eventually ([&] { return main->getLibraryWindow() != nullptr && main->getLibraryWindow()->isVisible(); }));
        auto& window = *main->getLibraryWindow();
        auto& content = window.getContent();

        // LIBRARY: the current program added under the name it carries.
        click (content.getTab (1));
        ASSERT_NE (content.getLibraryPage(), nullptr);
        auto& library = *content.getLibraryPage();
        click (library.getButton (LibClass::kAddButton));
        auto* question = library.getQuestion();
        ASSERT_TRUE (question != nullptr && question->isVisible());
        EXPECT_EQ (question->getText(), kWrittenName);
        click (question->getButton (TextInputCont::kAcceptId));
        ASSERT_EQ (library.getList().getModel().getLibrary().getNumPrograms(), 1);
        EXPECT_EQ (library.getList().getModel().getLibrary().getProgramName (0).trimEnd(), kWrittenName);

        // SAVE opens the system's file dialog, which no hand here can work: the
        // walk goes on from the path the dialog would answer.
        library.saveLibraryFinished (LibClass::AfterSave::nothing, library.getList().writeLibraryFile (fileNamed ("Walk.m_l")));

        // PRESET BANK: bank B becomes the presets.
        click (content.getTab (0));
        ASSERT_NE (content.getPresetBankPage(), nullptr);
        auto& presets = *content.getPresetBankPage();
        const auto load = [&] (const char* item) {
            click (presets.getButton (Plugin_Bank::kLoadButton));
            return choose (presets.buildLoadMenu(), { item });
        };
        presets.handleLoadMenu (load ("Load From Program Bank B"));
        EXPECT_EQ (processor->getProgramName (kWrittenProgram).trimEnd(), kWrittenName);

        // Saved to an .fxb, replaced by bank A, and read back: the file's items
        // open file dialogs, so their paths go where the dialogs' answers go.
        click (presets.getButton (Plugin_Bank::kSaveButton));
        EXPECT_GT (choose (presets.buildSaveMenu(), { "Save Preset Bank as" }), 0);
        ASSERT_TRUE (presets.saveFxBank (fileNamed ("Walk.fxb").getFullPathName()));
        presets.handleLoadMenu (load ("Load From Program Bank A"));
        EXPECT_EQ (processor->getHostBank().getProgramBlock (0), hub().getProgramImage (0, 0));
        EXPECT_GT (load ("Load Preset Bank File"), 0);
        presets.loadFxBank (fileNamed ("Walk.fxb").getFullPathName());
        EXPECT_EQ (processor->getHostBank().getProgramBlock (0), hub().getProgramImage (1, 0));

        click (presets.getButton (Plugin_Bank::kDoneButton));
        ASSERT_TRUE (eventually ([&] { return ! window.isVisible(); }));
    }

    // MIDI, GLOBALS, and the fine-tune knob dragged; the page stays open as the
    // editor closes.
    void changeAGlobal()
    {
        click (barButton (AppBar::kMidi));
        auto* setup = main->getMidiSetup();
        ASSERT_NE (setup, nullptr);
        click (setup->getGlobalsButton());
        ASSERT_TRUE (eventually ([&] { return setup->getGlobalPanel() != nullptr; }));

        auto& knob = *setup->getGlobalPanel()->getRow (kFineTune);
        ASSERT_TRUE (eventually ([&] { return knob.getValue() == synth->getGlobal (kFineTune); }));
        const int turn = 20, maximum = knob.getDescriptor().maximum;
        fineTune = juce::jlimit (0, maximum, GlobalPanelMaths::dragValue (knob.getValue(), turn, 0, maximum));
        ASSERT_NE (fineTune, knob.getValue());

        pointer.drag (knob, knob.getLocalBounds().getCentre(), { turn, 0 });

        EXPECT_EQ (knob.getValue(), fineTune);
        ASSERT_TRUE (eventually ([&] { return synth->getGlobal (kFineTune) == fineTune; })) << "the synthesizer follows";
    }

    //==============================================================================
    Pointer pointer;
    Keys keys;
    Block sound {}, edited {}, written {};
    int fineTune = -1;
    std::vector<Block> synthBanksBefore;
    std::vector<int> synthGlobalsBefore;
};
} // namespace

TEST_F (WalkThrough, EveryViewOnceLeavesEachPlaceHoldingWhatTheStepsPutThere)
{
    ASSERT_NO_FATAL_FAILURE (letTheFirstAboutBoxClose());
    ASSERT_NO_FATAL_FAILURE (chooseThePortsOnTheSetupPage());
    ASSERT_NO_FATAL_FAILURE (receiveTheEditBuffer());
    ASSERT_NO_FATAL_FAILURE (turnAKnob());
    ASSERT_NO_FATAL_FAILURE (dragAnEnvelopeHandleInThePopUp());
    ASSERT_NO_FATAL_FAILURE (editAStepInTheSequencer());
    ASSERT_NO_FATAL_FAILURE (receiveBankBWithTheOverlay());
    ASSERT_NO_FATAL_FAILURE (browseACategory());
    ASSERT_NO_FATAL_FAILURE (writeToB010());
    ASSERT_NO_FATAL_FAILURE (playTheDrawer());
    ASSERT_NO_FATAL_FAILURE (keepTheProgramInTheLibraryAndTheBankInAnFxb());
    ASSERT_NO_FATAL_FAILURE (changeAGlobal());

    // As a host closes its window: the editor goes, the processor stays.
    close();

    // The synthesizer: B:010 holds the program written; every other slot and
    // global is as it was, but the fine tune.
    for (int bank = 0; bank < SimulatedMopho::kNumBanks; ++bank)
        for (int program = 0; program < SimulatedMopho::kNumPrograms; ++program)
        {
            const bool wasWritten = bank == kWrittenBank && program == kWrittenProgram;
            EXPECT_EQ (synth->getProgram (bank, program),
                       wasWritten ? written : synthBanksBefore[(size_t) (bank * SimulatedMopho::kNumPrograms + program)])
                << bank << ":" << program;
        }
    for (int slot = 0; slot < MidiCntrState::kNumGlobalValues; ++slot)
        EXPECT_EQ (synth->getGlobal (slot), slot == kFineTune ? fineTune : synthGlobalsBefore[(size_t) slot]) << slot;

    // The host's state: bank B as the presets, the program written in hand,
    // the first preset current; and the .fxb on disk is that same state.
    juce::MemoryBlock state;
    processor->getStateInformation (state);
    ASSERT_EQ ((int) state.getSize(), HostChunk::kBankChunkSize);
    const auto* bytes = static_cast<const juce::uint8*> (state.getData());
    EXPECT_EQ (juce::String::fromUTF8 ((const char*) bytes, HostChunk::kBankMarkerSize), HostChunk::kBankMarker);
    for (int slot = 0; slot < VellixAudioProcessor::kNumHostPrograms; ++slot)
    {
        const auto program = synth->getProgram (kWrittenBank, slot);
        EXPECT_TRUE (std::equal (program.begin(), program.end(), bytes + HostChunk::kBankSlotsOffset + slot * kSize)) << slot;
    }
    EXPECT_TRUE (std::equal (written.begin(), written.end(), bytes + HostChunk::kBankCurrentOffset));
    EXPECT_EQ (bytes[HostChunk::kBankIndexOffset], 0);
    EXPECT_EQ (fileNamed ("Walk.fxb").getSize(), HostChunk::kBankChunkSize);
    EXPECT_EQ (readFileToBlock (fileNamed ("Walk.fxb")), state);

    // The library, as saved and as the closing editor kept it.
    for (const auto& file : { fileNamed ("Walk.m_l"), getDefaultLibraryFile() })
    {
        const auto library = LibraryFile::read (file);
        ASSERT_EQ (library.getNumPrograms(), 1) << file.getFileName();
        EXPECT_TRUE (std::equal (written.begin(), written.end(), library.getProgramData (0))) << file.getFileName();
    }

    // The ports chosen, for the next start.
    EXPECT_EQ (readFileToBlock (getPortSettingsFile()),
               PortSettingsFile::build ({ fromSynth.getInfo().name, toSynth.getInfo().name, MIDI_Setup::kNoPort, "0" }));

    // Silence: every note played was let go.
    EXPECT_FALSE (notes().empty());
    EXPECT_TRUE (soundingNotes().empty());
}
