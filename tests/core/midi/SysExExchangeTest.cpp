#include "core/midi/MophoSysEx.h"
#include "support/SynthRig.h"

#include <gtest/gtest.h>

namespace
{
struct Exchange : testing::Test, SynthRig
{
    // Every event the hub posted since the last call.
    std::vector<juce::int64> events()
    {
        const auto taken = hub().takeEvents();
        allEvents.insert (allEvents.end(), taken.begin(), taken.end());
        return allEvents;
    }

    std::vector<juce::int64> ofType (int type)
    {
        std::vector<juce::int64> found;
        for (auto code : events())
            if (UiEventCode::type (code) == type)
                found.push_back (code);
        return found;
    }

    bool waitForEvent (int type, size_t count = 1, int timeoutMs = 10000)
    {
        return waitUntil ([&] { return ofType (type).size() >= count; }, timeoutMs);
    }

    bool bankMatchesSynth (int bank)
    {
        for (int program = 0; program < 128; ++program)
            if (hub().getBank (bank)->getProgramBlock (program) != synth->getProgram (bank, program))
                return false;
        return true;
    }

    std::vector<juce::int64> allEvents;
};
} // namespace

TEST_F (Exchange, RecvFetchesTheEditBuffer)
{
    hub().sendDumpRequest (MophoSysEx::kRequestEditBuffer, 0, 0);

    ASSERT_TRUE (waitForEvent (kUiEditBufferReplaced));
    EXPECT_EQ (hub().getEditBufferImage(), synth->getEditBuffer());
}

TEST_F (Exchange, ASingleProgramGoesToItsSlotAndTheEditBuffer)
{
    hub().sendDumpRequest (MophoSysEx::kRequestProgram, 2, 77);

    ASSERT_TRUE (waitForEvent (kUiEditBufferReplaced));
    EXPECT_EQ (hub().getBank (2)->getProgramBlock (77), synth->getProgram (2, 77));
    EXPECT_EQ (hub().getEditBufferImage(), synth->getProgram (2, 77));
    EXPECT_EQ (hub().getCurrentHardwareBank(), 2);
    EXPECT_EQ (hub().getCurrentHardwareProgram(), 77);
}

TEST_F (Exchange, BankTransfersFetchProgramByProgram)
{
    struct Case
    {
        int operation, startBank, requests;
        std::vector<int> banks;
    };

    for (const auto& c : { Case { MidiCntrState::kReceiveOneBank, 1, 128, { 1 } },
                           Case { MidiCntrState::kReceiveAllBanks, 0, 384, { 0, 1, 2 } } })
    {
        allEvents.clear();
        synth->clearReceived();
        const int before = synth->getRequestCount (SimulatedMopho::Request::programDump);
        const auto editBuffer = hub().getEditBufferImage();

        hub().startTransfer (c.operation, c.startBank);
        ASSERT_TRUE (waitForEvent (kUiBankTransferFinished, 1, 30000));
        hub().endTransfer();

        EXPECT_EQ (synth->getRequestCount (SimulatedMopho::Request::programDump) - before, c.requests);
        const auto progress = ofType (kUiTransferProgress);
        ASSERT_EQ (progress.size(), (size_t) c.requests);
        for (size_t i = 0; i < progress.size(); ++i)
        {
            EXPECT_EQ (UiEventCode::position (progress[i]), c.startBank + (int) i / 128);
            EXPECT_EQ (UiEventCode::value (progress[i]), (int) i % 128);
        }
        for (int bank : c.banks)
            EXPECT_TRUE (bankMatchesSynth (bank)) << bank;

        const auto finished = events();
        EXPECT_EQ (UiEventCode::type (finished[finished.size() - 2]), kUiBankContentsChanged);
        EXPECT_EQ (UiEventCode::type (finished.back()), kUiBankTransferFinished);
        EXPECT_EQ (hub().getEditBufferImage(), editBuffer) << "a transfer leaves the edit buffer alone";
    }
}

TEST_F (Exchange, GlobalsBringTheSynthesizerOnLine)
{
    hub().requestGlobals();

    ASSERT_TRUE (waitForEvent (kUiSynthOnLine));
    EXPECT_EQ (UiEventCode::type (events().front()), kUiSynthOffLine);
    EXPECT_TRUE (hub().isSynthesizerFound());
    for (int slot = 0; slot < MidiCntrState::kNumGlobalValues; ++slot)
        EXPECT_EQ (hub().getGlobalValue (slot), synth->getGlobal (slot)) << slot;
}

