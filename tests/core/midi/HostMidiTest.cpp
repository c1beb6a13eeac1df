#include "support/SynthRig.h"

#include <gtest/gtest.h>

namespace
{
using Bytes = std::vector<int>;

struct HostMidi : testing::Test, SynthRig
{
    HostMidi() { hub().takeEvents(); }

    // One block of host MIDI; returns what the host gets back.
    juce::MidiBuffer play (std::initializer_list<std::pair<int, juce::MidiMessage>> events, int numSamples = 512)
    {
        juce::MidiBuffer block;
        for (const auto& [position, message] : events)
            block.addEvent (message, position);
        hub().processHostMidi (block, numSamples, 44100);
        return block;
    }

    std::vector<Bytes> synthGot (size_t expected)
    {
        toSynth.waitForReceived (expected, 2000);
        juce::Thread::sleep (10);
        return bytesSentToSynth();
    }

    std::vector<int> eventTypes()
    {
        std::vector<int> types;
        for (auto code : hub().takeEvents())
            types.push_back (UiEventCode::type (code));
        return types;
    }
};

juce::MidiMessage cc (int controller, int value, int channel = 1) { return juce::MidiMessage::controllerEvent (channel, controller, value); }
} // namespace

TEST_F (HostMidi, HostNotesGoThruButTheHostGetsOnlyTheHardwaresNotes)
{
    const auto back = play ({ { 100, juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100) } });

    EXPECT_TRUE (back.isEmpty());
    EXPECT_EQ (synthGot (1), (std::vector<Bytes> { { 0x90, 60, 100 } }));
    EXPECT_EQ (eventTypes(), std::vector<int> { kUiNoteOn });
}

TEST_F (HostMidi, HostNrpnNeverReachesTheSynthesizer)
{
    const auto editBuffer = hub().getEditBufferImage();

    play ({ { 0, cc (99, 0) }, { 0, cc (98, 20) }, { 0, cc (6, 0) }, { 0, cc (38, 5) }, { 1, cc (7, 90) } });

    EXPECT_EQ (synthGot (1), (std::vector<Bytes> { { 0xB0, 7, 90 } }));
    EXPECT_EQ (hub().getEditBufferImage(), editBuffer);
    EXPECT_EQ (eventTypes(), (std::vector<int> (5, kUiController)));
}

TEST_F (HostMidi, ProgramChangesSelectAHardwareProgramOnce)
{
    hub().selectProgram (0, 5, false, false);
    hub().takeEvents();

    play ({ { 0, juce::MidiMessage::programChange (3, 5) } });
    EXPECT_TRUE (synthGot (0).empty());

    play ({ { 0, juce::MidiMessage::programChange (3, 6) } });
    EXPECT_EQ (synthGot (2), (std::vector<Bytes> { { 0xB0, 32, 0 }, { 0xC0, 6 } })) << "on the hub's channel";
    EXPECT_EQ (hub().getEditBufferImage(), hub().getBank (0)->getProgramBlock (6));

    toSynth.clearReceived();
    play ({ { 0, cc (32, 7) } });
    EXPECT_TRUE (synthGot (0).empty()) << "no eighth bank to select";
    EXPECT_EQ (hub().getCurrentHardwareBank(), 0);

    play ({ { 0, cc (32, 2) } });
    EXPECT_EQ (synthGot (2), (std::vector<Bytes> { { 0xB0, 32, 2 }, { 0xC0, 6 } }));
    EXPECT_EQ (hub().getEditBufferImage(), hub().getBank (2)->getProgramBlock (6));
}

TEST_F (HostMidi, ThruSwitchedOffPassesNothing)
{
    hub().setHostToSynthThru (false);

    play ({ { 0, juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100) }, { 5, juce::MidiMessage::pitchWheel (1, 9000) } });

    EXPECT_TRUE (synthGot (0).empty());
    EXPECT_EQ (eventTypes(), (std::vector<int> { kUiNoteOn, kUiPitchBend }));
}

TEST_F (HostMidi, EveryThruMessageTakesTheSameDelay)
{
    hub().setMidiDelays (0, { 30, 30, 30, 30, 30, 30, 0 });
    hub().updateSampleRate (44100);
    const auto start = juce::Time::getMillisecondCounterHiRes();

    play ({ { 0, juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100) }, { 44, juce::MidiMessage::noteOn (1, 62, (juce::uint8) 100) } });

    ASSERT_TRUE (toSynth.waitForReceived (2));
    const auto received = toSynth.getReceived();
    EXPECT_EQ (received[0].getNoteNumber(), 60);
    EXPECT_EQ (received[1].getNoteNumber(), 62);
    EXPECT_GE (received[0].getTimeStamp() - start, 29.0) << "position 0 is delayed too";
}

TEST_F (HostMidi, NotesPlayedOnTheSynthesizerComeBackToTheHost)
{
    synth->panelSends (juce::MidiMessage::noteOn (1, 64, (juce::uint8) 80));
    synth->panelSends (juce::MidiMessage::noteOff (1, 64));

    juce::MidiBuffer back;
    ASSERT_TRUE (waitUntil ([&] {
        auto block = play ({});
        for (const auto event : block)
            back.addEvent (event.getMessage(), event.samplePosition);
        return back.getNumEvents() >= 2;
    }));
    EXPECT_TRUE (back.begin().operator*().getMessage().isNoteOn());
}
