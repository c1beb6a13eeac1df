#include "core/midi/MidiClockGenerator.h"

#include <cmath>

namespace
{
constexpr int kTicksPerQuarterNote = 24;

long roundHalfUp (double value)
{
    return (long) std::floor (value + 0.5);
}

long roundHalfEven (double value)
{
    return (long) std::nearbyint (value);
}
} // namespace

int MidiClockGenerator::songPositionOf (double quarterNotes)
{
    return juce::jmax (0, (int) std::ceil (quarterNotes * 4.0));
}

void MidiClockGenerator::addSongPosition (double quarterNotes, juce::MidiBuffer& buffer)
{
    const int s = songPositionOf (quarterNotes);
    const juce::uint8 bytes[] = { 0xF2, (juce::uint8) (s & 0x7F), (juce::uint8) ((s >> 7) & 0x7F) };
    buffer.addEvent (bytes, 3, 0);
}

void MidiClockGenerator::renderBlock (const Position& position, juce::MidiBuffer* buffer, int numSamples, int sampleRate)
{
    if (buffer == nullptr || sampleRate <= 0)
        return;

    const double bpm = position.bpm;
    const double c = position.ppqPosition;

    // A host that reports no tempo (some do while stopped) gets no ticks and
    // no movement rather than a division by zero.
    const bool hasTempo = bpm > 0.0;
    const double beatsPerSample = hasTempo ? bpm / 60.0 / sampleRate : 0.0;
    const double window = sampleRate * kTolerance * beatsPerSample;
    const bool outside = c < lastPosition - window || c > lastPosition + window;

    if (! (position.isPlaying || position.isRecording))
    {
        if (running || outside)
        {
            buffer->addEvent (stop, 0);
            addSongPosition (c, *buffer);
        }

        lastPosition = c;
        pending = kContinuePending;
        running = false;
        return;
    }

    const double sixteenthStart = songPositionOf (c) / 4.0;

    if (! running)
    {
        startPosition = sixteenthStart;
        if (outside)
            addSongPosition (c, *buffer);
    }
    else if (outside)
    {
        startPosition = sixteenthStart;
        if (pending == 0)
            buffer->addEvent (stop, 0);
        addSongPosition (c, *buffer);
        pending = kContinuePending;
    }

    // Too fast a tempo would round the spacing to 0 samples.
    const long spacing = hasTempo ? juce::jmax (1L, roundHalfEven (sampleRate * 60.0 / (bpm * kTicksPerQuarterNote))) : 1;
    const long offset = hasTempo ? roundHalfUp (60.0 / bpm * c * sampleRate) : 0;
    const bool looping = position.isLooping && position.ppqLoopStart != position.ppqLoopEnd;

    for (int i = 0; i < numSamples; ++i)
    {
        const double f = c + i * beatsPerSample;
        lastPosition = f;

        if (f >= startPosition)
        {
            if ((pending & kContinuePending) != 0)
            {
                buffer->addEvent (continueMessage, i);
                pending &= ~kContinuePending;
            }

            if (looping && hasTempo && (pending & kLoopStopSent) == 0)
            {
                const long toLoopEnd = roundHalfUp (std::abs (position.ppqLoopEnd - f) * 60.0 / bpm * sampleRate);
                if (toLoopEnd <= spacing)
                {
                    buffer->addEvent (stop, i);
                    pending |= kLoopStopSent;
                }
            }
        }

        if (tickSwitch && hasTempo && ((offset + i) % spacing + spacing) % spacing == 0)
            buffer->addEvent (clock, i);
    }

    running = true;
}
