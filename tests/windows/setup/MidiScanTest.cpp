#include "core/VellixAudioProcessor.h"
#include "core/midi/MophoSysEx.h"
#include "editor/MainComp.h"
#include "core/storage/PortSettingsFile.h"
#include "core/storage/SettingsFile.h"
#include "editor/widgets/WidgetHarness.h"
#include "support/HubRig.h"
#include "support/MessageLoop.h"
#include "support/SimulatedMopho.h"
#include "support/VirtualMidi.h"
#include "windows/setup/MIDI_scan.h"

#include <gtest/gtest.h>

using namespace widgetharness;

namespace
{
struct CloseRequests : juce::ChangeListener
{
    void changeListenerCallback (juce::ChangeBroadcaster*) override { ++count; }
    int count = 0;
};

// Three ports each way, nine pairs; the synthesizer is on the last pair, and
// the user's port file names the first. The settings file is a first start's,
// so the editor opens the help page too.
struct ThreePairs : testing::Test
{
    ThreePairs()
    {
        writeTextFile ("3.0.0\n", getGlobalSettingsFile());
        const auto bytes = PortSettingsFile::build ({ "Keys", "Lights", "NONE", "0" });
        getPortSettingsFile().getParentDirectory().createDirectory();
        getPortSettingsFile().replaceWithData (bytes.getData(), bytes.getSize());
        processor = std::make_unique<VellixAudioProcessor>();
        synth.setGlobal (9, 0);
    }

    MidiCntrState& hub() { return processor->getHub(); }

    void mute()
    {
        synth.setMuted (true);
        synthAnswers = false;
    }

    // A tick as the timer gives it, after what its 300 ms give a probe on
    // the machine it was made for: the request has left, the synthesizer has
    // answered what reached it, and the answer is in (or was dropped by a
    // closed port). A late answer would be taken for the next pair's.
    void tick (MIDI_scan& scan)
    {
        waitUntil ([&] {
            return ! synthAnswers
                || synth.getDumpsSent() >= synth.getRequestCount (SimulatedMopho::Request::globalParameters);
        });
        fromSynth.waitUntilDelivered();

        const auto before = messagesOut();
        scan.timerCallback();
        if (scan.isTimerRunning())
            waitUntil ([&] { return messagesOut() > before; });
    }

    // The synthesizer lists a request only once its answer is queued, so
    // the next tick knows what answer it owes.
    size_t messagesOut() const
    {
        return lights.getReceived().size() + drums.getReceived().size() + synth.getReceived().size();
    }

    void tickToTheEnd (MIDI_scan& scan)
    {
        for (int ticks = 0; scan.isTimerRunning() && ticks < 20; ++ticks)
            tick (scan);
    }

    void run (MIDI_scan& scan)
    {
        hub().requestGlobals(); // as the opening editor does
        scan.addChangeListener (&closeRequests);
        scan.startScan();
        tickToTheEnd (scan);
        scan.dispatchPendingMessages();
    }

    // The first editor of the processor: the about box for 2000 ms, and the
    // help page scanning under it.
    MainComp& openEditor()
    {
        editor.reset (processor->createEditorIfNeeded());
        auto* main = dynamic_cast<MainComp*> (editor->getChildComponent (0));
        EXPECT_NE (main->getAboutPanel(), nullptr);
        EXPECT_NE (main->getMidiScan(), nullptr);
        return *main;
    }

    // What the about box does when its 2000 ms are up.
    static void aboutBoxTimesOut (MainComp& main)
    {
        auto* about = main.getAboutPanel();
        ASSERT_NE (about, nullptr);
        about->timerCallback();
        about->dispatchPendingMessages();
        EXPECT_EQ (main.getAboutPanel(), nullptr);
    }

    juce::StringArray portFile()
    {
        juce::StringArray entries { "", "", "", "" };
        PortSettingsFile::parse (readFileToBlock (getPortSettingsFile()), entries);
        return entries;
    }

