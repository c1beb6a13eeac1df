#pragma once

#include "support/MessageLoop.h"
#include "support/ProcessThreads.h"
#include "support/SynthRig.h"
#include "support/TestPlayHead.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <thread>

// A processor on the simulated synthesizer with its output open and the
// host's transport playing, left alone: no MIDI traffic (the clock switch is
// off) and no editor. The calling thread is the host's audio thread and its
// message thread at once: it runs blocks at their real pace and the messages
// between them. The threads that were not there before the processor (the
// plug-in's own and the framework's timer thread) are the ones watched.
struct RestingSession : SimulatedSynthPorts
{
    static constexpr double kSampleRate = 48000.0;
    static constexpr int kBlockSize = 256;
    static constexpr const char* kTimerThreadName = "JUCE Timer";

    // Counts the host's display updates, each of which makes it read every value again.
    struct HostView : juce::AudioProcessorListener
    {
        void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override {}
        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails& details) override
        {
            if (details.parameterInfoChanged)
                ++updates;
        }

        std::atomic<int> updates { 0 };
    };

    struct WakeUps
    {
        double seconds = 0;
        long pluginThreads = 0, timerThread = 0;

        long total() const { return pluginThreads + timerThread; }
    };

    RestingSession()
    {
        processor->addListener (&hostView);
        processor->setPlayHead (&head);
        processor->setRateAndBufferSizeDetails (kSampleRate, kBlockSize);
        processor->prepareToPlay (kSampleRate, kBlockSize);
        audio.clear();
    }

    ~RestingSession()
    {
        processor->removeListener (&hostView);
        processor->setPlayHead (nullptr);
        processor.reset();
        synth.reset();
    }

    MidiCntrState& hub() { return processor->getHub(); }

    // One block with the host's MIDI in `midi`, which it then holds what the
    // synthesizer played.
    void runBlock()
    {
        processor->processBlock (audio, midi);
        head.advance (kBlockSize);
        midi.clear();
    }

    // Blocks and messages until the condition holds or the time is up.
    template <typename Condition>
    bool runUntil (Condition&& condition, double timeoutMs)
    {
        using Clock = std::chrono::steady_clock;
        const auto blockTime = std::chrono::duration_cast<Clock::duration> (std::chrono::duration<double> (kBlockSize / kSampleRate));
        const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration> (std::chrono::duration<double, std::milli> (timeoutMs));
        auto nextBlock = Clock::now();

        for (;;)
        {
            if (condition())
                return true;
            if (Clock::now() >= deadline)
                return false;

            runBlock();
            deliverPendingMessages();

            // A late block is not made up for with a burst of others.
            nextBlock = std::max (nextBlock + blockTime, Clock::now());
            std::this_thread::sleep_until (nextBlock);
        }
    }

    void runFor (double ms)
    {
        runUntil ([] { return false; }, ms);
    }

    // A knob turned in the editor and a program chosen by the host: the
    // gesture and the host's display update are done, and the framework's
    // timer thread, which the first timer starts, stays from then on, as it
    // does in any session that ever opened the editor.
    bool useTheTimersOnce()
    {
        const int updatesBefore = hostView.updates;
        processor->changeProgramParameter (kTurnedPosition, 99, false, true);
        processor->setCurrentProgram (3);
        return runUntil ([&] { return ! processor->isGestureOpen (kTurnedPosition) && hostView.updates > updatesBefore; }, 5000);
    }

    std::set<int> pluginThreadIds() const
    {
        std::set<int> ids;
        for (const auto id : processThreadIds())
            if (threadsBefore.count (id) == 0)
                ids.insert (id);
        return ids;
    }

    // The wake-ups of the plug-in's threads while the session runs for the
    // given time, which is measured from the first reading to the last.
    WakeUps countWakeUps (double ms)
    {
        const auto start = juce::Time::getMillisecondCounterHiRes();
        std::map<int, long> before;
        for (const auto id : pluginThreadIds())
            before[id] = threadWakeUps (id);

        runFor (ms);

        WakeUps result;
        for (const auto id : pluginThreadIds())
        {
            const auto woken = threadWakeUps (id) - before[id];
            (threadName (id) == kTimerThreadName ? result.timerThread : result.pluginThreads) += woken;
        }
        result.seconds = (juce::Time::getMillisecondCounterHiRes() - start) / 1000.0;
        return result;
    }

    static constexpr int kTurnedPosition = 20; // filter frequency

    const std::set<int> threadsBefore = processThreadIds();
    std::unique_ptr<VellixAudioProcessor> processor = std::make_unique<VellixAudioProcessor>();
    TestPlayHead head { 120.0, kSampleRate };
    juce::AudioBuffer<float> audio { 1, kBlockSize };
    juce::MidiBuffer midi;
    HostView hostView;
};
