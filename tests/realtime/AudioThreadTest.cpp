#include "realtime/AllocationCounter.h"
#include "support/AutomationLoop.h"

#include <gtest/gtest.h>

TEST (AudioThread, AutomatingEveryProgramParameterNeverAllocates)
{
    AutomationLoop loop;
    loop.runBlock(); // the first block may size what it keeps

    long allocations = 0;
    {
        const ScopedAllocationCount counter;
        for (int i = 0; i < 200; ++i)
            loop.runBlock();
        allocations = counter.count();
    }

    EXPECT_EQ (allocations, 0);
    EXPECT_TRUE (loop.toSynth.waitForReceived (100)) << "the changes must still reach the synthesizer";
}

TEST (AudioThread, TheCounterSeesAnAllocation)
{
    static int* volatile kept = nullptr; // keeps the compiler from eliding the pair
    const ScopedAllocationCount counter;
    kept = new int (3);
    delete kept;
    EXPECT_EQ (counter.count(), 1);
}
