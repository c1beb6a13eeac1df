#include "core/HostParameters.h"
#include "editor/keyboard/KeyboardRig.h"

#include <gtest/gtest.h>

using widgetharness::press;
using widgetharness::release;

namespace
{
struct Wheels : testing::Test, KeyboardRig
{
    WheelCnt& pitch() { return drawer().getPitchWheel(); }
    WheelCnt& mod() { return drawer().getModWheel(); }

    std::vector<int> bendsSent()
    {
        std::vector<int> values;
        for (const auto& m : channelMessages())
            if (m.isPitchWheel())
                values.push_back (m.getPitchWheelValue());
        return values;
    }

    std::vector<int> modWheelSent()
    {
        std::vector<int> values;
        for (const auto& m : channelMessages())
            if (m.isControllerOfType (1))
                values.push_back (m.getControllerValue());
        return values;
    }

    // What the host learns: the processor drains the hub's queue on its change message.
    int hostValue (int index)
    {
        processor->changeListenerCallback (&hub());
        return processor->getControllerValue (index);
    }
};
} // namespace

TEST (WheelFrames, TheFilmStripFollowsTheValue)
{
    const std::pair<int, int> cases[] = { { 0, 0 }, { 64, 17 }, { 126, 33 }, { 127, 34 } };
    for (auto [value, frame] : cases)
        EXPECT_EQ (WheelCnt::frameFor (value), frame) << value;
}

TEST_F (Wheels, ThePitchWheelBendsAndSpringsBackAndTheHostFollows)
{
    main->handleChannelMenu (3);
    toSynth.clearReceived();

    press (pitch(), 10, 50);
    drag (pitch(), 10, 40);
    EXPECT_EQ (hostValue (HostParameter::kPitchBend), 9472);
    release (pitch(), 10, 40);

    EXPECT_EQ (bendsSent(), (std::vector<int> { 9472, 8192 }));
    for (const auto& m : channelMessages())
        EXPECT_EQ (m.getChannel(), 3);
    EXPECT_EQ (hostValue (HostParameter::kPitchBend), 8192);
    EXPECT_EQ (pitch().getValue(), WheelCnt::kPitchCentre);
}

TEST_F (Wheels, TheModulationWheelStaysAndStopsAtItsEnds)
{
    main->handleChannelMenu (2);
    toSynth.clearReceived();

    press (mod(), 10, 100);
    drag (mod(), 10, 80);
    drag (mod(), 10, -100);
    drag (mod(), 10, -200); // past the top: nothing more to send
    release (mod(), 10, -200);

    EXPECT_EQ (modWheelSent(), (std::vector<int> { 20, 127 }));
    EXPECT_EQ (mod().getValue(), 127);
    EXPECT_EQ (hostValue (HostParameter::kModWheel), 127);
    for (const auto& m : channelMessages())
        EXPECT_EQ (m.getChannel(), 2);
}

TEST_F (Wheels, TheWheelsFollowTheSynthesizerWithoutSendingBack)
{
    toSynth.clearReceived();

    synth->panelSends (juce::MidiMessage::controllerEvent (1, 1, 100));
    synth->panelSends (juce::MidiMessage::pitchWheel (1, 127 * 128));
    synth->panelSends (juce::MidiMessage::controllerEvent (1, 7, 30));
    ASSERT_TRUE (waitUntil ([&] {
        main->handleAsyncUpdate();
        return mod().getValue() == 100 && pitch().getValue() == 127;
    }));

    EXPECT_TRUE (modWheelSent().empty());
    EXPECT_TRUE (bendsSent().empty());
}

TEST_F (Wheels, TheMouseWheelStepsByOne)
{
    juce::MouseWheelDetails up {};
    up.deltaY = 0.5f;
    auto down = up;
    down.deltaY = -0.5f;

    mod().mouseWheelMove (widgetharness::mouseAt (mod(), 5, 5), up);
    mod().mouseWheelMove (widgetharness::mouseAt (mod(), 5, 5), up);
    mod().mouseWheelMove (widgetharness::mouseAt (mod(), 5, 5), down);

    EXPECT_EQ (modWheelSent(), (std::vector<int> { 1, 2, 1 }));
}
