#include "core/VellixAudioProcessor.h"
#include "core/storage/PortSettingsFile.h"
#include "core/storage/SettingsFile.h"
#include "editor/MainComp.h"
#include "editor/widgets/WidgetHarness.h"
#include "support/SimulatedMopho.h"
#include "support/SynthRig.h"
#include "support/VirtualMidi.h"

#include <gtest/gtest.h>

using namespace widgetharness;
using PortMenu = MIDI_Setup::PortMenu;

namespace
{
juce::StringArray settingsOnDisk()
{
    return parseSettingsText (readSettingsText (getGlobalSettingsFile()));
}

juce::MemoryBlock portFileOnDisk()
{
    return readFileToBlock (getPortSettingsFile());
}

juce::MemoryBlock portFileFor (const char* input, const char* output, const char* mode = "0")
{
    return PortSettingsFile::build ({ input, output, "NONE", mode });
}

// An editor for a processor: opened, drained as its timer would, closed.
struct EditorOf
{
    explicit EditorOf (VellixAudioProcessor& p) : editor (p.createEditorIfNeeded())
    {
        main = dynamic_cast<MainComp*> (editor->getChildComponent (0));
    }

    bool drainUntil (const std::function<bool()>& condition)
    {
        return waitUntil ([&] {
            main->handleAsyncUpdate();
            return condition();
        });
    }

    MIDI_Setup& setup() { return *main->getMidiSetup(); }
    juce::String setupStatus() { return setup().getStatusLabel().getLabelText(); }

    // What the message thread does with the page's change messages.
    void deliverSetupMessages()
    {
        for (auto& box : { &setup().getSwitch (MIDI_Setup::clockSwitch), &setup().getSwitch (MIDI_Setup::synthToHostSwitch),
                           &setup().getSwitch (MIDI_Setup::hostToSynthSwitch) })
            box->dispatchPendingMessages();
        setup().getLatencyPanel().getSlider().dispatchPendingMessages();
        setup().getLatencyPanel().dispatchPendingMessages();
        setup().dispatchPendingMessages();
    }

    std::unique_ptr<juce::AudioProcessorEditor> editor;
    MainComp* main = nullptr;
};

// A desk with two ports each way; the synthesizer is on the second pair, and
// no port is chosen yet.
struct TwoPairs : testing::Test
{
    ScopedMidiDeviceLayer layer;
    VirtualMidiInput& deskIn = layer->addInput ("Desk Keys", "in-1");
    VirtualMidiInput& fromSynth = layer->addInput ("Mopho Out", "in-2");
    VirtualMidiOutput& deskOut = layer->addOutput ("Desk Lights", "out-1");
    VirtualMidiOutput& toSynth = layer->addOutput ("Mopho In", "out-2");
    SimulatedMopho synth { toSynth, fromSynth };
    std::unique_ptr<VellixAudioProcessor> processor = std::make_unique<VellixAudioProcessor>();
};

// The simulated synthesizer on the ports from the port file, an editor open.
struct SetupEditor : testing::Test, SynthRig
{
    SetupEditor()
    {
        view.main->kwsButtonClicked (AppBar::kMidi);
        hub().takeEvents();
    }

    EditorOf view { *processor };
};
} // namespace

TEST_F (TwoPairs, ChoosingThePortsInThePageConnectsAndIsRememberedForTheNextStart)
{
    {
        EditorOf view (*processor);
        view.main->kwsButtonClicked (AppBar::kMidi);
        ASSERT_NE (view.main->getMidiSetup(), nullptr);
        EXPECT_EQ (view.setup().getInputNames(), juce::StringArray ({ "NONE", "Desk Keys", "Mopho Out" }));
        EXPECT_FALSE (view.setup().inputOpen);

        view.setup().handlePortMenu (PortMenu::input, 3);
        view.setup().handlePortMenu (PortMenu::output, 3);
        view.deliverSetupMessages();

        EXPECT_TRUE (fromSynth.isOpen());
        EXPECT_TRUE (toSynth.isOpen());
        EXPECT_FALSE (deskIn.isOpen());
        EXPECT_TRUE (view.setup().inputOpen);
        EXPECT_TRUE (view.setup().outputOpen);
        EXPECT_EQ (view.setup().chosenOutput, 2);
        EXPECT_TRUE (view.drainUntil ([&] { return view.setupStatus() == MainComp::kOnLineText; }))
            << "the global dump came back over the new ports";
        EXPECT_GE (synth.getRequestCount (SimulatedMopho::Request::globalParameters), 1);

        view.setup().kwsButtonChanged (&view.setup().getOkButton());
        view.deliverSetupMessages();
        EXPECT_EQ (view.main->getMidiSetup(), nullptr);
        EXPECT_EQ (portFileOnDisk(), portFileFor ("Mopho Out", "Mopho In"));
    }

    {
        EditorOf next (*processor);
        EXPECT_TRUE (next.drainUntil ([&] { return next.main->getAppBar().getStatusLabel().getLabelText() == MainComp::kOnLineText; }));
    }

    processor.reset();
    processor = std::make_unique<VellixAudioProcessor>();
    EXPECT_TRUE (fromSynth.isOpen());
    EXPECT_TRUE (toSynth.isOpen());
    EXPECT_EQ (toSynth.getTimesOpened(), 2);

    EditorOf afterRestart (*processor);
    EXPECT_TRUE (afterRestart.drainUntil ([&] {
        return afterRestart.main->getAppBar().getStatusLabel().getLabelText() == MainComp::kOnLineText;
    }));
}

