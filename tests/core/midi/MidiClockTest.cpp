#include "core/midi/MidiClockGenerator.h"

#include <gtest/gtest.h>

namespace
{
using Position = MidiClockGenerator::Position;

Position transport (double quarterNotes, bool playing, double bpm = 120.0)
{
    Position p;
    p.resetToDefault();
    p.ppqPosition = quarterNotes;
    p.isPlaying = playing;
    p.bpm = bpm;
    return p;
}

struct Rendered
{
    std::vector<std::pair<int, std::vector<int>>> events; // sample, bytes

    std::vector<int> samplesOf (int status) const
    {
        std::vector<int> samples;
        for (const auto& [sample, bytes] : events)
            if (bytes[0] == status)
                samples.push_back (sample);
        return samples;
    }

    std::vector<std::vector<int>> nonClock() const
    {
        std::vector<std::vector<int>> result;
        for (const auto& [sample, bytes] : events)
            if (bytes[0] != 0xF8)
                result.push_back (bytes);
        return result;
    }
};

Rendered render (MidiClockGenerator& generator, const Position& position, int numSamples = 512, int rate = 44100)
{
    juce::MidiBuffer buffer;
    generator.renderBlock (position, &buffer, numSamples, rate);

    Rendered r;
    for (const auto event : buffer)
        r.events.push_back ({ event.samplePosition, std::vector<int> (event.data, event.data + event.numBytes) });
    return r;
}

const std::vector<int> stop { 0xFC }, cont { 0xFB };
std::vector<int> songPosition (int s) { return { 0xF2, s & 0x7F, (s >> 7) & 0x7F }; }
} // namespace

TEST (MidiClock, TicksFallOnTheGridFromPositionZero)
{
    MidiClockGenerator generator;

    const auto r = render (generator, transport (0.0, true), 2000);

    EXPECT_EQ (r.samplesOf (0xF8), (std::vector<int> { 0, 919, 1838 }));
    // The very first playing block starts the synthesizer like any other start.
    EXPECT_EQ (r.nonClock(), (std::vector<std::vector<int>> { songPosition (0), cont }));
}

TEST (MidiClock, SongPositionsAreSixteenthsRoundedUp)
{
    const std::pair<double, std::vector<int>> cases[] = {
        { 1.3, { 0xF2, 6, 0 } }, { 40.0, { 0xF2, 0x20, 0x01 } }, { 0.0, { 0xF2, 0, 0 } }, { -2.5, { 0xF2, 0, 0 } },
    };

    for (const auto& [position, bytes] : cases)
    {
        juce::MidiBuffer buffer;
        MidiClockGenerator::addSongPosition (position, buffer);
        const auto event = *buffer.begin();
        EXPECT_EQ (std::vector<int> (event.data, event.data + event.numBytes), bytes) << position;
    }
}

TEST (MidiClock, RelocatingWhileStoppedSendsOnlyRealMoves)
{
    MidiClockGenerator generator;
    render (generator, transport (2.0005, false));

    EXPECT_TRUE (render (generator, transport (2.0, false)).events.empty());
    EXPECT_EQ (render (generator, transport (3.0, false)).nonClock(), (std::vector<std::vector<int>> { stop, songPosition (12) }));
}

TEST (MidiClock, StartingWhereItStoppedContinuesAtTheNextSixteenth)
{
    MidiClockGenerator generator;
    render (generator, transport (1.1, false));

    const auto r = render (generator, transport (1.1, true), 4096);

    EXPECT_EQ (r.nonClock(), (std::vector<std::vector<int>> { cont }));
    EXPECT_EQ (r.samplesOf (0xFB), std::vector<int> { 3308 }); // where the position reaches 1.25
}

TEST (MidiClock, ALoopStopsBeforeItsEndAndContinuesFromItsStart)
{
    MidiClockGenerator generator;
    auto looping = [] (double position) {
        auto p = transport (position, true);
        p.isLooping = true;
        p.ppqLoopStart = 4.0;
        p.ppqLoopEnd = 8.0;
        return p;
    };

    render (generator, looping (7.9), 512);
    const double beatsPerSample = 2.0 / 44100.0;
    const auto beforeEnd = render (generator, looping (7.9 + 512 * beatsPerSample), 2048);
    ASSERT_EQ (beforeEnd.samplesOf (0xFC).size(), 1u);
    const int stopSample = beforeEnd.samplesOf (0xFC)[0];
    const double stopPosition = 7.9 + (512 + stopSample) * beatsPerSample;
    EXPECT_LE (8.0 - stopPosition, 919 * beatsPerSample + 1e-9) << "within one tick of the loop end";

    const auto wrapped = render (generator, looping (4.0), 512);
    EXPECT_EQ (wrapped.nonClock(), (std::vector<std::vector<int>> { songPosition (16), cont }));
    EXPECT_EQ (wrapped.samplesOf (0xFB), std::vector<int> { 0 });
}

TEST (MidiClock, ATempoOfZeroSendsNoTicksAndAHugeOneTicksEverySample)
{
    MidiClockGenerator generator;
    const auto still = render (generator, transport (0.0, true, 0.0), 512);
    EXPECT_TRUE (still.samplesOf (0xF8).empty());

    MidiClockGenerator fast;
    const auto r = render (fast, transport (0.0, true, 1.0e7), 16);
    EXPECT_EQ (r.samplesOf (0xF8).size(), 16u);
}

TEST (MidiClock, ACountInSendsSongPositionZeroUntilItReachesZero)
{
    MidiClockGenerator generator;

    const auto r = render (generator, transport (-1.0, true), 512);

    EXPECT_EQ (r.nonClock().front(), songPosition (0));
    EXPECT_TRUE (r.samplesOf (0xFB).empty()) << "the continue waits for position 0";
}

TEST (MidiClock, TheTickSwitchSilencesTicksButNotTheTransport)
{
    MidiClockGenerator generator;
    generator.tickSwitch = false;

    const auto r = render (generator, transport (0.0, true), 2000);

    EXPECT_TRUE (r.samplesOf (0xF8).empty());
    EXPECT_EQ (r.nonClock(), (std::vector<std::vector<int>> { songPosition (0), cont }));
}
