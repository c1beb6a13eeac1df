#include "core/midi/MidiCntrState.h"
#include "support/HubRig.h"
#include "support/VirtualMidi.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

namespace
{
struct RecordingListener : MidiCntrStateListener
{
    explicit RecordingListener (std::vector<int>* order = nullptr, int id = 0) : callOrder (order), ident (id) {}

    void midiCntrStateChanged (MidiCntrState*) override
    {
        ++calls;
        if (callOrder != nullptr)
            callOrder->push_back (ident);
    }

    std::atomic<int> calls { 0 };
    std::vector<int>* callOrder;
    int ident;
};

struct RecordingStateListener : stateListener
{
    void stateCommandPosted() override { ++commands; }
    void auxStateChanged() override { ++aux; }
    int commands = 0, aux = 0;
};

std::vector<int> typesOf (const juce::Array<juce::int64>& events)
{
    std::vector<int> types;
    for (auto code : events)
        types.push_back (UiEventCode::type (code));
    return types;
}

struct HubFixture : testing::Test, HubRig
{
};
} // namespace

TEST_F (HubFixture, ListenersAreAddedOnceAndCalledLastAddedFirst)
{
    std::vector<int> order;
    RecordingListener first (&order, 1), second (&order, 2);

    hub.addListener (&first);
    hub.addListener (&second);
    hub.addListener (&first);
    hub.postEvent (kUiController, 1, 1, 64);

    EXPECT_EQ (order, (std::vector<int> { 2, 1 }));

    hub.removeListener (&second);
    hub.postEvent (kUiController, 1, 1, 65);
    EXPECT_EQ (second.calls, 1);
    EXPECT_EQ (first.calls, 2);
    hub.removeListener (&first);
}

TEST_F (HubFixture, StateCommandsReachStateListenersAsKeyCommandEvents)
{
    RecordingStateListener listener;
    hub.addStateListener (&listener);

    hub.postStateCommand (7);

    EXPECT_EQ (listener.commands, 1);
    EXPECT_EQ (listener.aux, 0);
    const auto events = hub.takeEvents();
    ASSERT_EQ (events.size(), 1);
    EXPECT_EQ (events[0], UiEventCode::make (kUiKeyCommand, 0, 0, 7));
    hub.removeStateListener (&listener);
}

TEST_F (HubFixture, RecallWithoutAChosenProgramLoadsSlotZero)
{
    hostBank.setProgramName (0, "Slot zero");

    hub.recallHostProgram();

    EXPECT_EQ (hub.getCurrentHostProgram(), 0);
    EXPECT_EQ (hostBank.getEditBufferName(), "Slot zero       ");
    EXPECT_EQ (typesOf (hub.takeEvents()), (std::vector<int> { kUiEditBufferReplaced }));
}

TEST_F (HubFixture, SelectingAHardwareProgramLoadsItAndTellsHostAndSynth)
{
    ScopedMidiDeviceLayer layer;
    auto& synthInput = layer->addOutput ("Synth In", "out-1");
    MidiCntrState hubWithPort;
    hubWithPort.setHostBank (&hostBank);
    hubWithPort.selectOutputDevice (1);
    hubWithPort.takeEvents();
    hubWithPort.takeControllerChanges();

    hubWithPort.selectProgram (1, 5, true, true);

    EXPECT_EQ (hostBank.getEditBufferBlock(), hubWithPort.getBank (1)->getProgramBlock (5));
    EXPECT_EQ (hubWithPort.getCurrentHardwareBank(), 1);
    EXPECT_EQ (hubWithPort.getCurrentHardwareProgram(), 5);
    EXPECT_EQ (typesOf (hubWithPort.takeEvents()), (std::vector<int> { kUiEditBufferReplaced }));
    EXPECT_EQ (hubWithPort.takeControllerChanges(),
               juce::Array<int> ({ ControllerChangeCode::make (217, 1), ControllerChangeCode::make (184, 5) }));

    ASSERT_TRUE (synthInput.waitForReceived (2));
    const auto sent = synthInput.getReceived();
    EXPECT_TRUE (sent[0].isControllerOfType (32));
    EXPECT_EQ (sent[0].getControllerValue(), 1);
    EXPECT_TRUE (sent[1].isProgramChange());
    EXPECT_EQ (sent[1].getProgramChangeNumber(), 5);
    EXPECT_EQ (sent[1].getChannel(), 1);
}

TEST_F (HubFixture, NoBankBeyondTheThirdIsEverIndexed)
{
    const auto before = hostBank.getEditBufferBlock();

    for (int bank : { -1, 3, 4, 127 })
    {
        EXPECT_EQ (hub.getBank (bank), nullptr);
        hub.selectProgram (bank, 0, false, true);
        hub.storeProgram (true, bank, 0, {});
    }

    EXPECT_EQ (hostBank.getEditBufferBlock(), before);
    EXPECT_TRUE (hub.takeEvents().isEmpty());
    EXPECT_TRUE (hub.takeControllerChanges().isEmpty());
}

TEST_F (HubFixture, StoringGoesToTheBankSlotOrTheEditBuffer)
{
    ProgramImage::Block image {};
    image.fill (7);

    hub.storeProgram (true, 2, 100, image);
    EXPECT_EQ (hub.getBank (2)->getProgramBlock (100), image);
    EXPECT_EQ (typesOf (hub.takeEvents()), (std::vector<int> { kUiBankContentsChanged, kUiEditBufferReplaced }));

    image.fill (9);
    hub.storeProgram (false, 0, 0, image);
    EXPECT_EQ (hostBank.getEditBufferBlock(), image);
    EXPECT_EQ (typesOf (hub.takeEvents()), (std::vector<int> { kUiEditBufferReplaced }));
}

