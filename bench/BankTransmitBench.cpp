#include "support/SynthRig.h"

#include <benchmark/benchmark.h>

// A whole bank sent to the simulated synthesizer over a simulated DIN cable:
// the transmission should take the wire time of its 128 dumps plus the gap
// the synthesizer gets after each, and no more.
static void BankTransmit_OneBankAtDinSpeed (benchmark::State& state)
{
    using namespace ProgramImage;

    const auto folder = juce::File::createTempFile ("bench");
    folder.createDirectory();
    setSettingsFolderOverride (folder);
    {
        SynthRig rig;
        rig.toSynth.setCableSpeed (true);
        const double dumpWireMs = kProgramDumpSize * 1000.0 / VirtualMidiOutput::kCableBytesPerSecond;
        const double expectedMs = 128.0 * (dumpWireMs + BankTransmitter::kGapBetweenDumpsMs);

        for (auto _ : state)
        {
            rig.synth->clearReceived();
            rig.hub().takeEvents();

            const auto start = juce::Time::getMillisecondCounterHiRes();
            rig.hub().startTransfer (MidiCntrState::kTransmitOneBank, 0);

            bool finished = false;
            while (! finished)
            {
                for (auto code : rig.hub().takeEvents())
                    finished = finished || UiEventCode::type (code) == kUiBankTransferFinished;
                juce::Thread::sleep (1);
            }

            const double totalMs = juce::Time::getMillisecondCounterHiRes() - start;
            rig.hub().endTransfer();

            // Each dump arrives in two pieces, each stamped when its last byte
            // is in: the silence before a dump is its first byte's arrival
            // less the previous dump's last.
            const auto received = rig.synth->getReceived();
            double shortestSilenceMs = 1.0e9, lastArrivalMs = start;
            for (size_t i = 0; i + 1 < received.size(); i += 2)
            {
                const auto firstByteMs = received[i].getTimeStamp()
                                       - received[i].getRawDataSize() * 1000.0 / VirtualMidiOutput::kCableBytesPerSecond;
                if (i > 0)
                    shortestSilenceMs = juce::jmin (shortestSilenceMs, firstByteMs - lastArrivalMs);
                lastArrivalMs = received[i + 1].getTimeStamp();
            }

            state.SetIterationTime (totalMs / 1000.0);
            state.counters["dumps"] = (double) received.size() / 2.0;
            state.counters["expected_s"] = expectedMs / 1000.0;
            state.counters["ratio_to_expected"] = totalMs / expectedMs;
            state.counters["shortest_silence_ms"] = shortestSilenceMs;
            state.counters["gap_ms"] = BankTransmitter::kGapBetweenDumpsMs;
        }
    }
    setSettingsFolderOverride ({});
    folder.deleteRecursively();
}
BENCHMARK (BankTransmit_OneBankAtDinSpeed)->UseManualTime()->Iterations (1)->Unit (benchmark::kSecond);
