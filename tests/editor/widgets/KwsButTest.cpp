#include "editor/EditorLook.h"
#include "editor/widgets/KwsBut.h"
#include "WidgetHarness.h"

#include <BrindlemarkAssets.h>
#include <gtest/gtest.h>

#include <vector>

using namespace widgetharness;

namespace
{
// Records every call, in order, into a log shared by several listeners.
struct Recorder : kwsbutListener, kwsbutChangeListener
{
    Recorder (std::vector<juce::String>& sharedLog, juce::String listenerName)
        : log (sharedLog), name (std::move (listenerName))
    {
    }

    void kwsButtonClicked (int buttonId) override { log.push_back (name + " id " + juce::String (buttonId)); }
    void kwsButtonChanged (KwsBut* sender) override
    {
        log.push_back (name + " button " + juce::String (sender->getId()));
        toggledSeen = sender->isToggled();
    }

    std::vector<juce::String>& log;
    juce::String name;
    bool toggledSeen = false;
};

struct PlacedButton
{
    PlacedButton (int style, int w = 60, int h = 20, juce::String caption = "Go") : button (caption, 42, style)
    {
        button.placeWithStyleImages (0, 0, w, h, true);
        button.setVisible (true);
        button.addChangeListener (&recorder);
    }

    int reports() const { return (int) log.size(); }

    KwsBut button;
    std::vector<juce::String> log;
    Recorder recorder { log, "owner" };
};

juce::Image asset (const char* data, int size)
{
    return juce::ImageCache::getFromMemory (data, size);
}
} // namespace

TEST (KwsBut, PressReportsAtOnceOnlyWhereItsStyleReacts)
{
    struct Case
    {
        int style, x, y, reportsOnPress;
    };
    const Case cases[] = {
        { kwsButPlain, 30, 10, 1 },  { kwsButImage, 30, 10, 1 },  { 7, 30, 10, 1 },
        { kwsButToggle, 25, 10, 1 }, { kwsButToggle, 26, 10, 0 }, { kwsButBar, 30, 10, 0 },
        { kwsButBank, 30, 10, 0 },   { kwsButDialog, 30, 19, 1 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << "style " << c.style << " at x " << c.x);
        PlacedButton placed (c.style);

        press (placed.button, c.x, c.y);
        EXPECT_EQ (placed.reports(), c.reportsOnPress);
        EXPECT_EQ (placed.button.isPressed(), c.reportsOnPress == 1);

        release (placed.button, c.x, c.y);
        EXPECT_EQ (placed.reports(), c.reportsOnPress) << "a release never reports";
        EXPECT_FALSE (placed.button.isPressed());
    }
}

TEST (KwsBut, InnerButtonReportsOneClickOnRelease)
{
    for (const int style : { kwsButBar, kwsButBank, kwsButDialog })
    {
        SCOPED_TRACE (testing::Message() << "style " << style);
        PlacedButton placed (style);
        auto& inner = *placed.button.getInnerButton();
        const auto innerPoint = placed.button.getLocalPoint (&inner, juce::Point<int> (30, 8));
        ASSERT_EQ (placed.button.getComponentAt (innerPoint), &inner);

        press (inner, 30, 8);
        EXPECT_EQ (placed.reports(), 0);

        release (inner, 30, 8);
        EXPECT_EQ (placed.log, std::vector<juce::String> { "owner button 42" });
    }
}

TEST (KwsBut, DialogStyleLeavesItsBottomTwoRowsToTheButtonItself)
{
    PlacedButton placed (kwsButDialog, 50, 18);
    auto* inner = placed.button.getInnerButton();

    EXPECT_EQ (placed.button.getComponentAt (10, 0), inner);
    EXPECT_EQ (placed.button.getComponentAt (10, 15), inner);
    EXPECT_EQ (placed.button.getComponentAt (10, 16), &placed.button);
    EXPECT_EQ (placed.button.getComponentAt (10, 17), &placed.button);

    for (const int barStyle : { kwsButBar, kwsButBank })
    {
        PlacedButton bar (barStyle, 50, 18);
        EXPECT_EQ (bar.button.getComponentAt (10, 0), bar.button.getInnerButton());
        EXPECT_EQ (bar.button.getComponentAt (10, 17), bar.button.getInnerButton());
    }
}

