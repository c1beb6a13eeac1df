#include "core/midi/MidiCntrState.h"
#include "support/SynthRig.h"

#include <gtest/gtest.h>

namespace
{
using Bytes = std::vector<int>;

Bytes cc (int controller, int value, int channel = 1) { return { 0xB0 + channel - 1, controller, value }; }

struct OutputRig : testing::Test, SynthRig
{
    // Runs the action and returns what reached the synthesizer, once
    // `expected` messages have arrived (and a moment more for any extra).
    std::vector<Bytes> sent (const std::function<void()>& action, size_t expected)
    {
        toSynth.clearReceived();
        action();
        toSynth.waitForReceived (expected, 2000);
        juce::Thread::sleep (10);
        return bytesSentToSynth();
    }

    int synthByte (int position) { return synth->getEditBuffer()[(size_t) position]; }
};
} // namespace

TEST (MidiOutput, SampleRateIndexFollowsTheRate)
{
    const std::pair<int, int> cases[] = { { 44100, 0 }, { 48000, 1 }, { 48100, 1 }, { 88200, 2 }, { 96000, 3 },
                                          { 176400, 4 }, { 192000, 5 }, { 22050, 0 }, { 0, 0 } };

    for (auto [rate, index] : cases)
        EXPECT_EQ (MidiCntrState::sampleRateIndexFor (rate), index) << rate;
}

TEST_F (OutputRig, NrpnRepeatsAreSuppressedAndShortenedWhenSafe)
{
    auto& h = hub();

    EXPECT_EQ (sent ([&] { h.sendNrpn (20, 300, 0, 44100); }, 4), (std::vector<Bytes> { cc (99, 0), cc (98, 20), cc (6, 2), cc (38, 44) }));
    EXPECT_EQ (sent ([&] { h.sendNrpn (20, 300, 0, 44100); }, 0), (std::vector<Bytes> {}));
    EXPECT_EQ (sent ([&] { h.sendNrpn (20, 301, 0, 44100); }, 1), (std::vector<Bytes> { cc (38, 45) }));
    EXPECT_EQ (sent ([&] { h.sendNrpn (20, 128, 0, 44100); }, 2), (std::vector<Bytes> { cc (6, 1), cc (38, 0) }));

    // After a whole sequence sent without the cache, the cache is not trusted.
    EXPECT_EQ (sent ([&] { h.sendNrpnNow (392, 3); }, 4).size(), 4u);
    EXPECT_EQ (sent ([&] { h.sendNrpn (20, 128, 0, 44100); }, 4).size(), 4u);
}

TEST_F (OutputRig, ProgramChangesAndDumpsMakeTheCacheForgetItsValue)
{
    auto& h = hub();
    h.sendNrpn (20, 100, 0, 44100);
    toSynth.waitForReceived (4);

    h.selectProgram (0, 3, true, false);
    ASSERT_TRUE (toSynth.waitForReceived (6));

    // The synthesizer now holds program 3's filter setting; sending the old
    // value again must reach it.
    const auto afterChange = sent ([&] { h.sendNrpn (20, 100, 0, 44100); }, 4);
    EXPECT_EQ (afterChange, (std::vector<Bytes> { cc (99, 0), cc (98, 20), cc (6, 0), cc (38, 100) }));
}

TEST_F (OutputRig, ADelayedSequenceNeverLetsAShortenedOneLandOnAnotherParameter)
{
    auto& h = hub();
    const auto& tables = h.getParameterTables();

    h.sendNrpn (20, 50, 40, 44100);  // delayed: filter frequency, arrives last
    h.sendNrpn (21, 60, 0, 44100);   // now: resonance
    h.sendNrpn (21, 61, 40, 44100);  // delayed again, behind the filter sequence

    ASSERT_TRUE (toSynth.waitForReceived (12, 2000)) << "the last sequence must be sent whole";
    juce::Thread::sleep (10);
    EXPECT_EQ (synthByte (tables.nrpnToParam (20)), 50);
    EXPECT_EQ (synthByte (tables.nrpnToParam (21)), 61);
}

TEST_F (OutputRig, ChannelsAndProgramsOutsideTheirRangeSendNothing)
{
    auto& ports = hub().getPorts();

    EXPECT_EQ (sent ([&] { ports.sendController (0, 7, 100); }, 1), (std::vector<Bytes> { cc (7, 100, 1) }));
    EXPECT_EQ (sent ([&] { ports.sendController (17, 7, 100); }, 0), (std::vector<Bytes> {}));
    EXPECT_EQ (sent ([&] { ports.sendProgramChange (1, 128); }, 0), (std::vector<Bytes> {}));
    EXPECT_EQ (sent ([&] { ports.sendProgramChange (16, 127); }, 1), (std::vector<Bytes> { { 0xCF, 127 } }));
    EXPECT_EQ (sent ([&] { ports.sendNoteOn (2, 60, 200); }, 1), (std::vector<Bytes> { { 0x91, 60, 127 } }));
    EXPECT_EQ (sent ([&] { ports.sendPitchBend (1, 8192); }, 1), (std::vector<Bytes> { { 0xE0, 0, 64 } }));
}