    ScopedMidiDeviceLayer layer;
    VirtualMidiInput& keys = layer->addInput ("Keys", "in-1");
    VirtualMidiInput& pads = layer->addInput ("Pads", "in-2");
    VirtualMidiInput& fromSynth = layer->addInput ("Mopho Out", "in-3");
    VirtualMidiOutput& lights = layer->addOutput ("Lights", "out-1");
    VirtualMidiOutput& drums = layer->addOutput ("Drums", "out-2");
    VirtualMidiOutput& toSynth = layer->addOutput ("Mopho In", "out-3");
    SimulatedMopho synth { toSynth, fromSynth };
    std::unique_ptr<VellixAudioProcessor> processor;
    std::unique_ptr<juce::AudioProcessorEditor> editor;
    bool synthAnswers = true;
    CloseRequests closeRequests;
};

// The scan's ticks within the about box's 2000 ms, one every 300 ms, each
// probing the next pair.
constexpr int kTicksBeforeTheAboutBoxCloses = MainComp::kFirstOpenAboutMs / MIDI_scan::kProbeIntervalMs;
} // namespace

TEST_F (ThreePairs, TheScanFindsTheAnsweringPairKeepsItAndListsTheSettingsToFix)
{
    struct Case { int controllerEnable, paramSend, paramReceive; int lines, height, closeRequests; };
    const Case cases[] = {
        { 0, 1, 3, 3, 110, 0 },
        { 1, 0, 0, 0, 0, 1 }, // the ports are already right: the first answer ends it
    };

    for (const auto& c : cases)
    {
        synth.setGlobal (6, c.controllerEnable);
        synth.setGlobal (4, c.paramSend);
        synth.setGlobal (5, c.paramReceive);
        closeRequests.count = 0;

        hub().setHelpPageShown (true);
        MIDI_scan scan (hub());
        run (scan);

        EXPECT_TRUE (fromSynth.isOpen());
        EXPECT_TRUE (toSynth.isOpen());
        EXPECT_FALSE (keys.isOpen());
        EXPECT_FALSE (lights.isOpen());
        EXPECT_EQ (portFile()[0], "Mopho Out");
        EXPECT_EQ (portFile()[1], "Mopho In");
        EXPECT_FALSE (scan.isNotConnected());
        EXPECT_EQ (scan.getLines().size(), c.lines);
        EXPECT_EQ (scan.getHeight(), c.height);
        EXPECT_EQ (closeRequests.count, c.closeRequests);
        hub().setHelpPageShown (false);
    }
}

TEST_F (ThreePairs, WithNoAnswerTheUsersPortsComeBackAndThePageSaysSo)
{
    mute();
    hub().setHelpPageShown (true);
    MIDI_scan scan (hub());
    run (scan);

    EXPECT_TRUE (scan.isNotConnected());
    EXPECT_TRUE (scan.getLink().isVisible());
    EXPECT_FALSE (scan.getLink().getURL().isWellFormed()) << "it opens the MIDI setup page, no web page";
    EXPECT_GT (scan.getHeight(), 0);
    EXPECT_TRUE (keys.isOpen());
    EXPECT_TRUE (lights.isOpen());
    EXPECT_FALSE (fromSynth.isOpen());
    EXPECT_EQ (hub().getPortSettings()[0], "Keys");
    EXPECT_EQ (hub().getPortSettings()[1], "Lights");
    EXPECT_EQ (synth.getRequestCount (SimulatedMopho::Request::globalParameters), 3) << "one for each pair with its output";
    EXPECT_EQ (closeRequests.count, 0);
}

TEST_F (ThreePairs, ClosingTheScanHalfWayPutsTheUsersPortsBack)
{
    mute();
    {
        MIDI_scan scan (hub());
        scan.startScan();
        scan.probePortPair (1, 1);
        EXPECT_TRUE (pads.isOpen());
        press (scan, 5, 5);
        EXPECT_FALSE (scan.isTimerRunning());
    }
    EXPECT_TRUE (keys.isOpen());
    EXPECT_TRUE (lights.isOpen());
    EXPECT_FALSE (pads.isOpen());
}

