#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// A host transport playing at a fixed tempo, moved on block by block.
class TestPlayHead : public juce::AudioPlayHead
{
public:
    explicit TestPlayHead (double tempo = 120.0, double rate = 44100.0) : bpm (tempo), sampleRate (rate) {}

    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setBpm (bpm);
        info.setIsPlaying (playing);
        info.setPpqPosition (samples / sampleRate * bpm / 60.0);
        info.setTimeInSamples ((juce::int64) samples);
        info.setTimeInSeconds (samples / sampleRate);
        return info;
    }

    void advance (int numSamples) { samples += numSamples; }

    double bpm, sampleRate;
    double samples = 0;
    bool playing = true;
};
