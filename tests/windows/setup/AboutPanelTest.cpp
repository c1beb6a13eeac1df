#include "core/storage/SettingsFile.h"
#include "editor/MainComp.h"
#include "editor/widgets/WidgetHarness.h"
#include "support/SynthRig.h"

#include <gtest/gtest.h>

using namespace widgetharness;

namespace
{
struct Opened
{
    explicit Opened (VellixAudioProcessor& p) : processor (p), editor (p.createEditorIfNeeded())
    {
        main = dynamic_cast<MainComp*> (editor->getChildComponent (0));
    }
    ~Opened() { processor.editorBeingDeleted (editor.get()); }

    VellixAudioProcessor& processor;
    std::unique_ptr<juce::AudioProcessorEditor> editor;
    MainComp* main = nullptr;
};

struct About : testing::Test, SynthRig
{
};
} // namespace

TEST_F (About, OnlyTheFirstEditorOfAProcessorShowsItAndItClosesByClickOrTimer)
{
    {
        Opened first (*processor);
        auto* about = first.main->getAboutPanel();
        ASSERT_NE (about, nullptr);
        EXPECT_TRUE (about->isAutoClosing());
        EXPECT_EQ (about->getBounds(), first.main->getLocalBounds());

        about->timerCallback();
        about->dispatchPendingMessages();
        EXPECT_EQ (first.main->getAboutPanel(), nullptr);
    }

    Opened second (*processor);
    EXPECT_EQ (second.main->getAboutPanel(), nullptr);

    second.main->handleFileMenu (3); // "About"
    auto* about = second.main->getAboutPanel();
    ASSERT_NE (about, nullptr);
    EXPECT_FALSE (about->isAutoClosing()) << "from the menu it stays until clicked";
    press (*about, 10, 10);
    about->dispatchPendingMessages();
    EXPECT_EQ (second.main->getAboutPanel(), nullptr);
}

TEST_F (About, TheWritePageKeepsTheAboutBoxOpen)
{
    Opened view (*processor);
    view.main->setWritePageShown (true);
    press (*view.main->getAboutPanel(), 10, 10);
    view.main->getAboutPanel()->dispatchPendingMessages();
    EXPECT_NE (view.main->getAboutPanel(), nullptr);
}

// A settings file with fewer than three entries asks for the help page.
struct FirstStart : testing::Test
{
    FirstStart()
    {
        writeTextFile ("3.0.0\n", getGlobalSettingsFile());
        writeSimulatorPortFile (getPortSettingsFile());
        synth.setMuted (true);
        processor = std::make_unique<VellixAudioProcessor>();
    }

    ScopedMidiDeviceLayer layer;
    VirtualMidiInput& fromSynth = layer->addInput ("Synth Out", "sim-out");
    VirtualMidiOutput& toSynth = layer->addOutput ("Synth In", "sim-in");
    SimulatedMopho synth { toSynth, fromSynth };
    std::unique_ptr<VellixAudioProcessor> processor;
};

TEST_F (FirstStart, TheHelpPageOpensWithTheAboutBoxAndClosesWithIt)
{
    ASSERT_TRUE (processor->getHub().isHelpPageRequested());
    Opened view (*processor);
    ASSERT_NE (view.main->getMidiScan(), nullptr);
    EXPECT_TRUE (processor->getHub().isHelpPageShown());
    EXPECT_TRUE (view.main->getMidiScan()->isTimerRunning());

    view.main->getAboutPanel()->timerCallback();
    view.main->getAboutPanel()->dispatchPendingMessages();
    EXPECT_EQ (view.main->getMidiScan(), nullptr);
    EXPECT_FALSE (processor->getHub().isHelpPageShown());
    EXPECT_TRUE (fromSynth.isOpen()) << "the user's ports stay";
}
