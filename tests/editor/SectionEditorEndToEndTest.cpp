#include "editor/EditorRig.h"
#include "support/Waiting.h"
#include "widgets/WidgetHarness.h"

#include <gtest/gtest.h>

using namespace widgetharness;

namespace
{
struct SectionEditing : testing::Test, EditorRig
{
    SectionEditing() { main->handleAsyncUpdate(); }

    EditorPanel& panel() { return main->getEditorPanel(); }

    // A drag on a view from one of its corners, with the change message
    // delivered as the message loop would.
    static void dragCorner (Envel& view, int corner, int dx, int dy)
    {
        const auto from = (view.getCorner (corner) * view.getScale()).roundToInt();
        press (view, from.x, from.y);
        drag (view, from.x + dx, from.y + dy);
        release (view, from.x + dx, from.y + dy);
        view.dispatchPendingMessages();
    }

    // The four stage bytes of envelope view i in a program image.
    template <typename Image>
    static std::array<int, 4> stagesIn (const Image& image, int index)
    {
        const int first = EditorTables::kEnvelopeFirstPosition[(size_t) index];
        return { image[(size_t) first], image[(size_t) first + 1], image[(size_t) first + 2], image[(size_t) first + 3] };
    }
};
} // namespace

TEST_F (SectionEditing, DraggingEachEnvelopesHandlesChangesItsStagesAtTheSynthesizer)
{
    for (int index = 0; index < EditorPanel::kNumEnvelopes; ++index)
    {
        // From stages apart enough that each press grabs the handle it aims at.
        const int first = EditorTables::kEnvelopeFirstPosition[(size_t) index];
        for (int stage = 0; stage < Envel::numStages; ++stage)
            processor->changeProgramParameter (first + stage, 30 + 10 * index, false, true);
        auto& view = panel().getEnvelope (index);
        ASSERT_TRUE (drainUntil ([&] { return view.getStage (Envel::release) == (float) (30 + 10 * index); }));
        const auto before = stagesIn (hub().getEditBufferImage(), index);

        // Attack and release lengthen; the sustain corner moves right and up.
        dragCorner (view, 1, 6, 0);
        dragCorner (view, 4, 9, 0);
        dragCorner (view, 2, 3, -12);

        const std::array<int, 4> wanted { juce::jmin (127, before[0] + 4), juce::jmin (127, before[1] + 2),
                                          juce::jmin (127, before[2] + 8), juce::jmin (127, before[3] + 6) };
        ASSERT_TRUE (waitUntil ([&] { return stagesIn (synth->getEditBuffer(), index) == wanted; }))
            << "envelope " << index;

        // The model's events bring the same values back to the view.
        ASSERT_TRUE (drainUntil ([&] { return panel().getControl (EditorTables::kEnvelopeFirstPosition[(size_t) index] + 2)
                                                  .getDisplayedValue() == wanted[2]; }));
        for (int stage = 0; stage < Envel::numStages; ++stage)
            EXPECT_EQ (view.getStage (stage), (float) wanted[(size_t) stage]) << index << " stage " << stage;
    }
}

TEST_F (SectionEditing, EditsInsideThePopUpReachTheSynthesizerAndThePageFollows)
{
    // A right press on an empty part of the filter section, as a player would.
    rightPress (panel(), 40, 300);
    panel().dispatchPendingMessages();
    auto& popUp = main->getSectionEditor();
    ASSERT_TRUE (popUp.isVisible());
    EXPECT_EQ (popUp.getShownSection(), 0);
    EXPECT_EQ (popUp.getControl (21).getDisplayedValue(), panel().getControl (21).getDisplayedValue());
    EXPECT_EQ (popUp.getEnvelope (0).getStage (Envel::attack), panel().getEnvelope (0).getStage (Envel::attack));

    // Resonance up by ten with the pop-up's knob, and the attack lengthened by four.
    auto& resonance = popUp.getControl (21);
    const int wantedResonance = juce::jmin (127, resonance.getDisplayedValue() + 10);
    press (resonance, 20, 20);
    drag (resonance, 30, 20);
    release (resonance, 30, 20);
    auto& view = popUp.getEnvelope (0);
    const int wantedAttack = juce::jmin (127, (int) view.getStage (Envel::attack) + 4);
    dragCorner (view, 1, 6, 0);

    ASSERT_TRUE (waitUntil ([&] {
        const auto image = synth->getEditBuffer();
        return image[21] == wantedResonance && image[28] == wantedAttack;
    }));
    ASSERT_TRUE (drainUntil ([&] {
        return panel().getControl (21).getDisplayedValue() == wantedResonance
               && panel().getEnvelope (0).getStage (Envel::attack) == (float) wantedAttack;
    }));
    EXPECT_EQ (resonance.getDisplayedValue(), wantedResonance);
    EXPECT_TRUE (panel().getControl (21).isRepaintPending()) << "drawn when the pop-up closes";

    // A press outside the box closes it and draws what changed below.
    press (popUp, 5, 5);
    popUp.dispatchPendingMessages();
    EXPECT_FALSE (popUp.isVisible());
    EXPECT_FALSE (panel().getControl (21).isRepaintPending());
}

TEST_F (SectionEditing, ADumpReceivedWhileThePopUpIsOpenUpdatesIt)
{
    main->openSectionEditor (1);
    auto& popUp = main->getSectionEditor();

    auto image = synth->getEditBuffer();
    for (int position = 32; position <= 40; ++position)
        image[(size_t) position] = (juce::uint8) (position + 50);
    synth->setEditBuffer (image);
    const int refreshes = main->getRefreshCount();
    synth->panelSendsEditBufferDump();
    ASSERT_TRUE (drainUntil ([&] { return main->getRefreshCount() > refreshes; }));

    for (int position = 32; position <= 40; ++position)
        EXPECT_EQ (popUp.getControl (position).getDisplayedValue(), position + 50) << position;
    for (int stage = 0; stage < Envel::numStages; ++stage)
        EXPECT_EQ (popUp.getEnvelope (1).getStage (stage), (float) (36 + stage + 50)) << stage;

    // Hidden, it still follows its last section, and only that one.
    main->closeSectionEditor();
    main->handleUiEvent (UiEventCode::make (kUiProgramByteChanged, 0, 40, 9));
    main->handleUiEvent (UiEventCode::make (kUiProgramByteChanged, 0, 21, 9));
    EXPECT_EQ (popUp.getControl (40).getDisplayedValue(), 9);
    EXPECT_NE (popUp.getControl (21).getDisplayedValue(), 9);
}
