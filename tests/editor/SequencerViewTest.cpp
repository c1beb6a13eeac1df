#include "core/VellixAudioProcessorEditor.h"
#include "editor/EditorRig.h"
#include "editor/MainComp.h"
#include "support/SynthRig.h"
#include "support/Waiting.h"
#include "widgets/WidgetHarness.h"

#include <gtest/gtest.h>

using namespace widgetharness;

namespace
{
struct SequencerView : testing::Test, SynthRig
{
    void open (int width, int height)
    {
        if (editor != nullptr)
        {
            processor->editorBeingDeleted (editor.get());
            editor.reset();
        }
        processor->setEditorSize (width, height);
        editor.reset (processor->createEditorIfNeeded());
        main = dynamic_cast<MainComp*> (editor->getChildComponent (0));
        ASSERT_NE (main, nullptr);
        main->setViewMode (MainComp::kSequencerView);
    }

    ~SequencerView() override { editor.reset(); }

    SeqPanel& page() { return main->getSeqPanel(); }
    EditorPanel& programPage() { return main->getEditorPanel(); }
    // Change messages travel through the message loop.
    void deliver() { page().dispatchPendingMessages(); }

    // A caption drawn wider than its face is cut, not shrunk.
    static void expectCaptionFits (const KwsBut& button)
    {
        const auto width = EditorLook::font (button.fontHeight).getStringWidthFloat (button.getCaption());
        EXPECT_LE (width + 4.0f, (float) button.getWidth()) << button.getCaption() << " at " << button.getWidth();
    }

    static juce::Rectangle<int> scaled (juce::Rectangle<int> design, float s)
    {
        return EditorLook::scaled (design.toFloat(), s);
    }

    std::unique_ptr<juce::AudioProcessorEditor> editor;
    MainComp* main = nullptr;
};

const juce::Point<int> kSizes[] = { { 1148, 700 }, { 975, 595 } };
} // namespace

TEST_F (SequencerView, BothLayoutsPlaceEveryPartAtTheirScale)
{
    for (const auto size : kSizes)
    {
        open (size.x, size.y);
        const float s = (float) size.x / 1148.0f;
        SCOPED_TRACE (size.x);

        // The overview: its own layout gives PROGRAM and Edit their places.
        EXPECT_TRUE (page().isVisible());
        EXPECT_EQ (page().getBounds(), juce::Rectangle<int> (0, 23, size.x, main->drawerTop() - 23));
        EXPECT_EQ (page().getProgramButton().getBounds(), scaled ({ 910, 20, 96, 24 }, s));
        for (int t = 0; t < 4; ++t)
        {
            EXPECT_EQ (page().getEditButton (t).getBounds(), scaled ({ 40, 91 + 165 * t, 60, 18 }, s));
            EXPECT_TRUE (page().getEditButton (t).isVisible());
            EXPECT_EQ (page().getTrack (t).getBounds(), scaled ({ 123, 2 + 165 * t, 522, 155 }, s));
        }
        EXPECT_TRUE (programPage().isVisible());
        EXPECT_FLOAT_EQ (programPage().getScale(), s * MainComp::kOverviewScale);
        for (const auto* button : { &page().getProgramButton(), &page().getDrawModeButton(), &page().getEditButton (0) })
            expectCaptionFits (*button);

        // Edit track 3: enlarged, the others as tabs, one destination on screen.
        click (page().getEditButton (2), 5, 5);
        EXPECT_FALSE (page().isTrackEditorShown()) << "the editor decides";
        deliver();
        ASSERT_TRUE (page().isTrackEditorShown());
        EXPECT_EQ (page().getEditedTrack(), 2);
        EXPECT_EQ (page().getTrack (2).getBounds(), scaled ({ 88, 100, 976, 522 }, s));
        EXPECT_EQ (page().getTrack (2).displayMode, seqTrackEditor);
        for (const int t : { 0, 1, 3 })
        {
            EXPECT_EQ (page().getTrack (t).getBounds(), scaled ({ 220 + 143 * t, 20, 136, 60 }, s)) << t;
            EXPECT_EQ (page().getTrack (t).displayMode, seqTrackTab);
            EXPECT_LT (page().getControl (t).getRight(), 0) << "parked";
        }
        EXPECT_EQ (page().getControl (2).getBounds(), scaled ({ 91, 46, 102, 32 }, s));
        EXPECT_EQ (page().getOkButton().getBounds(), scaled ({ 992, 50, 64, 24 }, s));
        expectCaptionFits (page().getOkButton());
        expectCaptionFits (page().getDrawModeButton());
        EXPECT_FALSE (page().getProgramButton().isVisible());
        EXPECT_FALSE (programPage().isVisible());
        EXPECT_EQ (page().getControl (7).getLabel(), "");

        // A new size keeps the track editor.
        main->setSize (size.x, size.y);
        EXPECT_FALSE (programPage().isVisible());

        // OK: the overview, with every control back at its place.
        click (page().getOkButton(), 5, 5);
        deliver();
        EXPECT_FALSE (page().isTrackEditorShown());
        EXPECT_TRUE (programPage().isVisible());
        EXPECT_EQ (programPage().getBounds().getX(), (int) (680 * s));
        for (int i = 0; i < SequencerTables::kNumControls; ++i)
        {
            const auto& row = SequencerTables::SequencerControlTable[(size_t) i];
            EXPECT_EQ (page().getControl (i).getBounds(), scaled ({ row.x, row.y - 16, row.w, row.h }, s)) << i;
        }
        EXPECT_EQ (page().getControl (7).getLabel(), "Sequencer");
        EXPECT_EQ (page().getTrack (2).getBounds(), scaled ({ 123, 332, 522, 155 }, s));
    }
}

