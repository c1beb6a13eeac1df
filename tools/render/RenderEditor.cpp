// Renders the editor into PNG files. For reviews of the interface: each view
// at 1148 x 700 and 975 x 595, with the simulated synthesizer on-line and
// off-line. Views: the program view, the transfer overlay, the keyboard drawer
// pulled open, the MIDI setup page, the bank page listing a bank and a
// category, the write page (and after a write with the MIDI output closed),
// the pop-up section editor on two sections, and the sequencer view's
// overview and track editor.
//   build/tests/tools/brindlemark_render <output folder>
// For the README's guide: one picture of each of its views (GuideViews.h),
// named after the view.
//   build/tests/tools/brindlemark_render --guide <output folder>
#include "core/VellixAudioProcessor.h"
#include "core/storage/SettingsFile.h"
#include "editor/MainComp.h"
#include "support/SimulatedMopho.h"
#include "support/SynthRig.h"
#include "support/VirtualMidi.h"
#include "tools/render/GuideViews.h"
#include "windows/library/KwsFile.h"
#include "windows/library/Lib_Manager_Win.h"

#include <iostream>

namespace
{
// Drains the editor's events (its timer would, in a host) until the condition holds.
bool drainUntil (MainComp& main, const std::function<bool()>& condition, int timeoutMs = 3000)
{
    const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
    while (juce::Time::getMillisecondCounter() < deadline)
    {
        main.handleAsyncUpdate();
        if (condition())
            return true;
        juce::Thread::sleep (5);
    }
    return false;
}

bool writePng (const juce::Image& image, const juce::File& file)
{
    file.deleteFile();
    juce::FileOutputStream out (file);
    juce::PNGImageFormat png;

    const bool written = out.openedOk() && png.writeImageToStream (image, out);
    if (written)
        std::cout << file.getFullPathName() << "\n";
    return written;
}

bool writeSnapshot (juce::Component& component, const juce::File& file)
{
    return writePng (component.createComponentSnapshot (component.getLocalBounds()), file);
}

// The library list on its own, as the library page places it, holding the
// factory programs of bank A with the third selected; its window comes later.
bool renderLibraryList (const juce::File& output)
{
    Bank_Program bank ("A");
    bank.loadFactoryBank (0);

    KwsFile list;
    list.setBounds (0, 0, 334, 15 * list.getLook().rowHeight);
    list.setRowAreaWidth (302);
    list.getModel().importFromBank (bank, Bank_Program::kNumPrograms);
    list.applyImport (false);
    list.selectRow (2);

    return writeSnapshot (list, output.getChildFile ("library-list.png"));
}

// The library window at its fixed size, its LIBRARY page holding bank A with
// a program selected, then with the rename question over it. The window shows
// nothing of the synthesizer's state, so it is rendered once.
int renderLibraryWindow (MainComp& main, const juce::File& output)
{
    main.openLibraryWindow();
    auto& content = main.getLibraryWindow()->getContent();
    content.getTab (1).triggerClick();
    auto* page = content.getLibraryPage();
    if (page == nullptr)
        return 1;

    page->handleLoadMenu (LibClass::kLoadBankA);
    page->getList().selectRow (2);
    // A note just played from the title strip's key player, so its line shows.
    auto& keys = content.getKeyStrip();
    keys.isKeyDown = [] (int) { return false; };
    keys.keyPressed (juce::KeyPress ('Z'));
    keys.keyStateChanged (false);
    int failures = writeSnapshot (content, output.getChildFile ("library-window.png")) ? 0 : 1;

    page->renameSelected();
    failures += writeSnapshot (content, output.getChildFile ("library-window-question.png")) ? 0 : 1;
    page->textMsgCancelled (LibClass::dialogIdOf (LibClass::Question::rename), LibClass::kindOf (LibClass::Question::rename));

    content.getTab (0).triggerClick();
    failures += writeSnapshot (content, output.getChildFile ("library-window-preset-bank.png")) ? 0 : 1;

    if (auto* presets = content.getPresetBankPage())
    {
        presets->showSetCurrent();
        failures += writeSnapshot (content, output.getChildFile ("library-window-set-current.png")) ? 0 : 1;
        presets->setCurrentCancelled();
    }
    return failures;
}

// The connection help page as the scan leaves it: on-line, the settings to
// fix by hand; off-line, no answer from any pair.
bool renderHelpPage (juce::Component& editor, MainComp& main, MidiCntrState& hub, SimulatedMopho& synth, const juce::File& file)
{
    for (const auto& [global, value] : { std::pair { 6, 0 }, std::pair { 4, 1 }, std::pair { 5, 3 }, std::pair { 9, 1 } })
        synth.setGlobal (global, value);

    hub.requestGlobals();
    main.showMidiScan (true);
    auto* scan = main.getMidiScan();
    while (scan != nullptr && scan->isTimerRunning())
    {
        drainUntil (main, [&] { return hub.isSynthesizerFound(); }, 300);
        scan->timerCallback();
    }

    const bool written = writeSnapshot (editor, file);
    main.showMidiScan (false);
    return written;
}

int renderGuide (const juce::File& output)
{
    int failures = 0;
    const auto problems = GuideViews::render ([&] (const juce::String& name, const juce::Image& picture) {
        if (! writePng (picture, output.getChildFile (name + ".png")))
            ++failures;
    });

    for (const auto& problem : problems)
        std::cerr << problem << "\n";
    return failures + problems.size();
}

int renderShots (const juce::File& output)
{
    writeSimulatorPortFile (getPortSettingsFile());

    auto layer = std::make_shared<VirtualMidiDeviceLayer>();
    auto& fromSynth = layer->addInput ("Synth Out", "sim-out");
    auto& toSynth = layer->addOutput ("Synth In", "sim-in");
    MidiDeviceLayer::setCurrent (layer);
    int failures = 0;

    {
        SimulatedMopho synth (toSynth, fromSynth);

        for (const bool online : { true, false })
        {
            synth.setMuted (! online);
            VellixAudioProcessor processor;

            for (const auto size : { juce::Point<int> (1148, 700), juce::Point<int> (975, 595) })
            {
                processor.setEditorSize (size.x, size.y);
                std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
                auto* main = dynamic_cast<MainComp*> (editor->getChildComponent (0));

                const juce::String wanted (online ? MainComp::kOnLineText : MainComp::kOffLineText);
                const auto suffix = juce::String (size.x) + "x" + juce::String (size.y) + (online ? "-online" : "-offline") + ".png";

                // The about box (the first opening shows it by itself), then the editor without it.
                if (main != nullptr)
                {
                    main->showAbout (true);
                    if (! writeSnapshot (*editor, output.getChildFile ("about-" + suffix)))
                        ++failures;
                    main->showAbout (false);
                }
                if (main == nullptr)
                {
                    ++failures;
                    processor.editorBeingDeleted (editor.get());
                    continue;
                }
                if (! drainUntil (*main, [&] { return main->getAppBar().getStatusLabel().getLabelText() == wanted; }))
                    std::cerr << "the status never read " << wanted << "\n";

                const auto shoot = [&] (const juce::String& view) {
                    main->getProgramDisplay().timerCallback(); // the activity lights, as its timer would
                    if (! writeSnapshot (*editor, output.getChildFile (view + "-" + suffix)))
                        ++failures;
                };

                shoot ("program-view");

                // The pop-up section editor over it, on an envelope's section and on another.
                for (const auto& [section, view] : { std::pair<int, const char*> (0, "section-editor-filter"),
                                                     std::pair<int, const char*> (5, "section-editor-lfo") })
                {
                    main->openSectionEditor (section);
                    shoot (view);
                    main->closeSectionEditor();
                }

                // The sequencer view: all four tracks, then the first enlarged.
                main->setViewMode (MainComp::kSequencerView);
                shoot ("sequencer-overview");
                main->handleSequencerEvent (seqPanelEditTrack, 0);
                shoot ("sequencer-track");
                main->setViewMode (MainComp::kProgramView);

                // A transfer under way: on-line a transmission a few programs
                // in; off-line a receive that waits for an answer.
                main->startTransfer (online ? MidiCntrState::kTransmitOneBank : MidiCntrState::kReceiveOneBank, 0);
                if (online && ! drainUntil (*main, [&] { return main->getTransferOverlay()->getValue() >= 3; }))
                    std::cerr << "the transmission never got going\n";
                shoot ("transfer-overlay");
                main->endTransfer();

                if (main != nullptr)
                {
                    auto& drawer = main->getKeyboardDrawer();
                    drawer.setTopLeftPosition (0, drawer.openTop());
                    drawer.getPiano().getKey (24).press (130);
                    drawer.getPiano().getKey (28).press (130);
                    drawer.getPiano().getKey (31).press (130);
                    failures += writeSnapshot (*editor, output.getChildFile ("keyboard-open-" + suffix)) ? 0 : 1;

                    // The views after this one show the drawer closed, as a player leaves it.
                    for (int key : { 24, 28, 31 })
                        drawer.getPiano().getKey (key).release();
                    drawer.setTopLeftPosition (0, drawer.closedTop());
                }

                // The MIDI setup page, with the switches and latency of a working set-up.
                processor.getHub().setClockOn (true);
                main->showMidiSetup (true);
                auto* setup = main->getMidiSetup();
                if (! drainUntil (*main, [&] { return setup->getStatusLabel().getLabelText() == wanted; }))
                    std::cerr << "the setup page's status never read " << wanted << "\n";
                setup->getLatencyPanel().getSlider().setValue (120);

                if (! writeSnapshot (*editor, output.getChildFile ("midi-setup-" + suffix)))
                    ++failures;
                processor.getHub().setClockOn (false);

                // A synthesizer set up as the help text asks.
                for (const auto& [global, value] : { std::pair { 0, 12 }, std::pair { 1, 50 }, std::pair { 2, 0 }, std::pair { 3, 0 }, std::pair { 8, 0 }, std::pair { 14, 0 }, std::pair { 4, 0 }, std::pair { 5, 0 },
                                                     std::pair { 6, 1 }, std::pair { 7, 1 }, std::pair { 9, 0 }, std::pair { 21, 1 } })
                    synth.setGlobal (global, value);
                setup->showGlobalPanel (true);
                drainUntil (*main, [&] { return setup->getStatusLabel().getLabelText() == wanted; });
                if (! writeSnapshot (*editor, output.getChildFile ("global-panel-" + suffix)))
                    ++failures;
                main->showMidiSetup (false);

                if (! renderHelpPage (*editor, *main, processor.getHub(), synth, output.getChildFile ("help-page-" + suffix)))
                    ++failures;
                if (online && size.x == MainComp::kDesignWidth)
                    failures += renderLibraryWindow (*main, output);
                // The bank page on bank B with a program chosen, then one category across the banks.
                processor.getHub().selectProgram (1, 20, false, false);
                drainUntil (*main, [&] { return main->getProgramDisplay().getNumberText() == "B:021"; });
                main->switchPage (MainComp::kBankPageSwitch, true);
                main->getBankPage().getGrid().scrollToRow (14);
                shoot ("bank-page");
                main->getBankPage().kwsButtonChanged (&main->getBankPage().getCategoryButton (24));
                shoot ("bank-category");
                main->switchPage (MainComp::kBankPageSwitch, false);

                main->showWritePage (true);
                shoot ("write-page");
                // A write with the MIDI output closed: kept here, and the page says so.
                processor.getHub().selectOutputDevice (0);
                main->writeProgram();
                shoot ("write-not-sent");
                processor.getHub().selectOutputDevice (1);
                main->showWritePage (false);

                processor.editorBeingDeleted (editor.get());
            }
        }
    }

    if (! renderLibraryList (output))
        ++failures;

    MidiDeviceLayer::setCurrent (nullptr);
    return failures;
}
} // namespace

int main (int argc, char** argv)
{
    const bool guide = argc == 3 && juce::String (argv[1]) == "--guide";
    if (argc != 2 && ! guide)
    {
        std::cerr << "usage: brindlemark_render [--guide] <output folder>\n";
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI juce;
    const auto output = juce::File::getCurrentWorkingDirectory().getChildFile (argv[argc - 1]);
    output.createDirectory();

    // A private settings folder, so nothing of the user's is read or written.
    juce::TemporaryFile settingsFolder;
    settingsFolder.getFile().createDirectory();
    setSettingsFolderOverride (settingsFolder.getFile());

    const int failures = guide ? renderGuide (output) : renderShots (output);

    setSettingsFolderOverride ({});
    settingsFolder.getFile().deleteRecursively();
    return failures == 0 ? 0 : 1;
}
