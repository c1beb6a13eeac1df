#include "support/SynthRig.h"
#include "support/TestPlayHead.h"

#include <gtest/gtest.h>

TEST (ProcessorClock, ClockReachesTheSynthesizerOnlyWhileTheSwitchIsOn)
{
    for (const bool clockOn : { true, false })
    {
        SynthRig rig;
        rig.hub().setClockOn (clockOn);
        TestPlayHead head;
        rig.processor->setPlayHead (&head);
        rig.processor->prepareToPlay (44100.0, 256);
        juce::AudioBuffer<float> audio (1, 256);
        juce::MidiBuffer midi;

        for (int block = 0; block < 20; ++block)
        {
            midi.clear();
            rig.processor->processBlock (audio, midi);
            head.advance (256);
        }

        const auto ticks = [&] {
            int n = 0;
            for (const auto& m : rig.synth->getReceived())
                n += m.getRawData()[0] == 0xF8 ? 1 : 0;
            return n;
        };

        // Each block renders the transport read at the end of the one before:
        // 19 blocks from position 0 hold ticks at 0, 919, ... 4595.
        const int expected = clockOn ? 6 : 0;
        EXPECT_TRUE (waitUntil ([&] { return ticks() >= expected; }));
        juce::Thread::sleep (20);
        EXPECT_EQ (ticks(), expected) << clockOn;
        rig.processor->setPlayHead (nullptr);
    }
}
