#include "core/VellixAudioProcessor.h"
#include "core/midi/MophoSysEx.h"
#include "core/storage/PortSettingsFile.h"
#include "core/storage/SettingsFile.h"
#include "editor/widgets/WidgetHarness.h"
#include "support/HubRig.h"
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

// Three ports each way; the synthesizer is on the third pair, and the user's
// port file names the first.
struct ThreePairs : testing::Test
{
    ThreePairs()
    {
        const auto bytes = PortSettingsFile::build ({ "Keys", "Lights", "NONE", "0" });
        getPortSettingsFile().getParentDirectory().createDirectory();
        getPortSettingsFile().replaceWithData (bytes.getData(), bytes.getSize());
        processor = std::make_unique<VellixAudioProcessor>();
        synth.setGlobal (9, 0);
    }

    MidiCntrState& hub() { return processor->getHub(); }

    // Ticks as the timer would, each pair given its time to answer.
    void run (MIDI_scan& scan)
    {
        hub().requestGlobals(); // as the opening editor does
        scan.addChangeListener (&closeRequests);
        scan.startScan();
        for (int ticks = 0; scan.isTimerRunning() && ticks < 20; ++ticks)
        {
            waitUntil ([&] { return hub().isSynthesizerFound(); }, 150);
            scan.timerCallback();
        }
        scan.dispatchPendingMessages();
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
    CloseRequests closeRequests;
};
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
    synth.setMuted (true);
    hub().setHelpPageShown (true);
    MIDI_scan scan (hub());
    run (scan);

    EXPECT_TRUE (scan.isNotConnected());
    EXPECT_TRUE (scan.getLink().isVisible());
    EXPECT_FALSE (scan.getLink().getURL().isWellFormed()) << "shown as text, it opens nothing";
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
    synth.setMuted (true);
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
