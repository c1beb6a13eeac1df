#include "support/RestingSession.h"

#include <benchmark/benchmark.h>

// The plug-in left alone in a session (output open, transport playing, no
// MIDI traffic, no editor), after a knob turn and a host program change have
// used its timers once: how often in a second the threads it started wake,
// its own and the framework's timer thread apart. The blocks and messages
// run on the benchmark's thread, which is not counted.
static void Processor_WakeUpsAtRest (benchmark::State& state)
{
    const auto folder = juce::File::createTempFile ("bench");
    folder.createDirectory();
    setSettingsFolderOverride (folder);
    {
        RestingSession session;
        if (! session.useTheTimersOnce())
            state.SkipWithError ("the gesture or the host's display update never came");
        session.runFor (500);

        for (auto _ : state)
        {
            const auto woken = session.countWakeUps (1000);
            state.SetIterationTime (woken.seconds);
            state.counters["wakeups_per_s"] = (double) woken.total() / woken.seconds;
            state.counters["plugin_threads_per_s"] = (double) woken.pluginThreads / woken.seconds;
            state.counters["timer_thread_per_s"] = (double) woken.timerThread / woken.seconds;
        }
    }
    setSettingsFolderOverride ({});
    folder.deleteRecursively();
}
BENCHMARK (Processor_WakeUpsAtRest)->UseManualTime()->Iterations (3)->Unit (benchmark::kMillisecond);