TEST_F (Exchange, AKnobTurnedOnTheSynthesizerReachesTheEditBufferAndTheHost)
{
    const int position = hub().nrpnToParam (15); // filter frequency travels as NRPN 15

    synth->panelSendsNrpn (15, 99);

    // Runs the drain that the hub's change message asks for, until the value is in.
    ASSERT_TRUE (waitUntil ([&] {
        processor->changeListenerCallback (&hub());
        return hub().getEditBufferByte (20) == 99;
    }));

    EXPECT_EQ (position, 20);
    EXPECT_EQ (hub().getEditBufferByte (20), 99);
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    EXPECT_FLOAT_EQ (processor->getParameter (20), 99.0f / 164.0f);
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
    EXPECT_TRUE (processor->isGestureOpen (20));
    juce::Thread::sleep (10);
    EXPECT_EQ (synth->getReceived().size(), 0u) << "nothing goes back to the synthesizer";
}

TEST_F (Exchange, DumpsSurviveTheWaysTheyCanBeCutUp)
{
    struct Case
    {
        const char* name;
        SimulatedMopho::DumpShape shape;
        bool arrives;
    };

    SimulatedMopho::DumpShape split;
    split.pieceSizes = { 256 };
    SimulatedMopho::DumpShape realTime;
    realTime.pieceSizes = { 100, 100 };
    realTime.insertions = { { 0, juce::MidiMessage (0xF8) }, { 1, juce::MidiMessage (0xFE) } };
    SimulatedMopho::DumpShape dropped;
    dropped.drop = true;
    SimulatedMopho::DumpShape noEnd;
    noEnd.removeEnd = true;
    SimulatedMopho::DumpShape truncated;
    truncated.truncateTo = 150;
    SimulatedMopho::DumpShape noteInside;
    noteInside.pieceSizes = { 120 };
    noteInside.insertions = { { 0, juce::MidiMessage::noteOn (1, 60, (juce::uint8) 90) } };

    const Case cases[] = { { "split", split, true },        { "real-time bytes inside", realTime, true },
                           { "dropped", dropped, false },   { "no F7", noEnd, false },
                           { "truncated", truncated, false }, { "a note inside", noteInside, false } };

    int dumpNumber = 0;
    for (const auto& c : cases)
    {
        const int program = 10 + dumpNumber;
        synth->setDumpShape (++dumpNumber, c.shape);
        synth->setDumpShape (++dumpNumber, {}); // the next one travels whole

        const auto before = hub().getBank (0)->getProgramBlock (program);
        hub().sendDumpRequest (MophoSysEx::kRequestProgram, 0, program);
        ASSERT_TRUE (synth->waitForDumpsSent (dumpNumber - 1));
        hub().sendDumpRequest (MophoSysEx::kRequestProgram, 0, program + 1);
        ASSERT_TRUE (synth->waitForDumpsSent (dumpNumber));
        ASSERT_TRUE (fromSynth.waitUntilDelivered());

        EXPECT_EQ (hub().getBank (0)->getProgramBlock (program), c.arrives ? synth->getProgram (0, program) : before) << c.name;
        EXPECT_EQ (hub().getBank (0)->getProgramBlock (program + 1), synth->getProgram (0, program + 1)) << c.name << ": the next dump";
    }
}

TEST_F (Exchange, APanelDumpDuringATransferDoesNotForkIt)
{
    // Slow answers leave room for the panel's dump to arrive mid-transfer.
    synth->setAnswerSpeed (SimulatedMopho::AnswerSpeed::cable);
    synth->setProgram (2, 50, {});
    hub().startTransfer (MidiCntrState::kReceiveOneBank, 0);
    ASSERT_TRUE (waitForEvent (kUiTransferProgress, 3));

    synth->panelSendsProgramDump (2, 50);
    synth->setAnswerSpeed (SimulatedMopho::AnswerSpeed::immediate);

    ASSERT_TRUE (waitForEvent (kUiBankTransferFinished, 1, 30000));
    hub().endTransfer();

    EXPECT_EQ (synth->getRequestCount (SimulatedMopho::Request::programDump), 128);
    EXPECT_EQ (ofType (kUiTransferProgress).size(), 128u);
    EXPECT_TRUE (bankMatchesSynth (0));
    EXPECT_EQ (hub().getBank (2)->getProgramBlock (50), ProgramImage::Block {}) << "the panel's dump is stored";
}

TEST_F (Exchange, ADroppedAnswerStallsTheTransferUntilItIsEnded)
{
    SimulatedMopho::DumpShape dropped;
    dropped.drop = true;
    synth->setDumpShape (5, dropped);

    hub().startTransfer (MidiCntrState::kReceiveOneBank, 1);
    ASSERT_TRUE (synth->waitForDumpsSent (5));
    ASSERT_TRUE (fromSynth.waitUntilDelivered());
    juce::Thread::sleep (20);

    EXPECT_EQ (ofType (kUiTransferProgress).size(), 4u);
    EXPECT_TRUE (ofType (kUiBankTransferFinished).empty());

    hub().endTransfer();
    EXPECT_FALSE (hub().isTransferBusy());
}
