#include "support/AutomationLoop.h"

#include <benchmark/benchmark.h>

// processBlock while a host automates every program parameter in every
// 256-sample block at 48 kHz.
static void ProcessBlock_AutomatingAllProgramParameters (benchmark::State& state)
{
    const auto folder = juce::File::createTempFile ("bench");
    folder.createDirectory();
    setSettingsFolderOverride (folder);
    {
        AutomationLoop loop;

        for (auto _ : state)
            loop.runBlock();

        const double blockSeconds = AutomationLoop::kBlockSize / AutomationLoop::kSampleRate;
        state.counters["us_per_block"] = benchmark::Counter ((double) state.iterations(),
                                                             benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                                                             benchmark::Counter::kIs1000);
        state.counters["block_us"] = blockSeconds * 1e6;
    }
    setSettingsFolderOverride ({});
    folder.deleteRecursively();
}
BENCHMARK (ProcessBlock_AutomatingAllProgramParameters)->Unit (benchmark::kMicrosecond);

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;
    benchmark::Initialize (&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