TEST (KwsBut, ChangeListenersComeFirstThenTheNewestIdListener)
{
    std::vector<juce::String> log;
    Recorder first (log, "first"), second (log, "second"), watcher (log, "watcher");
    KwsBut button ("Go", 97, kwsButPlain);
    button.placeWithStyleImages (0, 0, 60, 20, true);
    button.addListener (&first);
    button.addChangeListener (&watcher);
    button.addListener (&second);

    press (button, 10, 10);

    EXPECT_EQ (log, (std::vector<juce::String> { "watcher button 97", "second id 97", "first id 97" }));
}

TEST (KwsBut, AddingAListenerTwiceCallsItOnce)
{
    std::vector<juce::String> log;
    Recorder owner (log, "owner");
    KwsBut button ("Go", 5, kwsButPlain);
    button.placeWithStyleImages (0, 0, 60, 20, true);
    button.addListener (&owner);
    button.addListener (&owner);
    button.addChangeListener (&owner);
    button.addChangeListener (&owner);

    button.notifyListeners();

    EXPECT_EQ (log, (std::vector<juce::String> { "owner button 5", "owner id 5" }));
}

TEST (KwsBut, ToggleStyleFlipsOnEveryReleaseAndShowsItsIndicator)
{
    const auto off = asset (BrindlemarkAssets::button_indicator_off_png, BrindlemarkAssets::button_indicator_off_pngSize);
    const auto on = asset (BrindlemarkAssets::button_indicator_on_png, BrindlemarkAssets::button_indicator_on_pngSize);
    ASSERT_EQ (off.getBounds(), juce::Rectangle<int> (15, 11));
    ASSERT_EQ (on.getBounds(), juce::Rectangle<int> (15, 11));

    for (const int x : { 25, 26 })
    {
        SCOPED_TRACE (testing::Message() << "press at x " << x);
        PlacedButton placed (kwsButToggle, 120, 20);
        placed.recorder.toggledSeen = true;
        EXPECT_TRUE (sameArea (render (placed.button), 2, 5, off));

        click (placed.button, x, 10);
        EXPECT_TRUE (placed.button.isToggled());
        EXPECT_TRUE (sameArea (render (placed.button), 2, 5, on));
        if (x == 25)
        {
            EXPECT_FALSE (placed.recorder.toggledSeen) << "listeners see the state before the flip";
        }

        click (placed.button, x, 10);
        EXPECT_FALSE (placed.button.isToggled());
    }
}

TEST (KwsBut, PlainStyleSinksItsFaceAndCaptionOnlyWhileHeld)
{
    PlacedButton placed (kwsButPlain, 60, 20, "WWW");
    const auto inside = juce::Rectangle<int> (1, 1, 58, 18);

    // Where the caption lands centred in an area on a face, by the same text renderer.
    const auto captionCentredIn = [&] (juce::Rectangle<int> area, juce::uint32 face)
    {
        juce::Image image (juce::Image::ARGB, 60, 20, true);
        juce::Graphics g (image);
        g.fillAll (juce::Colour (face));
        g.setColour (juce::Colours::white);
        g.setFont (EditorLook::font (13.0f));
        g.drawText ("WWW", area, juce::Justification::centred, false);
        return brightArea (image, inside);
    };

    const auto idle = render (placed.button);
    press (placed.button, 10, 10);
    const auto held = render (placed.button);
    release (placed.button, 10, 10);
    const auto released = render (placed.button);

    EXPECT_EQ (idle.getPixelAt (4, 10), juce::Colour (0xff202d31));
    EXPECT_EQ (held.getPixelAt (4, 10), juce::Colour (0xff040405));
    EXPECT_EQ (released.getPixelAt (4, 10), juce::Colour (0xff202d31));

    const auto upCaption = captionCentredIn ({ 0, 0, 60, 20 }, 0xff202d31);
    const auto downCaption = captionCentredIn ({ 1, 1, 60, 20 }, 0xff040405);
    ASSERT_NE (upCaption, downCaption);
    EXPECT_EQ (brightArea (idle, inside), upCaption);
    EXPECT_EQ (brightArea (held, inside), downCaption);
    EXPECT_EQ (brightArea (released, inside), upCaption);
}

