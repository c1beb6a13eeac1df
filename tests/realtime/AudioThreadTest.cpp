#include "realtime/AllocationCounter.h"
#include "support/AutomationLoop.h"

#include <gtest/gtest.h>

TEST (AudioThread, TheBusiestBlockNeverAllocates)
{
    AutomationLoop loop (44100.0);
    loop.runBlock(); // the first block may size what it keeps

    long allocations = 0;
    int hostNotesBack = 0;
    {
        const ScopedAllocationCount counter;
        for (int i = 0; i < 10000; ++i)
        {
            loop.runBlock();
            hostNotesBack += loop.midi.getNumEvents();
        }
        allocations = counter.count();
    }

    EXPECT_EQ (allocations, 0);
    EXPECT_GT (hostNotesBack, 0) << "the synthesizer's notes reached the host";
    int ticks = 0;
    for (const auto& m : loop.synth->getReceived())
        ticks += m.getRawData()[0] == 0xF8 ? 1 : 0;
    EXPECT_GT (ticks, 0) << "the clock ran";
}

TEST (AudioThread, TheHostsProgramChangesAllocateNothing)
{
    // Each replaces the edit buffer, which the host must be told of from
    // the message thread.
    AutomationLoop loop (44100.0);
    loop.runBlock();
    juce::MidiBuffer block;
    block.ensureSize (256);

    long allocations = 0;
    {
        const ScopedAllocationCount counter;
        for (int program = 1; program < 128; ++program)
        {
            block.clear();
            block.addEvent (juce::MidiMessage::programChange (1, program), 0);
            loop.processor->processBlock (loop.audio, block);
        }
        allocations = counter.count();
    }

    EXPECT_EQ (allocations, 0);
    EXPECT_EQ (loop.hub().getEditBufferImage(), loop.hub().getBank (0)->getProgramBlock (127));
}

TEST (AudioThread, TheCounterSeesAnAllocation)
{
    static int* volatile kept = nullptr; // keeps the compiler from eliding the pair
    const ScopedAllocationCount counter;
    kept = new int (3);
    delete kept;
    EXPECT_EQ (counter.count(), 1);
}
