#include "EditorRig.h"
#include "editor/EditorLook.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <malloc.h>
#include <thread>

namespace
{
struct Editor : testing::Test, EditorRig
{
    void SetUp() override { ASSERT_NE (main, nullptr); }

    juce::String status() const { return main->getAppBar().getStatusLabel().getLabelText(); }
};
} // namespace

TEST (MainCompLayout, DesignUnitsScaleAndTruncate)
{
    const std::tuple<float, float, int> cases[] = { { 100.0f, 1.0f, 100 }, { 100.0f, 0.5f, 50 }, { 33.0f, 0.5f, 16 },
                                                    { 1148.0f, 975.0f / 1148.0f, 975 }, { 23.0f, 0.849f, 19 } };

    for (auto [units, scale, pixels] : cases)
        EXPECT_EQ (EditorLook::scaled (units, scale), pixels) << units << " at " << scale;
}

TEST_F (Editor, TheScaleFollowsTheWidthButTheBarKeepsItsHeight)
{
    for (const int width : { 1148, 574, 975, 1377 })
    {
        editor->setSize (width, 700);

        EXPECT_FLOAT_EQ (hub().getEditorScale(), (float) width / 1148.0f);
        EXPECT_EQ (main->getAppBar().getBounds(), juce::Rectangle<int> (0, 0, width, 23));
        EXPECT_EQ (hub().getSettings()[kSlotEditorWidth], juce::String (width));
    }
}

TEST_F (Editor, StatusFollowsTheSynthesizer)
{
    EXPECT_TRUE (drainUntil ([&] { return status() == MainComp::kOnLineText; })) << "the editor asks for the globals when it opens";

    synth->setMuted (true);
    hub().requestGlobals();
    EXPECT_TRUE (drainUntil ([&] { return status() == MainComp::kOffLineText; }));
    juce::Thread::sleep (50);
    main->handleAsyncUpdate();
    EXPECT_EQ (status(), MainComp::kOffLineText) << "no answer, no on-line";
}

TEST_F (Editor, RecvFetchesTheEditBufferAndTheEditorFollows)
{
    main->handleAsyncUpdate();
    const int refreshes = main->getRefreshCount();

    main->kwsButtonClicked (AppBar::kRecv);

    EXPECT_TRUE (drainUntil ([&] { return main->getRefreshCount() > refreshes; }));
    EXPECT_EQ (hub().getEditBufferImage(), synth->getEditBuffer());
}

TEST_F (Editor, EventsAreDecodedByType)
{
    main->handleAsyncUpdate();
    const int refreshes = main->getRefreshCount();

    main->handleUiEvent (UiEventCode::make (kUiSynthOnLine, 0, 0, 0));
    EXPECT_EQ (status(), MainComp::kOnLineText);
    main->handleUiEvent (UiEventCode::make (kUiSynthOffLine, 0, 0, 0));
    EXPECT_EQ (status(), MainComp::kOffLineText);
    main->handleUiEvent (UiEventCode::make (kUiEditBufferReplaced, 0, 0, 0));
    EXPECT_EQ (main->getRefreshCount(), refreshes + 1);

    main->handleUiEvent (UiEventCode::make (kUiHostProgramSelected, 0, 0, 0));
    EXPECT_EQ (main->getLibraryWindow(), nullptr) << "no preset list to follow, none made for it";

    const int otherTypes[] = { kUiNoteOn, kUiController, kUiProgramByteChanged, kUiGlobalReceived, kUiBankTransferFinished,
                               kUiTransferProgress, kUiBankContentsChanged, kUiKeyCommand, kUiPitchBend, 4095 };
    for (const int type : otherTypes)
        main->handleUiEvent (UiEventCode::make (type, 16, 4095, 65535)); // pages not built take nothing

    EXPECT_EQ (main->getRefreshCount(), refreshes + 1);
    EXPECT_EQ (status(), MainComp::kOffLineText);
}