TEST_F (OutputRig, LongSysExLeavesIn256BytePieces)
{
    auto& ports = hub().getPorts();

    struct Case
    {
        int size;
        std::vector<size_t> pieces;
    };
    for (const auto& c : { Case { 256, { 256 } }, Case { 257, { 256, 1 } }, Case { 298, { 256, 42 } }, Case { 513, { 256, 256, 1 } } })
    {
        std::vector<juce::uint8> block ((size_t) c.size, 0x11);
        block.front() = 0xF0;
        block.back() = 0xF7;

        const auto received = sent ([&] { ports.sendSysEx (block.data(), c.size); }, c.pieces.size());

        ASSERT_EQ (received.size(), c.pieces.size()) << c.size;
        std::vector<int> joined;
        for (size_t i = 0; i < received.size(); ++i)
        {
            EXPECT_EQ (received[i].size(), c.pieces[i]) << c.size;
            joined.insert (joined.end(), received[i].begin(), received[i].end());
        }
        EXPECT_EQ (joined, std::vector<int> (block.begin(), block.end()));
    }
}

TEST_F (OutputRig, HostParameterChangesReachTheSynthesizer)
{
    processor->setParameter (20, 100.0f / 164.0f);  // filter frequency
    processor->setParameter (95, 1.0f);             // tempo

    ASSERT_TRUE (waitUntil ([&] { return synthByte (20) == 100 && synthByte (95) == 250; }));
    EXPECT_EQ (hub().getEditBufferByte (20), 100);
}

TEST_F (OutputRig, TheMidiDelayHoldsHostChangesBackInOrder)
{
    juce::Array<int> delays { 20, 20, 20, 20, 20, 20, 0 };
    hub().setMidiDelays (0, delays);
    processor->prepareToPlay (48000, 256);

    toSynth.clearReceived();
    const auto start = juce::Time::getMillisecondCounterHiRes();
    processor->setParameter (21, 10.0f / 127.0f);
    processor->setParameter (22, 20.0f / 127.0f);

    ASSERT_TRUE (toSynth.waitForReceived (8));
    const auto received = toSynth.getReceived();
    EXPECT_GE (received.front().getTimeStamp() - start, 19.0);
    EXPECT_EQ (received[3].getControllerValue(), 10);
    EXPECT_EQ (received[7].getControllerValue(), 20);
}

TEST_F (OutputRig, BytesWhoseNumberBelongsToAnotherParameterAreNotSent)
{
    EXPECT_EQ (sent ([&] {
        for (int position = 111; position <= 116; ++position)
            processor->setParameter (position, 0.5f);
    }, 0), (std::vector<Bytes> {}));
    EXPECT_EQ (hub().getEditBufferByte (111), 64);
}

TEST_F (OutputRig, ProgramParameterNeverSelectsAFourthBank)
{
    hub().sendControllerParameter (217, 5);

    EXPECT_EQ (sent ([&] { hub().sendControllerParameter (184, 3); }, 0), (std::vector<Bytes> {}));
    EXPECT_EQ (hub().getCurrentHardwareProgram(), 0);
}

TEST (MidiDelays, MissingMarkerGivesTheDefaultsAndModeZero)
{
    juce::StringArray list;
    for (int i = 0; i < 50; ++i)
        list.add ("7");
    list.set (kSlotDelayMarker, "0");
    getGlobalSettingsFile().replaceWithText (buildSettingsText (list));

    MidiCntrState hub;

    EXPECT_EQ (hub.getSettings()[kSlotDelayMarker], "333");
    EXPECT_EQ (hub.getSettings()[kSlotDelayMode], "402");
    EXPECT_EQ (hub.getDelayMode(), 0);
    EXPECT_EQ (hub.getMidiDelay (0), 0);
}

TEST (MidiDelays, StoredDelaysApplyAtTheirRateWhateverTheStoredMode)
{
    juce::StringArray list;
    for (int i = 0; i < 50; ++i)
        list.add ("0");
    list.set (kSlotDelayMarker, "333");
    for (int i = 0; i < 6; ++i)
        list.set (kSlotDelayFirst + i, juce::String (10 * (i + 1)));
    list.set (kSlotDelayMode, "402");
    list.set (kSlotDelaySeventh, "70");
    getGlobalSettingsFile().replaceWithText (buildSettingsText (list));

    MidiCntrState hub;
    hub.updateSampleRate (48000);

    EXPECT_EQ (hub.getDelayMode(), 0);
    EXPECT_EQ (hub.getMidiDelayInForce(), 20);
    EXPECT_EQ (hub.getMidiDelay (6), 70);

    hub.setMidiDelays (100, { 1, 2, 3, 4, 5, 6, 7 });
    EXPECT_EQ (hub.getMidiDelayInForce(), 0) << "a mode of 100 or more switches the delay off";
    EXPECT_EQ (hub.getSettings()[kSlotDelayFirst + 5], "6");
    EXPECT_EQ (hub.getSettings()[kSlotDelayMode], "100");
    EXPECT_EQ (hub.getSettings()[kSlotDelaySeventh], "7");
}