TEST_F (ThreePairs, TheScanOutlivesTheAboutBoxAndItsListStaysUntilClicked)
{
    synth.setGlobal (6, 0); // one setting to fix by hand
    synth.setGlobal (4, 0);
    synth.setGlobal (5, 0);
    auto& main = openEditor();
    auto* scan = main.getMidiScan();

    for (int i = 0; i < kTicksBeforeTheAboutBoxCloses; ++i)
        tick (*scan);
    aboutBoxTimesOut (main);
    ASSERT_EQ (main.getMidiScan(), scan) << "nine pairs take longer than the about box stays";
    EXPECT_TRUE (scan->isScanRunning());

    tickToTheEnd (*scan);
    EXPECT_TRUE (fromSynth.isOpen());
    EXPECT_TRUE (toSynth.isOpen());
    EXPECT_EQ (portFile()[0], "Mopho Out");
    EXPECT_EQ (portFile()[1], "Mopho In");
    EXPECT_EQ (scan->getLines(), juce::StringArray ("- MIDI Controller Send/Receive = ON"));

    main.handleFileMenu (3); // "About", opened and closed by the user
    press (*main.getAboutPanel(), 10, 10);
    main.getAboutPanel()->dispatchPendingMessages();
    EXPECT_EQ (main.getMidiScan(), scan) << "the list is the user's to read";

    press (*scan, 5, 5);
    scan->dispatchPendingMessages();
    EXPECT_EQ (main.getMidiScan(), nullptr);
    EXPECT_FALSE (hub().isHelpPageShown());
}

TEST_F (ThreePairs, HostSettingsOnTheNotConnectedNoticeOpensTheMidiSetupPage)
{
    mute();
    auto& main = openEditor();
    auto* scan = main.getMidiScan();

    for (int i = 0; i < kTicksBeforeTheAboutBoxCloses; ++i)
        tick (*scan);
    aboutBoxTimesOut (main);
    tickToTheEnd (*scan);
    ASSERT_EQ (main.getMidiScan(), scan);
    ASSERT_TRUE (scan->isNotConnected());
    EXPECT_TRUE (keys.isOpen()) << "the user's ports are back";

    scan->getLink().triggerClick();
    deliverPendingMessages();

    EXPECT_EQ (main.getMidiScan(), nullptr);
    EXPECT_FALSE (hub().isHelpPageShown());
    ASSERT_NE (main.getMidiSetup(), nullptr);
    EXPECT_TRUE (main.getMidiSetup()->isVisible());
    EXPECT_EQ (main.getMidiSetup()->chosenInput, 1) << "it shows the user's ports";
    EXPECT_TRUE (keys.isOpen());
    EXPECT_TRUE (lights.isOpen());
}

TEST_F (ThreePairs, ClosingTheEditorMidScanStopsItAndPutsTheUsersPortsBack)
{
    mute();
    auto& main = openEditor();
    for (int i = 0; i < 5; ++i) // up to the pair Pads and Drums
        tick (*main.getMidiScan());
    ASSERT_TRUE (pads.isOpen());

    editor.reset();

    EXPECT_FALSE (hub().isHelpPageShown());
    EXPECT_TRUE (keys.isOpen());
    EXPECT_TRUE (lights.isOpen());
    EXPECT_FALSE (pads.isOpen());
    EXPECT_FALSE (drums.isOpen());
    EXPECT_EQ (hub().getPortSettings()[0], "Keys");
    EXPECT_EQ (hub().getPortSettings()[1], "Lights");
}

TEST (ScanAnswer, TheAnswerBelongsToThePairProbedWhenItArrived)
{
    HubRig rig;
    rig.hub.setHelpPageShown (true);
    rig.hub.setScanResults (3, 2);

    std::vector<juce::uint8> dump { 0xF0, ProgramImage::kManufacturerId, ProgramImage::kDeviceId, MophoSysEx::kGlobalParameterDump };
    dump.resize (dump.size() + 2 * MidiCntrState::kNumGlobalValues);
    dump.push_back (0xF7);
    rig.receive (juce::MidiMessage::createSysExMessage (dump.data() + 1, (int) dump.size() - 2));
    rig.hub.setScanResults (3, 3); // the next probe, before the message thread saves

    EXPECT_EQ (rig.hub.getAnsweredPair().input, 3);
    EXPECT_EQ (rig.hub.getAnsweredPair().output, 2);
    rig.hub.setHelpPageShown (false);
}