TEST_F (SetupEditor, TheLatencySliderDelaysTheNextParameterChange)
{
    // How long the host's next change takes to reach the synthesizer, in milliseconds.
    int value = 10;
    const auto nextChangeTakes = [&] {
        toSynth.clearReceived();
        ++value;
        const auto sent = juce::Time::getMillisecondCounterHiRes();
        hub().setProgramParameter (20, value);
        if (! waitUntil ([&] { return synth->getEditBuffer()[20] == value; }))
            return -1.0;
        return toSynth.getReceived().back().getTimeStamp() - sent;
    };

    const auto before = nextChangeTakes();
    EXPECT_GE (before, 0.0);
    EXPECT_LT (before, 150.0);

    auto& latency = view.setup().getLatencyPanel();
    EXPECT_EQ (latency.getSampleRateLabel().getLabelText(), "44100 Hz");
    latency.getSlider().setValueAndNotify (300);
    view.deliverSetupMessages();

    EXPECT_EQ (hub().getMidiDelay (0), 300);
    EXPECT_EQ (hub().getSettings()[kSlotDelayFirst], "300");
    EXPECT_GE (nextChangeTakes(), 295.0);
}

TEST_F (SetupEditor, TwoReportsBeforeTheMessageThreadRunsBothTakeEffect)
{
    auto& setup = view.setup();
    press (setup.getSwitch (MIDI_Setup::clockSwitch), 5, 5);
    press (setup.getSwitch (MIDI_Setup::synthToHostSwitch), 5, 5);

    view.deliverSetupMessages();

    EXPECT_TRUE (hub().isClockOn());
    EXPECT_TRUE (hub().isSynthToHostThruOn());
    const auto saved = settingsOnDisk();
    EXPECT_EQ (saved[kSlotClock], "1");
    EXPECT_EQ (saved[kSlotSynthToHostThru], "1");
}

TEST_F (SetupEditor, SwitchReportsSetTheHubAndTheSavedSettings)
{
    struct Case
    {
        int code;
        SettingsSlot slot;
        std::function<bool()> flag;
    };
    const Case cases[] = {
        { kSetupHostToSynthThru, kSlotHostToSynthThru, [&] { return hub().isHostToSynthThruOn(); } },
        { kSetupClock, kSlotClock, [&] { return hub().isClockOn(); } },
        { kSetupSynthToHostThru, kSlotSynthToHostThru, [&] { return hub().isSynthToHostThruOn(); } },
    };

    for (const auto& c : cases)
    {
        for (const int value : { 1, 0 })
        {
            view.main->handleMidiSetupEvent (c.code, value);

            EXPECT_EQ (c.flag(), value == 1) << c.code;
            EXPECT_EQ (settingsOnDisk()[c.slot], juce::String (value)) << c.code;
            const auto events = hub().takeEvents();
            EXPECT_TRUE (events.contains (UiEventCode::make (kUiSynthOffLine, 0, 0, 0))) << "the globals were asked for";
        }
    }
}

TEST_F (SetupEditor, ChoosingNoOutputClosesIt)
{
    ASSERT_TRUE (view.setup().outputOpen);

    view.main->handleMidiSetupEvent (kSetupOutputPort, 0);

    EXPECT_FALSE (toSynth.isOpen());
    EXPECT_FALSE (view.setup().outputOpen);
    EXPECT_EQ (view.setup().chosenOutput, 0);
}

