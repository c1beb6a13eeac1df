#include "support/SynthRig.h"

#include <benchmark/benchmark.h>

// A whole-bank transfer with the simulated synthesizer answering at MIDI DIN
// speed: the wire alone needs 128 x 300 bytes / 3125 bytes per second.
static void BankTransfer_OneBankAtCableSpeed (benchmark::State& state)
{
    const auto folder = juce::File::createTempFile ("bench");
    folder.createDirectory();
    setSettingsFolderOverride (folder);
    {
        SynthRig rig;
        rig.synth->setAnswerSpeed (SimulatedMopho::AnswerSpeed::cable);
        const double wireSeconds = 128.0 * ProgramImage::kProgramDumpSize / SimulatedMopho::kCableBytesPerSecond;

        for (auto _ : state)
        {
            rig.hub().takeEvents();
            const auto start = juce::Time::getMillisecondCounterHiRes();
            rig.hub().startTransfer (MidiCntrState::kReceiveOneBank, 0);

            bool finished = false;
            while (! finished)
            {
                for (auto code : rig.hub().takeEvents())
                    finished = finished || UiEventCode::type (code) == kUiBankTransferFinished;
                juce::Thread::sleep (1);
            }

            const double seconds = (juce::Time::getMillisecondCounterHiRes() - start) / 1000.0;
            rig.hub().endTransfer();
            state.SetIterationTime (seconds);
            state.counters["wire_s"] = wireSeconds;
            state.counters["ratio_to_wire"] = seconds / wireSeconds;
            state.counters["overhead_ms_per_program"] = (seconds - wireSeconds) * 1000.0 / 128.0;
        }
    }
    setSettingsFolderOverride ({});
    folder.deleteRecursively();
}
BENCHMARK (BankTransfer_OneBankAtCableSpeed)->UseManualTime()->Iterations (1)->Unit (benchmark::kSecond);
