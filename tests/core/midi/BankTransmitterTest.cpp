#include "core/midi/BankTransmitter.h"

#include "support/Waiting.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <vector>

namespace
{
std::vector<BankTransmitter::Dump> dumps (int count)
{
    std::vector<BankTransmitter::Dump> list;
    for (int p = 0; p < count; ++p)
    {
        ByteArray bytes;
        bytes.insertMultiple (0, 0, ProgramImage::kProgramDumpSize);
        list.push_back ({ 0, p, bytes });
    }
    return list;
}

struct Record
{
    std::mutex lock;
    std::vector<std::pair<int, double>> sent; // program, time handed over
    std::atomic<bool> finished { false };

    BankTransmitter::SendFunction sender (int refuseFrom = 1000, int slowMs = 0)
    {
        return [this, refuseFrom, slowMs] (const BankTransmitter::Dump& d) {
            if (d.program >= refuseFrom)
                return false;
            const auto handedOver = juce::Time::getMillisecondCounterHiRes();
            if (slowMs > 0)
                juce::Thread::sleep (slowMs);
            const std::lock_guard<std::mutex> l (lock);
            sent.emplace_back (d.program, handedOver);
            return true;
        };
    }

    size_t count()
    {
        const std::lock_guard<std::mutex> l (lock);
        return sent.size();
    }
};
} // namespace

TEST (BankTransmitter, NeverHandsOverADumpBeforeTheLastHasCrossedTheCableAndTheGapPassed)
{
    Record record;
    BankTransmitter transmitter;
    transmitter.start (dumps (3), record.sender(), [&] { record.finished = true; });

    ASSERT_TRUE (waitUntil ([&] { return record.finished.load(); }));

    const auto spacing = BankTransmitter::spacingMs (ProgramImage::kProgramDumpSize);
    EXPECT_NEAR (spacing, 196.0, 0.001) << "96 ms on the cable and the 100 ms gap";
    ASSERT_EQ (record.count(), 3u);
    for (size_t i = 1; i < 3; ++i)
    {
        EXPECT_EQ (record.sent[i].first, (int) i) << "in slot order";
        EXPECT_GE (record.sent[i].second - record.sent[i - 1].second, spacing - 0.5);
    }
}

TEST (BankTransmitter, StopWaitsForTheDumpInFlightAndSendsNoMore)
{
    Record record;
    BankTransmitter transmitter;
    transmitter.start (dumps (5), record.sender (1000, 100), [&] { record.finished = true; });

    juce::Thread::sleep (30); // inside the first, slow hand-over
    transmitter.stop();

    EXPECT_FALSE (transmitter.isRunning());
    EXPECT_EQ (record.count(), 1u) << "the dump in flight left whole";
    juce::Thread::sleep (250);
    EXPECT_EQ (record.count(), 1u);
    EXPECT_FALSE (record.finished);

    transmitter.start (dumps (1), record.sender(), [&] { record.finished = true; });
    EXPECT_TRUE (waitUntil ([&] { return record.finished.load(); })) << "it starts again";
}

TEST (BankTransmitter, ADumpThatCannotLeaveEndsItWithoutAFinish)
{
    Record record;
    BankTransmitter transmitter;
    transmitter.start (dumps (4), record.sender (1), [&] { record.finished = true; });

    EXPECT_TRUE (waitUntil ([&] { return ! transmitter.isRunning(); }));
    EXPECT_EQ (record.count(), 1u);
    EXPECT_FALSE (record.finished);
}
