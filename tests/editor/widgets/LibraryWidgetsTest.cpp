#include "editor/widgets/KwBut.h"
#include "editor/widgets/LibBut.h"
#include "editor/widgets/RateSlider.h"
#include "editor/widgets/WinMovCan.h"
#include "WidgetHarness.h"

#include <gtest/gtest.h>

#include <vector>

using namespace widgetharness;

namespace
{
struct LibRecorder : LibButListener
{
    LibRecorder (std::vector<juce::String>& sharedLog, juce::String listenerName)
        : log (sharedLog), name (std::move (listenerName))
    {
    }

    void libButtonClicked (LibBut*, int id) override { log.push_back (name + " click " + juce::String (id)); }
    void libButtonEntered (LibBut*, int id) override { log.push_back (name + " enter " + juce::String (id)); }
    void libButtonExited (LibBut*, int id) override { log.push_back (name + " exit " + juce::String (id)); }

    std::vector<juce::String>& log;
    juce::String name;
};

struct ToolRecorder : winToolListener
{
    ToolRecorder (std::vector<juce::String>& sharedLog, juce::String listenerName)
        : log (sharedLog), name (std::move (listenerName))
    {
    }

    void winToolClicked (WinMovCan*, int code) override { log.push_back (name + " " + juce::String (code)); }

    std::vector<juce::String>& log;
    juce::String name;
};

// Change messages sent so far, delivered now.
int delivered (juce::ChangeBroadcaster& sender, ChangeCounter& counter)
{
    sender.dispatchPendingMessages();
    return counter.count;
}
} // namespace

TEST (LibBut, ReportsThePressAtOnceAndThePointerNewestListenerFirst)
{
    LibBut button ("LIBRARY", 1217, 12.0f);
    button.placeAt (10, 20);
    std::vector<juce::String> log;
    LibRecorder first (log, "first"), second (log, "second");
    button.addListener (&first);
    button.addListener (&second);
    button.addListener (&first); // once only

    button.mouseEnter (mouseAt (button, 5, 5));
    press (button, 5, 5);
    const auto afterPress = log.size();
    release (button, 5, 5);
    button.mouseExit (mouseAt (button, 5, 5));

    EXPECT_EQ (afterPress, 4u) << "the release adds nothing";
    EXPECT_EQ (log, (std::vector<juce::String> { "second enter 1217", "first enter 1217", "second click 1217",
                                                 "first click 1217", "second exit 1217", "first exit 1217" }));
    EXPECT_EQ (button.getBounds(), juce::Rectangle<int> (10, 20, 100, 34));
}

TEST (LibBut, ShowsItsCaptionOnItsFace)
{
    LibBut button ("DONE", 1201, 12.0f);
    button.placeAt (0, 0);

    const auto painted = render (button);

    EXPECT_FALSE (brightArea (painted, button.getLocalBounds()).isEmpty());
    EXPECT_TRUE (painted.getPixelAt (50, 17).isOpaque()) << "the face fills the middle";
}

TEST (KwBut, ClicksOnlyWhenReleasedInsideItsEdges)
{
    struct Case
    {
        int x, y;
        bool clicks;
    };
    const Case cases[] = { { 50, 9, true }, { 100, 9, true }, { 0, 18, true }, { 101, 9, false }, { 50, -1, false }, { -1, 9, false } };

    for (const auto& c : cases)
    {
        KwBut button ("Bass", 3);
        button.loadImages();
        ChangeCounter counter;
        button.addChangeListener (&counter);

        press (button, 50, 9);
        EXPECT_TRUE (button.isPressed());
        release (button, c.x, c.y);

        EXPECT_FALSE (button.isPressed());
        EXPECT_EQ (delivered (button, counter), c.clicks ? 1 : 0) << "release at " << c.x << ", " << c.y;
    }
}

TEST (KwBut, ReleaseWithoutPressAndHoverSendNothing)
{
    KwBut button ("Lead", 1);
    button.loadImages();
    button.setPosition (30, 40);
    ChangeCounter counter;
    button.addChangeListener (&counter);

    button.mouseEnter (mouseAt (button, 5, 5));
    release (button, 5, 5);

    EXPECT_EQ (delivered (button, counter), 0);
    EXPECT_TRUE (button.isHovered());
    EXPECT_EQ (button.getBounds(), juce::Rectangle<int> (30, 40, 100, 18));
}

