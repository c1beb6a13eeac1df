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
    struct Case { int top; float scale; int settled; };
    const Case cases[] = {
        { 580, 1.0f, 528 }, { 630, 1.0f, 680 }, { 595, 1.0f, 680 }, { 594, 1.0f, 528 }, { 443, 1.0f, 528 },
        { 442, 1.0f, 442 }, { 300, 1.0f, 300 }, { 700, 1.0f, 680 }, { 480, 0.5f, 340 }, { 290, 0.5f, 264 },
    };

    for (const auto& c : cases)
        EXPECT_EQ (KeyBrd::snappedTop (c.top, c.scale), c.settled) << c.top << " at " << c.scale;
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