TEST_F (Editor, TheChannelMenuSetsTheChannelEverywhere)
{
    main->handleChannelMenu (10);

    EXPECT_EQ (hub().getMidiChannel(), 10);
    EXPECT_EQ (hub().getSettings()[kSlotMidiChannel], "10");
    EXPECT_EQ (main->getAppBar().getChannelLabel().getLabelText(), "Chan: 10");

    main->handleChannelMenu (0); // dismissed
    EXPECT_EQ (hub().getMidiChannel(), 10);
}

TEST_F (Editor, AfterAChannelChangeTheNextEditGoesOutWholeOnTheNewChannel)
{
    synth->setChannel (10);
    processor->changeProgramParameter (20, 50, true, true); // sent last on channel 1
    ASSERT_TRUE (waitUntil ([&] {
        const auto received = synth->getReceived();
        return ! received.empty() && received.back().isControllerOfType (38) && received.back().getControllerValue() == 50;
    }));

    main->handleChannelMenu (10);
    synth->clearReceived();
    processor->changeProgramParameter (20, 31, true, true);

    ASSERT_TRUE (waitUntil ([&] { return synth->getEditBuffer()[20] == 31; })) << "the synthesizer took the change";
    std::vector<std::vector<int>> sent;
    for (const auto& m : synth->getReceived())
        sent.emplace_back (m.getRawData(), m.getRawData() + m.getRawDataSize());
    EXPECT_EQ (sent, (std::vector<std::vector<int>> { { 0xB9, 99, 0 }, { 0xB9, 98, 15 }, { 0xB9, 6, 0 }, { 0xB9, 38, 31 } }));
}

TEST_F (Editor, ReopeningLeavesOneListenerEachAndNoHelpPageBehind)
{
    hub().setHelpPageShown (true);

    for (int i = 0; i < 50; ++i)
    {
        close();
        EXPECT_FALSE (hub().isHelpPageShown());
        EXPECT_EQ (hub().getNumListeners(), 0);
        open();
    }

    EXPECT_EQ (hub().getNumListeners(), 1);
    EXPECT_EQ (hub().getNumStateListeners(), 1);
}

TEST (EditorLifetime, OpeningAndClosingLeaksNothing)
{
    // The allocator's per-thread cache keeps up to seven freed blocks of each
    // size, which its statistics count as in use: tens of kilobytes that come
    // and go with the sizes an opening happens to free last. The test command
    // turns the cache off for this executable.
    const char* tunables = std::getenv ("GLIBC_TUNABLES");
    if (tunables == nullptr || std::strstr (tunables, "glibc.malloc.tcache_count=0") == nullptr)
        GTEST_SKIP() << "run with GLIBC_TUNABLES=glibc.malloc.tcache_count=0";

    // No ports: the simulated synthesizer keeps a record of every message it
    // gets, which would grow with each opening.
    VellixAudioProcessor processor;
    const auto openAndClose = [&] {
        std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
        processor.getHub().takeEvents();
        // Painted, so that the pictures the pages keep are made, and must go with them.
        juce::Image shown (juce::Image::RGB, editor->getWidth(), editor->getHeight(), false);
        {
            juce::Graphics g (shown);
            editor->paintEntireComponent (g, false);
        }
        editor.reset();
        // A host runs its message loop: what the pages posted is delivered,
        // not left queued to look like a leak.
        deliverPendingMessages();
    };

    for (int i = 0; i < 10; ++i)
        openAndClose();

    // A leak grows the heap in every round; the framework's own queues and
    // caches, filled by its timer thread under load, in one now and then.
    long smallestGrowth = std::numeric_limits<long>::max();
    for (int round = 0; round < 3; ++round)
    {
        const auto before = mallinfo2().uordblks;
        for (int i = 0; i < 50; ++i)
            openAndClose();
        smallestGrowth = std::min (smallestGrowth, (long) mallinfo2().uordblks - (long) before);
    }

    EXPECT_LT (smallestGrowth, 16 * 1024);
}

TEST_F (Editor, EventsFromTheMidiThreadNeverReachAClosedEditor)
{
    std::atomic<bool> running { true };
    std::thread midiThread ([&] {
        while (running)
            hub().postEvent (kUiNoteOn, 1, 60, 100);
    });

    for (int i = 0; i < 50; ++i)
    {
        close();
        open();
        main->handleAsyncUpdate();
    }

    running = false;
    midiThread.join();
}
