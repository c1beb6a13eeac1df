#include "tools/render/GuideViews.h"

#include "core/midi/MidiCntrState.h"
#include "editor/EditorRig.h"
#include "windows/library/LibClass.h"
#include "windows/library/Plugin_Bank.h"
#include "windows/setup/GlobalDescriptorTable.h"

namespace
{
using G = GlobalDescriptorTable::Global;

// A factory sequence, so that the editor and the sequencer view show a sound
// at work rather than the initial program.
constexpr int kShownBank = 2, kShownProgram = 0;

struct GlobalValue
{
    int index, value;
};

// The synthesizer's globals (indexes as in GlobalDescriptorTable::rows) as
// the setup page's help text asks for them, and as they are when the
// connection help page has something to say.
constexpr GlobalValue globalsAsAsked[] = {
    { 0, 12 }, { 1, 50 }, { 2, 0 }, { 3, 0 }, { 8, 0 }, { 14, 0 },
    { G::kMidiParamSend, 0 }, { G::kMidiParamReceive, 0 }, { G::kMidiControllerEnable, 1 }, { 7, 1 }, { G::kMidiOutSelect, 0 }, { 21, 1 },
};
constexpr GlobalValue globalsToFix[] = {
    { G::kMidiParamSend, 1 }, { G::kMidiParamReceive, 3 }, { G::kMidiControllerEnable, 0 }, { G::kMidiOutSelect, 1 },
};

// An editor on the simulated synthesizer, on-line, with what a first opening
// lays over it taken away.
struct Stage
{
    Stage()
    {
        if (rig.editor->getWidth() != MainComp::kDesignWidth)
        {
            rig.close();
            rig.processor->setEditorSize (MainComp::kDesignWidth, MainComp::kDesignHeight);
            rig.open();
        }
        settle();
        selectProgram (kShownBank, kShownProgram);
    }

    // On-line, without the about box and help page that a first opening shows.
    void settle()
    {
        expect (rig.drainUntil ([this] { return main().getAppBar().getStatusLabel().getLabelText() == MainComp::kOnLineText; }),
                "the synthesizer never came on-line");
        main().showAbout (false);
        main().showMidiScan (false);
    }

    // A player's line goes by a timer of its own, which a host runs and this
    // does not: a fresh editor, as after closing and opening it again.
    void reopen()
    {
        rig.close();
        rig.open();
        settle();
    }

    MainComp& main() { return *rig.main; }
    MidiCntrState& hub() { return rig.hub(); }

    void expect (bool reached, const juce::String& what)
    {
        if (! reached)
            problems.add (what);
    }

    void selectProgram (int bank, int program)
    {
        hub().selectProgram (bank, program, true, false);
        const auto number = juce::String::charToString ((juce::juce_wchar) ('A' + bank)) + ":" + juce::String (program + 1).paddedLeft ('0', 3);
        expect (rig.drainUntil ([&] { return main().getProgramDisplay().getNumberText() == number; }), "the display never showed " + number);
    }

    // The synthesizer's globals set, and their dump received.
    template <size_t n>
    void setGlobals (const GlobalValue (&values)[n])
    {
        for (const auto& g : values)
            rig.synth->setGlobal (g.index, g.value);
        hub().requestGlobals();
        expect (rig.drainUntil ([&] {
                    for (const auto& g : values)
                        if (hub().getGlobalValue (g.index) != g.value)
                            return false;
                    return true;
                }),
                "the globals never arrived");
    }

    MIDI_Setup& openMidiSetup()
    {
        main().showMidiSetup (true);
        auto& setup = *main().getMidiSetup();
        expect (rig.drainUntil ([&] { return setup.getStatusLabel().getLabelText() == MainComp::kOnLineText; }),
                "the setup page's status never read on-line");
        return setup;
    }

    juce::Image shoot() { return shoot (*rig.editor); }

    // The editor with something shown, which goes again after the picture.
    juce::Image shootShown (const std::function<void (bool)>& show)
    {
        show (true);
        auto picture = shoot();
        show (false);
        return picture;
    }

    juce::Image shoot (juce::Component& component)
    {
        main().getProgramDisplay().timerCallback(); // the activity lights, as its timer would
        return component.createComponentSnapshot (component.getLocalBounds());
    }

    // The library window open on its LIBRARY page, holding bank A with its third program chosen.
    LibClass& libraryPage()
    {
        main().openLibraryWindow();
        auto& content = main().getLibraryWindow()->getContent();
        content.getTab (1).triggerClick();
        auto& page = *content.getLibraryPage();
        if (page.getList().getRowCount() == 0)
            page.handleLoadMenu (LibClass::kLoadBankA);
        page.getList().selectRow (2);
        return page;
    }

    Lib_Manager_Comp& libraryWindow() { return main().getLibraryWindow()->getContent(); }