TEST (WinMovCan, ReportsHideOnReleaseWhereverItHappensNewestFirst)
{
    WinMovCan strip;
    std::vector<juce::String> log;
    ToolRecorder first (log, "first"), second (log, "second");
    strip.addListener (&first);
    strip.addListener (&second);
    strip.addListener (&second);

    press (strip, 8, 8);
    EXPECT_TRUE (log.empty()) << "the press only chooses";
    release (strip, 300, -40); // the pointer left the strip

    EXPECT_EQ (log, (std::vector<juce::String> { "second 122", "first 122" }));
    EXPECT_EQ (strip.getLastReleasedCode(), kWinToolHide);
    EXPECT_EQ (strip.getBounds().getWidth(), 17);
    EXPECT_EQ (strip.getBounds().getHeight(), 30);
}

TEST (RateSlider, DraggingMapsThePointerOntoTheRange)
{
    struct Case
    {
        int x, value;
    };
    // 164 pixels for 1000 ms, computed in float: the right end is exactly 1000.
    const Case cases[] = { { 18, 0 }, { 182, 1000 }, { 10, 0 }, { -40, 0 }, { 260, 1000 }, { 19, 6 } };

    for (const auto& c : cases)
    {
        RateSlider slider;
        ChangeCounter counter;
        slider.addChangeListener (&counter);
        slider.setValue (500);

        press (slider, 100, 9);
        slider.mouseDrag (mouseAt (slider, c.x, 9));

        EXPECT_EQ (slider.getValue(), c.value) << "drag to " << c.x;
        EXPECT_EQ (delivered (slider, counter), 1);
    }
}

TEST (RateSlider, APressOnTheArrowEdgesStartsADragThatWaitsForTheMove)
{
    for (const int x : { 18, 182 })
    {
        RateSlider slider;
        ChangeCounter counter;
        slider.addChangeListener (&counter);
        slider.setValue (300);

        press (slider, x, 9);

        EXPECT_TRUE (slider.isDragging());
        EXPECT_FALSE (slider.isTimerRunning());
        EXPECT_EQ (slider.getValue(), 300);
        EXPECT_EQ (delivered (slider, counter), 0);
    }
}

TEST (RateSlider, AHeldArrowStepsEveryTickAndStopsAtTheEnds)
{
    RateSlider slider;
    ChangeCounter counter;
    slider.addChangeListener (&counter);
    slider.setValue (998);

    press (slider, 190, 9);
    ASSERT_TRUE (slider.isTimerRunning());
    ASSERT_EQ (slider.getTimerInterval(), 100);

    std::vector<int> values;
    for (int tick = 0; tick < 3; ++tick)
    {
        slider.timerCallback();
        values.push_back (slider.getValue());
        EXPECT_EQ (delivered (slider, counter), tick + 1) << "a message every tick, at the end too";
    }
    EXPECT_EQ (values, (std::vector<int> { 999, 1000, 1000 }));

    release (slider, 190, 9);
    EXPECT_FALSE (slider.isTimerRunning());

    slider.setValue (1);
    press (slider, 3, 9);
    slider.timerCallback();
    slider.timerCallback();
    EXPECT_EQ (slider.getValue(), 0);
    release (slider, 3, 9);
}

TEST (RateSlider, SetValueKeepsToTheRangeAndTellsNoOne)
{
    const std::pair<int, int> cases[] = { { -5, 0 }, { 0, 0 }, { 250, 250 }, { 1000, 1000 }, { 1500, 1000 } };

    for (auto [given, shown] : cases)
    {
        RateSlider slider;
        ChangeCounter counter;
        slider.addChangeListener (&counter);

        slider.setValue (given);

        EXPECT_EQ (slider.getValue(), shown) << given;
        EXPECT_EQ (delivered (slider, counter), 0);
    }
}

TEST (RateSlider, TheBarEndsAtTheValue)
{
    RateSlider slider;
    slider.setValue (900); // the bar reaches pixel 18 + 147

    const auto painted = render (slider);

    EXPECT_NE (painted.getPixelAt (160, 3), juce::Colour (0xff000000)) << "bar left of the value";
    EXPECT_EQ (painted.getPixelAt (175, 3), juce::Colour (0xff000000)) << "hidden right of it";
}
