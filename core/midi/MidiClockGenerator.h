#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// Renders MIDI clock, song position, stop and continue for one audio block
// from the host's transport. Audio thread only; allocates nothing beyond the
// buffer's reserved storage.
class MidiClockGenerator
{
public:
    using Position = juce::AudioPlayHead::CurrentPositionInfo;

    static constexpr double kTolerance = 0.001;  // seconds the position may stray before it is a jump
    static constexpr int kContinuePending = 2;   // pending bit 1
    static constexpr int kLoopStopSent = 1;      // pending bit 0

    void renderBlock (const Position& position, juce::MidiBuffer* buffer, int numSamples, int sampleRate);
    static void addSongPosition (double quarterNotes, juce::MidiBuffer& buffer);

    // Sixteenth notes up to the position, never below 0 (a count-in has no song position).
    static int songPositionOf (double quarterNotes);

    bool tickSwitch = true;

    bool isRunning() const noexcept { return running; }
    int getPending() const noexcept { return pending; }

private:
    bool running = false;
    double lastPosition = -999.0;
    double startPosition = 0.0;

    // A continue is pending from the start, so the very first playing block
    // starts the synthesizer like any other start.
    int pending = kContinuePending;

    const juce::MidiMessage clock { juce::MidiMessage::midiClock() };
    const juce::MidiMessage continueMessage { juce::MidiMessage::midiContinue() };
    const juce::MidiMessage stop { juce::MidiMessage::midiStop() };
};
