#include "support/AutomationLoop.h"

#include <benchmark/benchmark.h>

// processBlock under the busiest load (see AutomationLoop), 256-sample
// blocks at 44.1 kHz.
static void ProcessBlock_BusiestSession (benchmark::State& state)
{
    const auto folder = juce::File::createTempFile ("bench");
    folder.createDirectory();
    setSettingsFolderOverride (folder);
    {
        AutomationLoop loop (44100.0);

        for (auto _ : state)
            loop.runBlock();

        const double blockSeconds = AutomationLoop::kBlockSize / loop.sampleRate;
        state.counters["us_per_block"] = benchmark::Counter ((double) state.iterations(),
                                                             benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                                                             benchmark::Counter::kIs1000);
        state.counters["block_us"] = blockSeconds * 1e6; // the share is us_per_block / block_us
    }
    setSettingsFolderOverride ({});
    folder.deleteRecursively();
}
BENCHMARK (ProcessBlock_BusiestSession)->Unit (benchmark::kMicrosecond);

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;
    benchmark::Initialize (&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
