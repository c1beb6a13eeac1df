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
