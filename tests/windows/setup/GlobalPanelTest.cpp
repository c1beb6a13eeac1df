#include "core/midi/MophoSysEx.h"
#include "editor/MainComp.h"
#include "editor/widgets/WidgetHarness.h"
#include "support/SynthRig.h"
#include "windows/setup/Global_Container.h"

#include <gtest/gtest.h>

using namespace widgetharness;

namespace
{
// A press at the start, then a drag by (dx, dy) from it.
juce::MouseEvent dragBy (juce::Component& c, int x, int y, int dx, int dy)
{
    const juce::Point<float> down ((float) x, (float) y), now ((float) (x + dx), (float) (y + dy));
    const auto t = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), now, juce::ModifierKeys::leftButtonModifier,
                             juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                             juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                             juce::MouseInputSource::defaultTiltY, &c, &c, t, down, t, 1, true);
}

// The NRPN sequences that reached the synthesizer, as (number, value).
std::vector<std::pair<int, int>> nrpnsAt (SynthRig& rig)
{
    std::vector<std::pair<int, int>> found;
    const auto sent = rig.bytesSentToSynth();
    for (size_t i = 0; i + 3 < sent.size(); ++i)
        if (sent[i].size() == 3 && sent[i + 1].size() == 3 && sent[i + 2].size() == 3 && sent[i + 3].size() == 3
            && sent[i][1] == MophoSysEx::kNrpnNumberMsb && sent[i + 1][1] == MophoSysEx::kNrpnNumberLsb)
            found.emplace_back (sent[i][2] * 128 + sent[i + 1][2], sent[i + 2][2] * 128 + sent[i + 3][2]);
    return found;
}

struct GlobalPanel : testing::Test, SynthRig
{
    GlbCont& row (int index) { return *panel.getRow (index); }

    // Waits for the synthesizer to hold the global, then tells what it was sent.
    std::vector<std::pair<int, int>> sentOnceSynthHas (int slot, int value)
    {
        waitUntil ([&] { return synth->getGlobal (slot) == value; }, 2000);
        return nrpnsAt (*this);
    }

    Global_Container panel { hub() };
};
} // namespace

TEST (GlobalPanelMaths, KnobFramesAndDragsFollowTheRange)
{
    struct Frame { int value, maximum, frame; };
    for (const auto& c : { Frame { 0, 24, 0 }, Frame { 12, 24, 27 }, Frame { 24, 24, 54 }, Frame { 100, 100, 54 }, Frame { 5, 0, 0 } })
        EXPECT_EQ (GlobalPanelMaths::knobFrame (c.value, c.maximum), c.frame) << c.value << "/" << c.maximum;

    struct Drag { int start, dx, dy, maximum, result; };
    for (const auto& c : { Drag { 12, 30, 0, 24, 14 }, Drag { 50, 0, -10, 100, 55 }, Drag { 12, 14, 0, 24, 12 }, Drag { 12, -29, 0, 24, 11 } })
        EXPECT_EQ (GlobalPanelMaths::dragValue (c.start, c.dx, c.dy, c.maximum), c.result);
}

TEST (GlobalPanelTexts, NamesAndValueTextsFollowTheTable)
{
    struct Case { int display, value; const char* text; };
    const Case cases[] = {
        { kGlobalTranspose, 0, "-12" }, { kGlobalTranspose, 24, "12" }, { kGlobalFineTune, 50, "0" },
        { kGlobalChannel, 0, "ALL CHANNELS" }, { kGlobalChannel, 16, "CHANNEL 16" }, { kGlobalChannel, 17, "" },
        { kGlobalClockMode, 3, "EXT + SEND" }, { kGlobalParamReceive, 0, "ALL" }, { kGlobalOnOff, 2, "2" },
        { kGlobalPedalMode, 1, "ARP" }, { kGlobalAudioOut, 1, "MONO" }, { kGlobalAudioOut, -3, "-3" },
    };
    for (const auto& c : cases)
        EXPECT_EQ (getParamValueText (c.display, c.value), c.text) << c.display << " " << c.value;

    EXPECT_EQ (getGlobalParamName (21), "MIDI PROGRAM ENA");
    EXPECT_EQ (getGlobalParamName (13), "");
}

TEST_F (GlobalPanel, OnlyTheTwelveGlobalsOfTheTableAreShown)
{
    int shown = 0;
    for (int i = 0; i < GlobalDescriptorTable::kNumRows; ++i)
        shown += panel.getRow (i) != nullptr && panel.getRow (i)->isVisible() ? 1 : 0;
    EXPECT_EQ (shown, GlobalDescriptorTable::kNumShown);
    EXPECT_EQ (panel.getRow (14)->getBounds(), juce::Rectangle<int> (400, 230, 100, 30));
    EXPECT_EQ (panel.getRow (10), nullptr);
}