    EditorRig rig;
    juce::StringArray problems;
};

juce::Image programEditor (Stage& s)
{
    return s.shoot();
}

juce::Image sectionEditor (Stage& s)
{
    return s.shootShown ([&] (bool shown) { shown ? s.main().openSectionEditor (0) : s.main().closeSectionEditor(); });
}

juce::Image sequencerOverview (Stage& s)
{
    return s.shootShown ([&] (bool shown) { s.main().setViewMode (shown ? MainComp::kSequencerView : MainComp::kProgramView); });
}

juce::Image sequencerTrack (Stage& s)
{
    return s.shootShown ([&] (bool shown) {
        s.main().setViewMode (shown ? MainComp::kSequencerView : MainComp::kProgramView);
        if (shown)
            s.main().handleSequencerEvent (seqPanelEditTrack, 0);
    });
}

juce::Image bankPage (Stage& s)
{
    s.selectProgram (1, 20);
    s.main().switchPage (MainComp::kBankPageSwitch, true);
    s.main().getBankPage().getGrid().scrollToRow (14);
    auto picture = s.shoot();
    s.main().switchPage (MainComp::kBankPageSwitch, false);
    s.selectProgram (kShownBank, kShownProgram);
    return picture;
}

juce::Image writePage (Stage& s)
{
    return s.shootShown ([&] (bool shown) { s.main().showWritePage (shown); });
}

juce::Image transfer (Stage& s)
{
    s.main().startTransfer (MidiCntrState::kTransmitOneBank, 0);
    s.expect (s.rig.drainUntil ([&] { return s.main().getTransferOverlay()->getValue() >= 3; }), "the transmission never got going");
    auto picture = s.shoot();
    s.main().endTransfer();
    return picture;
}

juce::Image keyboardDrawer (Stage& s)
{
    auto& drawer = s.main().getKeyboardDrawer();
    drawer.setTopLeftPosition (0, drawer.openTop());
    for (const int key : { 24, 28, 31 })
        drawer.getPiano().getKey (key).press (130);

    // A key of the computer keyboard held, so the player's line shows it.
    auto& player = drawer.getPlayer();
    player.isKeyDown = [] (int) { return true; };
    player.keyPressed (juce::KeyPress ('Z'));

    auto picture = s.shoot();
    // Its keys and player release what they sound as the editor goes.
    s.reopen();
    return picture;
}

juce::Image midiSetup (Stage& s)
{
    // With the clock on, as a set-up that follows the host's tempo has it.
    return s.shootShown ([&] (bool shown) {
        s.hub().setClockOn (shown);
        if (shown)
            s.openMidiSetup();
        else
            s.main().showMidiSetup (false);
    });
}

juce::Image globalPanel (Stage& s)
{
    s.setGlobals (globalsAsAsked);
    s.openMidiSetup().showGlobalPanel (true);
    auto picture = s.shoot();
    s.main().showMidiSetup (false);
    return picture;
}

juce::Image connectionHelp (Stage& s)
{
    s.setGlobals (globalsToFix);
    s.main().showMidiScan (true);
    // The synthesizer has answered: the scan's first step lists what to set.
    if (auto* scan = s.main().getMidiScan())
        scan->timerCallback();
    s.expect (s.main().getMidiScan() != nullptr && ! s.main().getMidiScan()->getLines().isEmpty(), "the help page listed nothing");
    auto picture = s.shoot();
    s.main().showMidiScan (false);
    s.setGlobals (globalsAsAsked);
    return picture;
}

juce::Image aboutBox (Stage& s)
{
    return s.shootShown ([&] (bool shown) { s.main().showAbout (shown); });
}

juce::Image library (Stage& s)
{
    s.libraryPage();

    // A note just played from the title strip's key player, so its line shows.
    auto& keys = s.libraryWindow().getKeyStrip();
    keys.isKeyDown = [] (int) { return false; };
    keys.keyPressed (juce::KeyPress ('Z'));
    keys.keyStateChanged (false);

    auto picture = s.shoot (s.libraryWindow());
    s.reopen();
    return picture;
}

juce::Image question (Stage& s)
{
    auto& page = s.libraryPage();
    page.renameSelected();
    s.expect (page.getQuestion() != nullptr && page.getQuestion()->isVisible(), "the rename question never showed");
    auto picture = s.shoot (s.libraryWindow());
    page.textMsgCancelled (LibClass::dialogIdOf (LibClass::Question::rename), LibClass::kindOf (LibClass::Question::rename));
    return picture;
}

juce::Image presetBank (Stage& s)
{
    s.main().openLibraryWindow();
    auto& content = s.libraryWindow();
    content.getTab (0).triggerClick();
    // As a musician fills it: the synthesizer's bank C in the plug-in's presets.
    content.getPresetBankPage()->handleLoadMenu (Plugin_Bank::kLoadHardwareBankA + kShownBank);
    return s.shoot (content);
}

struct View
{
    const char* name;
    juce::Image (*render) (Stage&);
};

// clang-format off
constexpr View views[] = {
    { "program-editor",     programEditor },
    { "section-editor",     sectionEditor },
    { "sequencer-overview", sequencerOverview },
    { "sequencer-track",    sequencerTrack },
    { "bank-page",          bankPage },
    { "write-page",         writePage },
    { "transfer",           transfer },
    { "keyboard-drawer",    keyboardDrawer },
    { "midi-setup",         midiSetup },
    { "global-panel",       globalPanel },
    { "connection-help",    connectionHelp },
    { "about-box",          aboutBox },
    { "library",            library },
    { "library-question",   question },
    { "preset-bank",        presetBank },
};
// clang-format on
} // namespace

juce::StringArray GuideViews::names()
{
    juce::StringArray result;
    for (const auto& view : views)
        result.add (view.name);
    return result;
}

juce::StringArray GuideViews::render (const std::function<void (const juce::String&, const juce::Image&)>& take)
{
    Stage stage;
    for (const auto& view : views)
        take (view.name, view.render (stage));
    return stage.problems;
}
