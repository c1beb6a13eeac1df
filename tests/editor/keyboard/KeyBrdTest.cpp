#include "editor/keyboard/KeyboardRig.h"

#include <gtest/gtest.h>

using widgetharness::press;
using widgetharness::release;

namespace
{
struct Drawer : testing::Test, KeyboardRig
{
};
} // namespace

TEST (DrawerSnap, ReleasedDrawersSettleByTheHalfHeightRule)
{
    struct Case { int top; float scale; int height; int settled; };
    const Case cases[] = {
        { 580, 1.0f, 700, 528 }, { 630, 1.0f, 700, 680 }, { 595, 1.0f, 700, 680 }, { 594, 1.0f, 700, 528 },
        { 443, 1.0f, 700, 528 }, { 442, 1.0f, 700, 442 }, { 300, 1.0f, 700, 300 }, { 700, 1.0f, 700, 680 },
        { 480, 0.5f, 350, 340 }, { 290, 0.5f, 350, 264 }, { 500, 975.0f / 1148.0f, 595, 449 },
        { 560, 975.0f / 1148.0f, 595, 579 },
    };

    for (const auto& c : cases)
        EXPECT_EQ (KeyBrd::snappedTop (c.top, c.scale, c.height), c.settled) << c.top << " at " << c.scale;
}

TEST (OctaveOverview, AClickChoosesTheOctaveLeftOfThePointer)
{
    struct Case { float x; float scale; int startKey; };
    const Case cases[] = { { 50.0f, 0.7f, 24 }, { 0.0f, 0.7f, 0 }, { 188.0f, 0.7f, 72 }, { 100.0f, 0.7f, 60 },
                           { 50.0f, 0.5f * 0.7f, 60 } };

    for (const auto& c : cases)
        EXPECT_EQ (OctaveKeyClass::startKeyAt (c.x, c.scale), c.startKey) << c.x << " at " << c.scale;
}

TEST_F (Drawer, DraggingTheHandleOpensAndClosesTheDrawer)
{
    auto& d = drawer();
    EXPECT_EQ (d.getBounds(), juce::Rectangle<int> (0, 680, 1148, 172));
    EXPECT_EQ (main->drawerTop(), 680);

    widgetharness::ChangeCounter snaps;
    d.addChangeListener (&snaps);

    press (d, 200, 10);
    drag (d, 200, -90); // 100 up
    release (d, 200, -90);
    d.dispatchPendingMessages();
    EXPECT_EQ (snaps.count, 1);
    EXPECT_EQ (d.getY(), 528);
    EXPECT_EQ (main->drawerTop(), 528);

    press (d, 200, 10);
    drag (d, 200, -1000);
    EXPECT_EQ (d.getY(), 23) << "never above the application bar";
    release (d, 200, -1000);
    EXPECT_EQ (d.getY(), 23);

    press (d, 200, 10);
    drag (d, 200, 2000);
    EXPECT_EQ (d.getY(), 680);
    release (d, 200, 2000);

    press (d, 200, 60); // below the handle: no drag
    drag (d, 200, -100);
    release (d, 200, -100);
    EXPECT_EQ (d.getY(), 680);

    d.dispatchPendingMessages();
    EXPECT_EQ (snaps.count, 2) << "one message for each release of a drag (coalesced)";

    d.setTopLeftPosition (0, 528);
    main->layoutChildren();
    EXPECT_EQ (d.getY(), 680) << "a layout closes the drawer";
    d.removeChangeListener (&snaps);
}

// Truncated design units once left the drawer's body showing under the
// closed handle at 975 x 595 (577 + 16 = 593).
TEST_F (Drawer, ClosedItShowsOnlyItsHandleAtTheBottomEdgeAtEverySize)
{
    // The two sizes the editor opens at, the shell's limits, and heights a
    // host may give it off the design's proportions.
    const juce::Point<int> sizes[] = { { 1148, 700 }, { 975, 595 }, { 452, 276 }, { 1377, 840 },
                                       { 700, 427 }, { 1148, 800 }, { 975, 500 } };

    for (const auto size : sizes)
    {
        editor->setSize (size.x, size.y);
        ASSERT_EQ (main->getBounds(), juce::Rectangle<int> (size.x, size.y));
        SCOPED_TRACE (size.toString());
        const float s = hub().getEditorScale();
        auto& d = drawer();

        const int handleBottom = d.getY() + EditorLook::scaled (KeyBrd::kHandleHeight, s);
        EXPECT_EQ (handleBottom, size.y) << "the handle's lower edge is the editor's";
        EXPECT_EQ (main->drawerTop(), d.getY());
        const auto piano = main->getLocalArea (&d.getPiano(), d.getPiano().getLocalBounds());
        EXPECT_GE (piano.getY(), size.y) << "no key on screen";

        // What the user sees: neither the drawer's body nor the piano in the bottom rows.
        const auto shot = main->createComponentSnapshot (main->getLocalBounds());
        const juce::Colour keys (EditorLook::pianoBackground), body (EditorLook::drawerFill);
        for (int y = size.y - 3; y < size.y; ++y)
            for (int x = 0; x < size.x; x += 7)
                ASSERT_TRUE (shot.getPixelAt (x, y) != keys && shot.getPixelAt (x, y) != body) << x << ", " << y;

        d.setTopLeftPosition (0, d.openTop());
        EXPECT_EQ (d.getBottom(), size.y) << "open, the whole drawer rests on the bottom edge";
        main->layoutChildren();
        EXPECT_EQ (d.getY() + EditorLook::scaled (KeyBrd::kHandleHeight, s), size.y) << "a layout closes it there again";
    }
}

TEST_F (Drawer, TheVelocityBarSetsTheKeyboardVelocity)
{
    auto& bar = drawer().getVelocityIndicator();
    EXPECT_EQ (bar.getValue(), 100);

    const std::pair<int, int> cases[] = { { 0, 127 }, { 27, 100 }, { 127, 0 }, { 200, 0 }, { -20, 127 } };
    for (auto [y, velocity] : cases)
    {
        press (bar, 5, 50);
        drag (bar, 5, y);
        release (bar, 5, y);
        EXPECT_EQ (hub().getKeyboardVelocity(), velocity) << y;
    }

    press (bar, 60, 50); // right of the bar: no drag
    drag (bar, 60, 100);
    EXPECT_EQ (bar.getValue(), 127);
}

TEST_F (Drawer, TheOctaveAndVelocityOutliveTheEditor)
{
    auto& overview = drawer().getOctaveOverview();
    press (overview, 100, 5);
    EXPECT_EQ (hub().getKeyboardOctave(), overview.getStartKey() / 12);
    const int octave = hub().getKeyboardOctave();
    drawer().getVelocityIndicator().setValue (3);

    close();
    open();

    EXPECT_EQ (drawer().getOctaveOverview().getStartKey(), 12 * octave);
    EXPECT_EQ (drawer().getVelocityIndicator().getValue(), 3);
    EXPECT_EQ (drawer().getPitchWheel().getValue(), 64);
    EXPECT_EQ (drawer().getModWheel().getValue(), 0);
}