TEST_F (HubFixture, EditBufferBytesAndGlobalValuesStayInRange)
{
    hub.setEditBufferByte (255, 12);
    hub.setEditBufferByte (256, 13);
    hub.setEditBufferByte (-1, 14);
    EXPECT_EQ (hub.getEditBufferByte (255), 12);
    EXPECT_EQ (hub.getEditBufferByte (256), 0);
    EXPECT_EQ (hub.getEditBufferByte (-1), 0);

    hub.setGlobalValue (99, 3);
    hub.setGlobalValue (100, 4);
    hub.setGlobalValue (-1, 4);
    EXPECT_EQ (hub.getGlobalValue (99), 3);
    EXPECT_EQ (hub.getGlobalValue (100), 0);
    EXPECT_EQ (hub.takeEvents(), juce::Array<juce::int64> ({ UiEventCode::make (kUiGlobalReceived, 0, 0, 99) }));
}

TEST_F (HubFixture, EventsFromThreeThreadsArriveOnceEachInTheirOrder)
{
    constexpr int perThread = 1300; // together below the queue's bound, so nothing may be dropped
    std::atomic<bool> go { false };
    std::vector<std::thread> producers;

    for (int t = 0; t < 3; ++t)
        producers.emplace_back ([&, t] {
            while (! go)
                std::this_thread::yield();
            for (int i = 0; i < perThread; ++i)
                hub.postEvent (kUiController, t + 1, t, i);
        });

    std::vector<juce::int64> drained;
    go = true;
    const auto deadline = juce::Time::getMillisecondCounter() + 10000;
    while (drained.size() < (size_t) (3 * perThread) && juce::Time::getMillisecondCounter() < deadline)
    {
        const auto batch = hub.takeEvents();
        drained.insert (drained.end(), batch.begin(), batch.end());
    }
    for (auto& p : producers)
        p.join();
    const auto rest = hub.takeEvents();
    drained.insert (drained.end(), rest.begin(), rest.end());

    ASSERT_EQ (drained.size(), (size_t) (3 * perThread));
    int next[3] = {};
    for (auto code : drained)
    {
        const int thread = UiEventCode::position (code);
        EXPECT_EQ (UiEventCode::value (code), next[thread]++) << "thread " << thread;
    }
}

TEST_F (HubFixture, AFullEventQueueDropsTheOldestCodes)
{
    for (int i = 0; i < MidiCntrState::kEventQueueCapacity + 10; ++i)
        hub.postEvent (kUiController, 0, 0, i);

    const auto events = hub.takeEvents();

    ASSERT_EQ (events.size(), MidiCntrState::kEventQueueCapacity);
    EXPECT_EQ (UiEventCode::value (events.getFirst()), 10);
    EXPECT_EQ (UiEventCode::value (events.getLast()), MidiCntrState::kEventQueueCapacity + 9);
}

TEST_F (HubFixture, ARemovedListenerIsNeverCalledAgainWhileOthersPost)
{
    std::atomic<bool> running { true };
    std::thread poster ([&] {
        while (running)
            hub.postEvent (kUiNoteOn, 1, 60, 100);
    });

    for (int round = 0; round < 200; ++round)
    {
        RecordingListener listener;
        hub.addListener (&listener);
        std::this_thread::yield();
        hub.removeListener (&listener);

        const int callsAtRemoval = listener.calls;
        std::this_thread::yield();
        ASSERT_EQ (listener.calls, callsAtRemoval);
        hub.takeEvents();
    }

    running = false;
    poster.join();
}

TEST (KeyImages, DrawAtTheirSizeTimesTheScale)
{
    MidiCntrState hub;
    const auto& keys = hub.getKeyImages();

    EXPECT_EQ (keys.getWhiteKey (false).getBounds(), juce::Rectangle<int> (0, 0, 25, 152));
    EXPECT_EQ (keys.getBlackKey (true).getBounds(), juce::Rectangle<int> (0, 0, 16, 100));
    EXPECT_FALSE (keys.getWhiteKey (false).hasAlphaChannel());
    EXPECT_TRUE (keys.getBlackKey (false).hasAlphaChannel());

    struct Case
    {
        bool white;
        float scale;
        int width, height;
    };
    for (const auto& c : { Case { true, 1.0f, 25, 152 }, Case { true, 0.5f, 12, 76 }, Case { false, 0.5f, 8, 50 } })
    {
        juce::Image canvas (juce::Image::ARGB, 40, 160, true);
        {
            juce::Graphics g (canvas);
            if (c.white)
                keys.drawWhiteKey (g, false, c.scale);
            else
                keys.drawBlackKey (g, true, c.scale);
        }

        EXPECT_GT (canvas.getPixelAt (c.width - 1, c.height / 2).getAlpha(), 0) << c.scale;
        EXPECT_EQ (canvas.getPixelAt (c.width, c.height / 2).getAlpha(), 0) << c.scale;
        EXPECT_EQ (canvas.getPixelAt (c.width / 2, c.height).getAlpha(), 0) << c.scale;
    }
}