TEST_F (SequencerView, TheDrawModeMenuSetsEveryTrack)
{
    open (1148, 700);
    page().handleDrawModeMenu (SeqPanel::kPen);
    page().handleDrawModeMenu (SeqPanel::kQuantize);
    for (int t = 0; t < 4; ++t)
        EXPECT_TRUE (page().getTrack (t).drawMode == seqDrawPen && page().getTrack (t).quantize) << t;

    page().handleDrawModeMenu (SeqPanel::kQuantize);
    page().handleDrawModeMenu (0);
    for (int t = 0; t < 4; ++t)
        EXPECT_FALSE (page().getTrack (t).quantize) << t;
}

TEST_F (SequencerView, EditsReachTheSynthesizerAndADumpRedrawsEveryStep)
{
    open (1148, 700);
    main->handleAsyncUpdate();

    // A step of track 1 dragged on the overview, and track 2's destination.
    auto& track = page().getTrack (0);
    press (track, 5 * 32 + 16, 100);
    drag (track, 5 * 32 + 16, 71);
    page().getControl (1).handleValueList (47 + 1);

    ASSERT_TRUE (waitUntil ([&] { return synth->getEditBuffer()[125] == 77 && synth->getEditBuffer()[102] == 47; }));
    main->handleAsyncUpdate();
    EXPECT_EQ (track.getShownValue (5), 77);
    EXPECT_EQ (page().getControl (1).getValueText(), "Sequencer 1 Slew") << "the echo in the page's own kind";
    EXPECT_EQ (programPage().getControl (102).getDisplayedValue(), 47);

    // A dump with every step changed, and pitch destinations.
    juce::Random random (22);
    auto image = synth->getEditBuffer();
    for (int position = 120; position < 184; ++position)
        image[(size_t) position] = (juce::uint8) random.nextInt (position < 136 ? 128 : 127);
    for (int position = 101; position <= 104; ++position)
        image[(size_t) position] = 2;
    synth->setEditBuffer (image);
    const int refreshes = main->getRefreshCount();
    synth->panelSendsEditBufferDump();
    ASSERT_TRUE (waitUntil ([&] {
        main->handleAsyncUpdate();
        return main->getRefreshCount() > refreshes;
    }));

    for (int position = 120; position < 184; ++position)
        EXPECT_EQ (page().getTrack ((position - 120) / 16).getShownValue ((position - 120) % 16), image[(size_t) position])
            << position;
    for (int t = 0; t < 4; ++t)
        EXPECT_TRUE (page().getTrack (t).isDestinationPitch()) << t;
}

