#include "editor/widgets/Envel.h"
#include "WidgetHarness.h"

#include <gtest/gtest.h>

using namespace widgetharness;

namespace
{
struct View : testing::Test
{
    View()
    {
        view.setSize (226, 82);
        view.addChangeListener (&changes);
    }

    // Change messages are asynchronous: counted after a dispatch.
    int messages()
    {
        view.dispatchPendingMessages();
        return changes.count;
    }

    // The pixel of corner i at the view's scale, rounded.
    juce::Point<int> pixelOf (int corner) const { return (view.getCorner (corner) * view.getScale()).roundToInt(); }

    Envel view;
    ChangeCounter changes;
};
} // namespace

TEST_F (View, CornersFollowTheStages)
{
    struct Case
    {
        float a, d, s, r;
        float corners[Envel::kNumCorners][2];
    };
    const Case cases[] = {
        { 30, 30, 30, 30, { { 16, 70 }, { 27.34f, 16 }, { 38.68f, 58.66f }, { 76.47f, 58.66f }, { 87.81f, 70 } } },
        { 0, 0, 0, 0, { { 16, 70 }, { 16, 16 }, { 16, 70 }, { 53.80f, 70 }, { 53.80f, 70 } } },
        { 127, 127, 127, 127, { { 16, 70 }, { 64, 16 }, { 112, 22 }, { 149.80f, 22 }, { 197.80f, 70 } } },
    };

    for (const auto& c : cases)
    {
        view.setStages (c.a, c.d, c.s, c.r);
        for (int i = 0; i < Envel::kNumCorners; ++i)
        {
            EXPECT_NEAR (view.getCorner (i).x, c.corners[i][0], 0.01f) << c.a << " corner " << i;
            EXPECT_NEAR (view.getCorner (i).y, c.corners[i][1], 0.01f) << c.a << " corner " << i;
        }
    }

    // The outline is in pixels, closed back along the base line.
    view.setScale (1.5f);
    view.setStages (127, 127, 127, 127);
    const auto box = view.getOutline().getBounds();
    EXPECT_NEAR (box.getRight(), 197.8f * 1.5f, 0.01f);
    EXPECT_NEAR (box.getX(), 16.0f * 1.5f, 0.01f);
}

TEST_F (View, PressesGrabTheHandleTheyHit)
{
    struct Case
    {
        float scale;
        float a, d, s, r;
        int x, y;
        int handle;
    };
    const Case cases[] = {
        // The attack zone at 1.5 is 30.51..51.51 x 13.5..34.5, bounds excluded.
        { 1.5f, 30, 30, 30, 30, 51, 34, envelAttackHandle },
        { 1.5f, 30, 30, 30, 30, 31, 14, envelAttackHandle },
        { 1.5f, 30, 30, 30, 30, 52, 24, envelNoHandle },
        { 1.5f, 30, 30, 30, 30, 30, 24, envelNoHandle },
        { 1.5f, 30, 30, 30, 30, 40, 13, envelNoHandle },
        // Anywhere along the sustain segment, 7 units above or below it.
        { 1.0f, 30, 30, 30, 30, 60, 52, envelDecaySustainHandle },
        { 1.0f, 30, 30, 30, 30, 70, 65, envelDecaySustainHandle },
        { 1.0f, 30, 30, 30, 30, 84, 58, envelNoHandle },
        { 1.0f, 30, 30, 30, 30, 60, 66, envelNoHandle },
        { 1.0f, 30, 30, 30, 30, 88, 70, envelReleaseHandle },
        { 1.0f, 30, 30, 30, 30, 5, 40, envelNoHandle },
        // Overlaps: attack over release, release over decay/sustain.
        { 1.0f, 0, 0, 127, 0, 16, 16, envelAttackHandle },
        { 1.0f, 0, 0, 0, 0, 50, 68, envelReleaseHandle },
        { 1.0f, 0, 0, 0, 0, 40, 68, envelDecaySustainHandle },
    };

    for (const auto& c : cases)
    {
        view.setScale (c.scale);
        view.setStages (c.a, c.d, c.s, c.r);
        EXPECT_EQ (view.hitTestHandle (c.x, c.y), c.handle) << c.x << "," << c.y << " at " << c.scale;
    }
}

TEST_F (View, OneStepIsOneAndAHalfPixels)
{
    const int pixels[] = { 0, 1, 2, 3, 4, -1, -3, -4 };
    const int steps[] = { 0, 1, 1, 2, 3, -1, -2, -3 };
    for (size_t i = 0; i < std::size (pixels); ++i)
        EXPECT_EQ (Envel::dragSteps (pixels[i]), steps[i]) << pixels[i];
}

TEST_F (View, DraggingAHandleMovesItsStagesAndTellsThePage)
{
    struct Case
    {
        const char* what;
        int corner;           // the handle pressed on
        int dx, dy;           // the drag, in pixels
        float stages[4];      // from all at 30
        const char* readout;
        int messages;
    };
    const Case cases[] = {
        { "attack right", 1, 3, 0, { 32, 30, 30, 30 }, "32", 1 },
        { "attack up: times move sideways only", 1, 0, -20, { 30, 30, 30, 30 }, " ", 0 },
        { "decay/sustain diagonally", 2, 4, -3, { 30, 33, 32, 30 }, "33 , 32", 1 },
        { "decay/sustain vertically", 2, 0, 6, { 30, 30, 26, 30 }, "  , 26", 1 },
        { "release vertically", 4, 0, -30, { 30, 30, 30, 30 }, " ", 0 },
        { "release left past zero", 4, -100, 0, { 30, 30, 30, 0 }, "0", 1 },
        { "attack right past the maximum", 1, 400, 0, { 127, 30, 30, 30 }, "127", 1 },
    };

    for (const auto& c : cases)
    {
        view.setStages (30, 30, 30, 30);
        changes.count = 0;
        const auto from = pixelOf (c.corner);
        press (view, from.x, from.y);
        drag (view, from.x + c.dx, from.y + c.dy);

        for (int stage = 0; stage < Envel::numStages; ++stage)
            EXPECT_EQ (view.getStage (stage), c.stages[stage]) << c.what << " stage " << stage;
        EXPECT_EQ (view.getReadout(), juce::String (c.readout)) << c.what;
        EXPECT_EQ (messages(), c.messages) << c.what;
        if (c.messages > 0)
            EXPECT_EQ (view.getChangeCode(), envelStagesDragged) << c.what;
        release (view, from.x + c.dx, from.y + c.dy);
        EXPECT_TRUE (view.isDragging()) << c.what << ": the readout stays until the next press";
    }
}

TEST_F (View, ARightPressAsksForThePopUpAndChangesNothing)
{
    const auto peak = pixelOf (1);
    rightPress (view, peak.x, peak.y);
    drag (view, peak.x + 30, peak.y);

    EXPECT_EQ (messages(), 1);
    EXPECT_EQ (view.getChangeCode(), envelRightButton);
    EXPECT_EQ (view.getStage (Envel::attack), 30.0f);
    EXPECT_FALSE (view.isDragging());
}

TEST_F (View, ModelValuesAreKeptAsTheyComeAndWaitWhileRepaintsAreOff)
{
    view.setRepaintEnabled (false);
    view.setStage (Envel::sustain, 200.0f);
    view.setStage (7, 5.0f); // no such stage

    EXPECT_EQ (view.getStage (Envel::sustain), 200.0f);
    EXPECT_TRUE (view.isRepaintPending());
    view.setRepaintEnabled (true);
    EXPECT_FALSE (view.isRepaintPending());
    EXPECT_EQ (messages(), 0);
}
