#pragma once

#include "support/SynthRig.h"
#include "support/TestPlayHead.h"

#include <atomic>
#include <thread>

// The busiest session the plug-in meets: a host automating all 184 program
// parameters in every block while its transport plays with the clock on,
// host notes go thru to the synthesizer, and notes played on the synthesizer
// keep arriving on the MIDI input thread.
struct AutomationLoop : SynthRig
{
    static constexpr int kBlockSize = 256;

    explicit AutomationLoop (double rate = 48000.0) : sampleRate (rate), head (120.0, rate)
    {
        hub().setClockOn (true);
        processor->setPlayHead (&head);
        processor->setRateAndBufferSizeDetails (sampleRate, kBlockSize);
        processor->prepareToPlay (sampleRate, kBlockSize);
        audio.clear();
        midi.ensureSize (4096);

        hardwareNotes = std::thread ([this] {
            for (int i = 0; playing; ++i)
            {
                fromSynth.send (i % 2 == 0 ? juce::MidiMessage::noteOn (1, 48 + i % 24, (juce::uint8) 90)
                                           : juce::MidiMessage::noteOff (1, 48 + (i - 1) % 24));
                std::this_thread::sleep_for (std::chrono::milliseconds (2));
            }
        });
    }

    ~AutomationLoop()
    {
        playing = false;
        hardwareNotes.join();
        processor->setPlayHead (nullptr);
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
        midi.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 10);
        midi.addEvent (juce::MidiMessage::noteOff (1, 60), 200);
        processor->processBlock (audio, midi);
        head.advance (kBlockSize);
        ++block;
    }
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    double sampleRate;
    TestPlayHead head;
    juce::AudioBuffer<float> audio { 1, kBlockSize };
    juce::MidiBuffer midi;
    int block = 0;
    std::atomic<bool> playing { true };
    std::thread hardwareNotes;
};