TEST_F (SequencerView, ByteEventsReachTheirStepAndTheSettings)
{
    open (1148, 700);
    main->handleAsyncUpdate();

    main->handleUiEvent (UiEventCode::make (kUiProgramByteChanged, 0, 130, 33));
    main->handleUiEvent (UiEventCode::make (kUiProgramByteChanged, 0, 183, 126));
    main->handleUiEvent (UiEventCode::make (kUiProgramByteChanged, 0, 96, 5));
    main->handleUiEvent (UiEventCode::make (kUiProgramByteChanged, 0, 104, 47));

    EXPECT_EQ (page().getTrack (0).getShownValue (10), 33);
    EXPECT_EQ (page().getTrack (3).getShownValue (15), 126);
    EXPECT_EQ (page().getControl (5).getDisplayedValue(), 5);
    EXPECT_EQ (programPage().getControl (96).getDisplayedValue(), 5);
    EXPECT_EQ (page().getControl (3).getValueText(), "Sequencer 2 Slew");
}

//==============================================================================
TEST_F (SequencerView, APlayerOpensATrackSwitchesByItsTabDrawsAndReturns)
{
    open (1148, 700);
    // The about box that greets the first opening is modal: the player closes it first.
    main->showAbout (false);
    main->setViewMode (MainComp::kProgramView);
    main->handleAsyncUpdate();
    editor->addToDesktop (juce::ComponentPeer::windowIsTemporary);
    editor->setVisible (true);
    ASSERT_NE (editor->getPeer(), nullptr);
    Pointer pointer;

    pointer.click (programPage().getSequencerButton(), { 20, 10 });
    ASSERT_EQ (main->getViewMode(), MainComp::kSequencerView);

    pointer.click (page().getEditButton (2), { 20, 8 });
    deliver();
    ASSERT_TRUE (page().isTrackEditorShown());
    EXPECT_EQ (page().getEditedTrack(), 2);

    pointer.click (page().getTrack (0), { 60, 30 });
    deliver();
    EXPECT_EQ (page().getEditedTrack(), 0);
    EXPECT_EQ (page().getTrack (0).displayMode, seqTrackEditor);

    // Pen: one stroke across steps 2 to 5 at one height.
    page().handleDrawModeMenu (SeqPanel::kPen);
    auto& track = page().getTrack (0);
    const int stepWidth = track.getStepWidth(), y = 250;
    const int expected = SeqClass::dragValue ((float) y, (float) track.getHeight() / SeqClass::kReferenceHeight);
    pointer.send (track, { 2 * stepWidth + 10, y }, {});
    pointer.send (track, { 2 * stepWidth + 10, y }, juce::ModifierKeys::leftButtonModifier);
    for (int step = 2; step <= 5; ++step)
        pointer.send (track, { step * stepWidth + 20, y }, juce::ModifierKeys::leftButtonModifier);
    pointer.send (track, { 5 * stepWidth + 20, y }, {});

    ASSERT_TRUE (waitUntil ([&] { return synth->getEditBuffer()[125] == expected; }));
    main->handleAsyncUpdate();
    for (int step = 2; step <= 5; ++step)
    {
        EXPECT_EQ (hub().getEditBufferByte (120 + step), expected) << step;
        EXPECT_EQ (track.getShownValue (step), expected) << step;
    }

    pointer.click (page().getOkButton(), { 20, 10 });
    deliver();
    pointer.click (page().getProgramButton(), { 20, 10 });
    EXPECT_EQ (main->getViewMode(), MainComp::kProgramView);
    EXPECT_FALSE (page().isVisible());
    EXPECT_TRUE (programPage().isVisible());
    EXPECT_EQ (programPage().getBounds(), juce::Rectangle<int> (0, 23, 1148, main->drawerTop() - 23));

    editor->removeFromDesktop();
}