// The knobs were once drawn from x 17 of their 64-pixel rows, their right edge
// cut off and the value on their lower-left rim.
TEST_F (GlobalPanel, AKnobRowDrawsItsKnobWholeWithTheValueUnderItsCentre)
{
    for (const int index : { 0, 1 })
    {
        auto& knob = row (index);
        SCOPED_TRACE (knob.getDescriptor().name);
        const auto area = knob.getKnobArea();
        EXPECT_TRUE (knob.getLocalBounds().contains (area));
        EXPECT_EQ (area.getCentreX(), knob.getWidth() / 2) << "over its name";

        // Full: the lit ring reaches as far right as the knob does.
        hub().setGlobalValue (index, knob.getDescriptor().maximum);
        auto image = knob.createComponentSnapshot (knob.getLocalBounds());
        for (int y = 0; y < area.getBottom(); ++y)
            for (const int x : { 0, knob.getWidth() - 1 })
                ASSERT_EQ (image.getPixelAt (x, y).getAlpha(), 0) << "the knob touches the row's edge at " << x << ", " << y;

        // Centred: the pointer stands straight up, so all that is white below
        // the knob's centre is the value (the ring is amber).
        hub().setGlobalValue (index, knob.getDescriptor().maximum / 2);
        image = knob.createComponentSnapshot (knob.getLocalBounds());
        juce::Rectangle<int> value;
        for (int y = area.getCentreY() + 1; y < area.getBottom(); ++y)
            for (int x = 0; x < knob.getWidth(); ++x)
                if (const auto c = image.getPixelAt (x, y); c.getBrightness() > 0.8f && c.getSaturation() < 0.2f)
                    value = value.isEmpty() ? juce::Rectangle<int> (x, y, 1, 1) : value.getUnion ({ x, y, 1, 1 });
        ASSERT_FALSE (value.isEmpty());
        EXPECT_NEAR (value.getCentreX(), area.getCentreX(), 2);
    }
}

TEST_F (GlobalPanel, TheChannelMenuListsAllChannelsThenEachChannel)
{
    std::vector<std::pair<int, juce::String>> items;
    const auto menu = row (2).buildValueMenu();
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
        items.emplace_back (it.getItem().itemID, it.getItem().text);

    ASSERT_EQ (items.size(), 17u);
    EXPECT_EQ (items.front(), std::make_pair (1, juce::String ("ALL CHANNELS")));
    EXPECT_EQ (items.back(), std::make_pair (17, juce::String ("CHANNEL 16")));
}

TEST_F (GlobalPanel, EachGestureStoresTheGlobalAndSendsItsNrpn)
{
    hub().setGlobalValue (0, 12);
    press (row (0), 30, 30);
    row (0).mouseDrag (dragBy (row (0), 30, 30, 30, 0));
    EXPECT_EQ (hub().getGlobalValue (0), 14);
    EXPECT_EQ (sentOnceSynthHas (0, 14).back(), std::make_pair (384, 14));

    hub().setGlobalValue (1, 50);
    press (row (1), 30, 30);
    row (1).mouseDrag (dragBy (row (1), 30, 30, 0, -10));
    EXPECT_EQ (sentOnceSynthHas (1, 55).back(), std::make_pair (385, 55));

    hub().setGlobalValue (6, 5);
    press (row (6), 5, 5);
    EXPECT_EQ (hub().getGlobalValue (6), 0) << "any byte but 0 counts as on";
    EXPECT_EQ (sentOnceSynthHas (6, 0).back(), std::make_pair (394, 0));

    row (5).handleValueMenu (4);
    EXPECT_EQ (sentOnceSynthHas (5, 3).back(), std::make_pair (391, 3));
}

TEST_F (GlobalPanel, AWheelStepPastTheEndSendsNothing)
{
    hub().setGlobalValue (0, 24);
    const juce::MouseWheelDetails up { 0.0f, 1.0f, false, false, false }, down { 0.0f, -1.0f, false, false, false };

    row (0).mouseWheelMove (mouseAt (row (0), 5, 5), up);
    row (0).mouseWheelMove (mouseAt (row (0), 5, 5), down);

    EXPECT_EQ (sentOnceSynthHas (0, 23), (std::vector<std::pair<int, int>> { { 384, 23 } }));
}

TEST_F (GlobalPanel, AGlobalDumpFromTheSynthesizerReachesTheOpenPanel)
{
    std::unique_ptr<juce::AudioProcessorEditor> editor (processor->createEditorIfNeeded());
    auto* main = dynamic_cast<MainComp*> (editor->getChildComponent (0));
    main->showMidiSetup (true);
    main->getMidiSetup()->showGlobalPanel (true);
    auto& shown = *main->getMidiSetup()->getGlobalPanel()->getRow (2);

    synth->setGlobal (2, 5);
    synth->panelSendsGlobalDump();

    EXPECT_TRUE (waitUntil ([&] {
        main->handleAsyncUpdate();
        return getParamValueText (kGlobalChannel, shown.getValue()) == "CHANNEL 5";
    }));
    processor->editorBeingDeleted (editor.get());
}