TEST_F (SetupEditor, TheMidiButtonClosesThePageAndWritesThePortFile)
{
    hub().getPorts().sysExBufferSizeMode = 1;
    const auto settingsBefore = readSettingsText (getGlobalSettingsFile());

    view.main->kwsButtonClicked (AppBar::kMidi);

    EXPECT_EQ (view.main->getMidiSetup(), nullptr);
    EXPECT_EQ (portFileOnDisk(), portFileFor ("Synth Out", "Synth In", "1"));
    EXPECT_EQ (readSettingsText (getGlobalSettingsFile()), settingsBefore);
}

TEST_F (SetupEditor, OkClosesThePageButKeepsThePortFileOverTheWritePage)
{
    struct Case
    {
        bool writePageShown;
        const char* modeOnDisk;
    };
    const Case cases[] = { { false, "1" }, { true, "0" } };

    for (const auto& c : cases)
    {
        const auto start = portFileFor ("Synth Out", "Synth In");
        getPortSettingsFile().replaceWithData (start.getData(), start.getSize());
        if (view.main->getMidiSetup() == nullptr)
            view.main->kwsButtonClicked (AppBar::kMidi);
        hub().getPorts().sysExBufferSizeMode = 1;
        view.main->setWritePageShown (c.writePageShown);
        getGlobalSettingsFile().deleteFile();

        view.setup().kwsButtonChanged (&view.setup().getOkButton());
        view.deliverSetupMessages();

        EXPECT_EQ (view.main->getMidiSetup(), nullptr) << "gone either way";
        EXPECT_TRUE (getGlobalSettingsFile().existsAsFile());
        EXPECT_EQ (portFileOnDisk(), portFileFor ("Synth Out", "Synth In", c.modeOnDisk));

        view.main->setWritePageShown (false);
        hub().getPorts().sysExBufferSizeMode = 0;
    }
}

TEST_F (SetupEditor, OverTheWritePageTheMidiButtonDoesNothing)
{
    view.main->kwsButtonClicked (AppBar::kMidi);
    ASSERT_EQ (view.main->getMidiSetup(), nullptr);
    view.main->setWritePageShown (true);

    view.main->kwsButtonClicked (AppBar::kMidi);

    EXPECT_EQ (view.main->getMidiSetup(), nullptr);
}

TEST_F (SetupEditor, ClosingTheEditorWithThePageOpenWritesNoPortFile)
{
    const auto before = portFileOnDisk();
    hub().getPorts().sysExBufferSizeMode = 1;

    view.editor.reset();

    EXPECT_EQ (portFileOnDisk(), before);
}

TEST_F (SetupEditor, ThePageOpensOnTheHubsStateAndFollowsTheSynthesizer)
{
    view.main->kwsButtonClicked (AppBar::kMidi);
    hub().setClockOn (true);
    hub().setSynthToHostThru (true);
    hub().setHostToSynthThru (false);
    hub().updateSampleRate (96000);
    juce::Array<int> delays { 0, 0, 0, 1500, 0, 0, 0 };
    hub().setMidiDelays (0, delays);
    view.main->setSize (975, 595);

    view.main->kwsButtonClicked (AppBar::kMidi);
    auto& setup = view.setup();

    EXPECT_EQ (setup.getBounds(), juce::Rectangle<int> (0, 23, 975, 595));
    EXPECT_EQ (setup.chosenInput, 1);
    EXPECT_EQ (setup.chosenOutput, 1);
    EXPECT_TRUE (setup.getSwitch (MIDI_Setup::clockSwitch).isChecked());
    EXPECT_TRUE (setup.getSwitch (MIDI_Setup::synthToHostSwitch).isChecked());
    EXPECT_FALSE (setup.getSwitch (MIDI_Setup::hostToSynthSwitch).isChecked());
    EXPECT_EQ (setup.getLatencyPanel().getSampleRateLabel().getLabelText(), "96000 Hz");
    EXPECT_EQ (setup.getLatencyPanel().getSlider().getValue(), 1000);

    EXPECT_TRUE (view.drainUntil ([&] { return view.setupStatus() == MainComp::kOnLineText; }));
    view.main->handleUiEvent (UiEventCode::make (kUiSynthOffLine, 0, 0, 0));
    EXPECT_EQ (view.setupStatus(), MainComp::kOffLineText);
}