TEST (KwsBut, ImageStyleCentresTheFaceAndShowsOnlyItWithoutCaption)
{
    const auto normal = asset (BrindlemarkAssets::button_face_up_png, BrindlemarkAssets::button_face_up_pngSize);
    const auto pressed = asset (BrindlemarkAssets::button_face_down_png, BrindlemarkAssets::button_face_down_pngSize);
    ASSERT_EQ (normal.getBounds(), juce::Rectangle<int> (200, 22));

    struct Case
    {
        int height, expectedTop;
        bool held;
    };
    const Case cases[] = { { 22, 0, false }, { 30, 4, false }, { 31, 4, true }, { 25, 1, true } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << "height " << c.height);
        const int w = 60;
        PlacedButton placed (kwsButImage, w, c.height, {});
        if (c.held)
            press (placed.button, 5, 5);
        const auto& face = c.held ? pressed : normal;

        const auto painted = render (placed.button);

        EXPECT_TRUE (sameArea (painted, 0, c.expectedTop, face.getClippedImage ({ 0, 0, w - 1, 22 })));
        EXPECT_TRUE (sameArea (painted, w - 1, c.expectedTop, face.getClippedImage ({ KwsBut::kFaceEdgeColumn, 0, 1, 22 })));
        for (const int emptyRow : { c.expectedTop - 1, c.expectedTop + 22 })
        {
            if (emptyRow >= 0 && emptyRow < c.height)
            {
                EXPECT_EQ (painted.getPixelAt (w / 2, emptyRow).getAlpha(), 0) << "row " << emptyRow;
            }
        }
    }

    PlacedButton captioned (kwsButImage, 60, 22, "WWW");
    EXPECT_FALSE (sameArea (render (captioned.button), 0, 0, normal.getClippedImage ({ 0, 0, 59, 22 })));
}

TEST (KwsBut, InnerButtonFollowsEachPlacement)
{
    struct Case
    {
        int style;
        juce::uint32 colour, onColour;
        juce::Rectangle<int> innerForSecondPlace;
    };
    const Case cases[] = {
        { kwsButBar, 0xffc87003, 0xff8b4916, { 0, -3, 100, 36 } },
        { kwsButBank, 0xffc87003, 0xff8b4916, { 0, -3, 100, 36 } },
        { kwsButDialog, 0xff5a6163, 0xff000000, { 0, -5, 100, 33 } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << "style " << c.style);
        KwsBut button ("Go", 1, c.style);
        button.placeWithStyleImages (0, 0, 80, 20, true);
        auto* inner = button.getInnerButton();
        ASSERT_NE (inner, nullptr);

        button.placeWithStyleImages (10, 5, 100, 30, true);

        EXPECT_EQ (button.getInnerButton(), inner);
        EXPECT_EQ (button.getNumChildComponents(), 1);
        EXPECT_EQ (button.getBounds(), juce::Rectangle<int> (10, 5, 100, 30));
        EXPECT_EQ (inner->getBounds(), c.innerForSecondPlace);
        EXPECT_TRUE (inner->isVisible());
        EXPECT_EQ (inner->getButtonText(), juce::String());
        EXPECT_EQ (inner->findColour (juce::TextButton::buttonColourId), juce::Colour (c.colour));
        EXPECT_EQ (inner->findColour (juce::TextButton::buttonOnColourId), juce::Colour (c.onColour));
        EXPECT_TRUE (inner->isConnectedOnLeft() && inner->isConnectedOnRight());
    }

    for (const int style : { 1, 5, 99, 7 })
    {
        KwsBut button ("Go", 1, style);
        button.placeWithStyleImages (0, 0, 0, 0, false);
        EXPECT_EQ (button.getInnerButton(), nullptr) << "style " << style;
        EXPECT_EQ (button.getNumChildComponents(), 0);
    }
}

TEST (KwsBut, BarStyleDrawsABlackLineAlongItsBottomEdge)
{
    PlacedButton bar (kwsButBar, 60, 20, {});
    PlacedButton bank (kwsButBank, 60, 20, {});

    const auto barImage = render (bar.button);
    const auto bankImage = render (bank.button);

    EXPECT_LT (barImage.getPixelAt (30, 19).getBrightness(), bankImage.getPixelAt (30, 19).getBrightness());
    EXPECT_EQ (barImage.getPixelAt (30, 10), bankImage.getPixelAt (30, 10));
}
