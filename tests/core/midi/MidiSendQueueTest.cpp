#include "core/midi/MidiSendQueue.h"
#include "support/VirtualMidi.h"

#include <gtest/gtest.h>

#include <thread>

// Nothing polls the queue: its thread sleeps until a push wakes it or the
// next message falls due. A wake-up lost in between would leave a message
// undelivered for good, and a wait cut too short would send it early.
namespace
{
struct SendQueueRig : testing::Test
{
    SendQueueRig() { queue.start (*port); }
    ~SendQueueRig() override { queue.stop(); }

    static juce::MidiMessage controller (int value) { return juce::MidiMessage::controllerEvent (1, 7, value); }

    std::vector<int> receivedValues() const
    {
        std::vector<int> values;
        for (const auto& m : output.getReceived())
            values.push_back (m.getControllerValue());
        return values;
    }

    VirtualMidiDeviceLayer layer;
    VirtualMidiOutput& output = layer.addOutput ("Out", "out");
    std::unique_ptr<MidiOutputPort> port = layer.openOutput ("out");
    MidiSendQueue queue;
};
} // namespace

TEST_F (SendQueueRig, EveryMessageArrivesWithoutAnotherPushToWakeTheThread)
{
    // One at a time, each pushed as the thread goes back to sleep after the
    // last, or long after it fell asleep.
    for (int i = 0; i < 300; ++i)
    {
        if (i % 50 == 49)
            juce::Thread::sleep (100);

        ASSERT_TRUE (queue.push (controller (i % 128), MidiSendQueue::now()));
        ASSERT_TRUE (output.waitForReceived ((size_t) i + 1)) << "message " << i << " was never delivered";
    }

    // From several threads at once, the way the audio, MIDI and message
    // threads send.
    output.clearReceived();
    constexpr int kThreads = 3, kEach = 400;
    std::vector<std::thread> senders;
    for (int t = 0; t < kThreads; ++t)
        senders.emplace_back ([this, t] {
            juce::Random random (t);
            for (int i = 0; i < kEach; ++i)
            {
                while (! queue.push (controller (t), MidiSendQueue::now() + random.nextInt (3)))
                    std::this_thread::yield();
                if (random.nextInt (8) == 0)
                    std::this_thread::sleep_for (std::chrono::microseconds (random.nextInt (2000)));
            }
        });
    for (auto& sender : senders)
        sender.join();

    EXPECT_TRUE (output.waitForReceived ((size_t) (kThreads * kEach)));
    EXPECT_EQ (output.getReceived().size(), (size_t) (kThreads * kEach));
}

TEST_F (SendQueueRig, TimedMessagesLeaveInTheirOrderAndNeverBeforeTheirTime)
{
    struct Timed
    {
        int value;
        double afterMs;
    };
    // Pushed in this order; the last is due with the second and leaves after it.
    const Timed pushed[] = { { 3, 60.0 }, { 1, 20.0 }, { 2, 40.0 }, { 4, 20.0 } };

    const auto start = MidiSendQueue::now();
    for (const auto& m : pushed)
        queue.push (controller (m.value), start + m.afterMs);

    ASSERT_TRUE (output.waitForReceived (4));
    EXPECT_EQ (receivedValues(), (std::vector<int> { 1, 4, 2, 3 }));
    for (const auto& m : output.getReceived())
    {
        const auto& timed = *std::find_if (std::begin (pushed), std::end (pushed), [&] (const Timed& t) { return t.value == m.getControllerValue(); });
        EXPECT_GE (m.getTimeStamp(), start + timed.afterMs) << "value " << timed.value << " left early";
    }
}

TEST_F (SendQueueRig, AnEarlierMessageCutsTheSleepUntilALaterOneShortAndStopDoesNotWaitForIt)
{
    const auto start = MidiSendQueue::now();
    queue.push (controller (2), start + 60000.0);
    juce::Thread::sleep (20); // most likely asleep until then by now; either way it must hold
    queue.push (controller (1), start + 40.0);

    ASSERT_TRUE (output.waitForReceived (1));
    EXPECT_EQ (receivedValues(), std::vector<int> { 1 });

    const auto stopping = MidiSendQueue::now();
    queue.stop();
    EXPECT_LT (MidiSendQueue::now() - stopping, 4000.0) << "the thread must wake to stop, not run into the forced end";
    EXPECT_FALSE (queue.isRunning());
    EXPECT_EQ (receivedValues(), std::vector<int> { 1 }) << "what was pending is dropped";
}
