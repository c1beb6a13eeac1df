#include "core/midi/MidiCntrState.h"
#include "support/HubRig.h"

#include <gtest/gtest.h>

namespace
{
// The hub as the VST2 build runs it.
struct Vst2Input : testing::Test, HubRig
{
    Vst2Input() { hub.setVst2Form (true); }

    std::vector<std::vector<int>> hostGets()
    {
        juce::MidiBuffer block;
        hub.processHostMidi (block, 256, 44100);
        std::vector<std::vector<int>> messages;
        for (const auto event : block)
            messages.emplace_back (event.data, event.data + event.numBytes);
        return messages;
    }
};

using M = juce::MidiMessage;
} // namespace

TEST_F (Vst2Input, WithTheSwitchOnTheHardwareReachesTheHost)
{
    hub.setSynthToHostThru (true);

    receive (M::noteOn (1, 60, (juce::uint8) 100));
    receive (M::controllerEvent (1, 7, 90));
    receive (M::controllerEvent (1, 0, 1));
    receive (M::controllerEvent (1, 38, 5));
    receive (M::controllerEvent (1, 99, 0));

    EXPECT_EQ (hostGets(), (std::vector<std::vector<int>> { { 0x90, 60, 100 }, { 0xB0, 7, 90 }, { 0xB0, 0, 1 } }));
    EXPECT_TRUE (hub.takeEvents().isEmpty()) << "a forwarded note posts no event";
}

TEST_F (Vst2Input, ABankSelectReloadsTheEditBufferWhateverTheSwitch)
{
    for (const bool thru : { true, false })
    {
        hub.setSynthToHostThru (thru);
        const int bank = thru ? 1 : 2;

        receive (M::controllerEvent (1, 32, bank));

        EXPECT_EQ (hostBank.getEditBufferBlock(), hub.getBank (bank)->getProgramBlock (hub.getCurrentHardwareProgram())) << thru;
        EXPECT_EQ (hostGets().size(), thru ? 1u : 0u) << thru;
    }
}

TEST_F (Vst2Input, WithTheSwitchOffNothingReachesTheHostButTheModelFollows)
{
    hub.setSynthToHostThru (false);

    receive (M::noteOn (1, 60, (juce::uint8) 100));
    receive (M::controllerEvent (1, 7, 90));
    receive (M::controllerEvent (1, 1, 70));
    for (auto m : { M::controllerEvent (1, 99, 0), M::controllerEvent (1, 98, 40), M::controllerEvent (1, 6, 0), M::controllerEvent (1, 38, 17) })
        receive (m);

    EXPECT_TRUE (hostGets().empty());
    std::vector<int> types;
    for (auto code : hub.takeEvents())
        types.push_back (UiEventCode::type (code));
    EXPECT_EQ (types, (std::vector<int> { kUiNoteOn, kUiController }));
    EXPECT_EQ (hub.takeControllerChanges(), juce::Array<int> ({ ControllerChangeCode::make (hub.nrpnToParam (40), 17) }));
}

TEST_F (Vst2Input, TheWheelsTellTheHostWithMidi)
{
    hub.sendModWheel (1, 64);
    hub.sendPitchBend (1, 8192);
    hub.sendModWheel (17, 64); // no such channel

    EXPECT_EQ (hostGets(), (std::vector<std::vector<int>> { { 0xB0, 1, 64 }, { 0xE0, 0, 64 } }));
    EXPECT_TRUE (hub.takeControllerChanges().isEmpty());
}
