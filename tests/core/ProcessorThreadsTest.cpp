#include "support/RestingSession.h"

#include <gtest/gtest.h>

// A musician leaves the plug-in in a project for hours: while nothing is
// sent or shown, the threads it starts sleep until they have work.

TEST (ProcessorThreads, AtRestTheyAndTheFrameworksTimerThreadWakeAtMostTenTimesASecond)
{
    RestingSession session;
    ASSERT_TRUE (session.useTheTimersOnce());
    session.runFor (300);

    const auto woken = session.countWakeUps (1000);

    // The framework's timer thread, once started, looks at its timers every
    // 100 ms even when none runs: that is the whole allowance. Wake-ups that
    // far apart number at most one more than the tenths of a second counted.
    EXPECT_LE (woken.total(), (long) (10.0 * woken.seconds) + 1)
        << woken.pluginThreads << " of the plug-in's own threads, " << woken.timerThread << " of the timer thread, in "
        << woken.seconds << " s";
}

TEST (ProcessorThreads, EachThreadThePluginStartsShowsAShortNameOfItsOwn)
{
    RestingSession session;
    ASSERT_TRUE (session.useTheTimersOnce());
    session.hub().startTransfer (MidiCntrState::kTransmitOneBank, 0);
    ASSERT_TRUE (session.hub().isTransmitting());

    const auto ownNames = [&] {
        std::set<std::string> names;
        for (const auto id : session.pluginThreadIds())
            if (const auto name = threadName (id); name != RestingSession::kTimerThreadName)
                names.insert (name);
        return names;
    };
    const std::set<std::string> expected { "Brm MIDI out", "Brm bank send", "Brm host view" };

    // A thread names itself once it runs. A name the system refuses (over 15
    // characters) leaves it under the name of the one that started it: the host's.
    waitUntil ([&] { return ownNames() == expected; });
    EXPECT_EQ (ownNames(), expected);
    session.hub().endTransfer();
}

TEST (ProcessorThreads, ABurstOfProgramChangesInTheHostsMidiReachesTheHostOnce)
{
    RestingSession session;
    ASSERT_TRUE (session.useTheTimersOnce());
    const int updatesBefore = session.hostView.updates;

    for (int program = 10; program < 30; ++program)
        session.midi.addEvent (juce::MidiMessage::programChange (1, program), program);

    ASSERT_TRUE (session.runUntil ([&] { return session.hostView.updates > updatesBefore; }, 5000))
        << "replaced on the audio thread, the edit buffer must still reach the host";
    session.runFor (200);
    EXPECT_EQ (session.hostView.updates, updatesBefore + 1);
    EXPECT_EQ (session.hub().getEditBufferImage(), session.hub().getBank (0)->getProgramBlock (29));

    session.midi.addEvent (juce::MidiMessage::programChange (1, 40), 0);
    EXPECT_TRUE (session.runUntil ([&] { return session.hostView.updates > updatesBefore + 1; }, 5000))
        << "the next replacement is told too";
}
