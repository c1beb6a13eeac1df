#pragma once

#include "support/SynthRig.h"

// A host automating all 184 program parameters in every block, with the
// processor's MIDI output open to the simulated synthesizer.
struct AutomationLoop : SynthRig
{
    static constexpr int kBlockSize = 256;
    static constexpr double kSampleRate = 48000.0;

    AutomationLoop()
    {
        processor->prepareToPlay (kSampleRate, kBlockSize);
        audio.clear();
    }

    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    void runBlock()
    {
        const auto& tables = hub().getParameterTables();

        for (int position = 0; position < 184; ++position)
        {
            const int max = tables.getMax (position);
            processor->setParameter (position, (float) ((block + position) % (max + 1)) / (float) max);
        }

        midi.clear();
        processor->processBlock (audio, midi);
        ++block;
    }
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    juce::AudioBuffer<float> audio { 1, kBlockSize };
    juce::MidiBuffer midi;
    int block = 0;
};
