#include "editor/widgets/KwsCont.h"
#include "WidgetHarness.h"

#include "core/VellixAudioProcessor.h"
#include "core/model/ParDes.h"
#include "editor/EditorLook.h"
#include "support/VirtualMidi.h"

#include <BrindlemarkAssets.h>

#include <gtest/gtest.h>

using namespace widgetharness;

namespace
{
struct Listener : KwsContListener
{
    void kwsContEvent (int code, int position, int section) override { calls.push_back ({ code, position, section }); }
    std::vector<std::array<int, 3>> calls;
};

// One control on a processor with no ports: what it asks the processor for is
// read back from the hub's queue, and shown only when the test echoes it.
struct Control : testing::Test
{
    void setUp (int style, int minimum, int maximum, int w = 65, int h = 64, int kind = kKindNumber, int position = 3)
    {
        control.setup (position, "Label", 0, 16, w, h, minimum, maximum, style, kind);
        control.setSection (4);
        control.setBackgroundFill();
        control.addListener (&listener);
        control.setVisible (true);
    }

    // The values this control asked the processor for since the last call.
    std::vector<int> requests()
    {
        std::vector<int> values;
        for (const auto code : processor.getHub().takeEvents())
            if (UiEventCode::type (code) == kUiProgramByteChanged && UiEventCode::position (code) == control.getPosition())
                values.push_back (UiEventCode::value (code));
        return values;
    }

    // What the page does when the model's event comes back.
    void show (int value) { control.setDisplayedValue (value, ParDes::getValueText (control.getDisplayKind(), value)); }

    void echo()
    {
        for (const int value : requests())
            show (value);
    }

    ScopedMidiDeviceLayer layer;
    VellixAudioProcessor processor;
    KwsCont control { processor };
    Listener listener;
};
} // namespace

TEST (KwsContMaths, KnobFramesSpanTheStripAndNeverLeaveIt)
{
    struct Case
    {
        int value, minimum, range, frame;
    };
    const Case cases[] = {
        { 0, 0, 127, 0 },   { 64, 0, 127, 27 }, { 127, 0, 127, 54 }, { 200, 0, 127, 54 }, // past the maximum: the last frame
        { 30, 30, 220, 0 }, { 250, 30, 220, 54 }, { -5, 0, 127, 0 },
        { 0, 0, 0, 0 },     { 7, 7, 0, 0 },                                               // no range: no division by zero
        { 1, 0, 1, 54 },    { 3, 0, 5, 33 },
    };

    for (const auto& c : cases)
    {
        const int frame = KwsCont::knobFrameFor (c.value, c.minimum, c.range);
        EXPECT_EQ (frame, c.frame) << c.value << " in " << c.minimum << "+" << c.range;
        EXPECT_TRUE (frame >= 0 && frame < KwsCont::kNumKnobFrames);
    }
}

TEST (KwsContMaths, DragAddsRightAndUpAndSlowsForSmallRanges)
{
    struct Case
    {
        int dx, dy, start, maximum, wanted;
    };
    const Case cases[] = {
        { 10, 4, 50, 127, 56 }, { 0, -29, 0, 5, 1 }, { 0, -30, 0, 5, 2 }, { 14, 0, 0, 14, 0 },  { 15, -15, 0, 14, 2 },
        { -3, 3, 50, 127, 44 }, { 0, 0, 9, 15, 9 },  { 0, -1, 9, 15, 10 }, // a maximum of 15 takes a pixel a step
    };

    for (const auto& c : cases)
        EXPECT_EQ (KwsCont::dragValue (c.dx, c.dy, c.start, c.maximum), c.wanted) << c.dx << "," << c.dy;
}

TEST_F (Control, AKnobShowsOnlyWhatTheModelReportsClampedWithTheBytesOwnText)
{
    setUp (kwsContKnob, 0, 127);
    EXPECT_EQ (control.getDisplayedValue(), 0);

    show (200);
    EXPECT_EQ (control.getDisplayedValue(), 127);
    EXPECT_EQ (control.getKnobFrame(), 54);
    EXPECT_EQ (control.getValueText(), ParDes::getValueText (kKindNumber, 200));

    show (64);
    EXPECT_EQ (control.getKnobFrame(), 27);

    press (control, 20, 20);
    drag (control, 30, 24);
    EXPECT_EQ (requests(), std::vector<int> { 70 });
    EXPECT_EQ (control.getDisplayedValue(), 64) << "the gesture's value waits for the model";
    EXPECT_TRUE (processor.isGestureOpen (3)) << "a drag leaves the gesture to the processor's timer";
}

TEST_F (Control, DraggingPastTheMaximumStopsSendingOnceTheModelHasIt)
{
    setUp (kwsContKnob, 0, 127);
    show (120);

    press (control, 10, 10);
    drag (control, 30, 10);
    drag (control, 40, 10);
    EXPECT_EQ (requests(), (std::vector<int> { 127, 127 })) << "before the echo the same value goes again";

    show (127);
    drag (control, 50, 10);
    release (control, 50, 10);
    EXPECT_TRUE (requests().empty());

    drag (control, 60, 10);
    EXPECT_TRUE (requests().empty()) << "a drag after the release is no gesture";
}

TEST_F (Control, ASmallKnobTakesFifteenPixelsAStep)
{
    setUp (kwsContKnob, 0, 5, 65, 64, kKindPlain, 14);
    press (control, 20, 40);
    drag (control, 20, 11);
    drag (control, 20, 10);
    EXPECT_EQ (requests(), (std::vector<int> { 1, 2 }));
}

TEST_F (Control, EachStyleAnswersPressesOnlyInItsZone)
{
    struct Case
    {
        int style, w, h, x, y;
        bool requests;
    };
    const Case cases[] = {
        { kwsContCheck, 105, 20, 24, 5, true },   { kwsContCheck, 105, 20, 25, 5, false },
        { kwsContCheck, 105, 20, 30, 5, false },  { kwsContSwitch, 65, 32, 22, 5, false },
        { kwsContSwitch, 65, 32, 23, 5, true },   { kwsContSwitch, 65, 32, 41, 30, true },
        { kwsContSwitch, 65, 32, 42, 5, false },  { kwsContKnob, 65, 64, 5, 5, false }, // a press alone sends nothing
    };

    for (const auto& c : cases)
    {
        KwsCont fresh (processor);
        fresh.setup (4, "L", 0, 16, c.w, c.h, 0, 1, c.style, kKindOnOff);
        click (fresh, c.x, c.y);

        std::vector<int> sent;
        for (const auto code : processor.getHub().takeEvents())
            sent.push_back (UiEventCode::value (code));
        EXPECT_EQ (sent, c.requests ? std::vector<int> { 1 } : std::vector<int> {})
            << "style " << c.style << " at " << c.x << "," << c.y;
    }
}

TEST_F (Control, TheValueListOpensOnlyFromAPressAndReleaseInTheBoxStrip)
{
    setUp (kwsContList, 0, 5, 110, 32, kKindKeyMode, 16);
    const std::array<int, 2> pressesAndReleases[] = { { 5, 25 }, { 25, 5 }, { 25, 25 }, { 5, 17 } };
    const bool opens[] = { false, false, false, true };
    auto& modal = *juce::ModalComponentManager::getInstance();

    for (size_t i = 0; i < std::size (pressesAndReleases); ++i)
    {
        const int before = modal.getNumModalComponents();
        press (control, 50, pressesAndReleases[i][0]);
        release (control, 50, pressesAndReleases[i][1]);
        EXPECT_EQ (modal.getNumModalComponents() > before, opens[i]) << i;
        juce::PopupMenu::dismissAllActiveMenus();
    }
}

TEST_F (Control, TheValueListOffersEveryValueWithATextFromZero)
{
    setUp (kwsContList, 30, 250, 110, 32, kKindBpm, 95);
    const auto menu = control.buildValueList();

    int items = 0;
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next(); ++items)
        EXPECT_EQ (it.getItem().text, ParDes::getValueText (kKindBpm, it.getItem().itemID - 1));

    int offered = 0;
    for (int v = 0; v <= 250; ++v)
        offered += ParDes::getValueText (kKindBpm, v) != "*/*" ? 1 : 0;
    EXPECT_EQ (items, offered) << "every value with a text, from 0, and no */*";
}

TEST_F (Control, AListChoiceEndsTheGestureAtOnceAndNeverGoesBelowTheMinimum)
{
    setUp (kwsContList, 30, 250, 110, 32, kKindBpm, 95);
    show (120);

    control.handleValueList (121); // the value already shown
    EXPECT_EQ (requests(), std::vector<int> { 120 });
    EXPECT_FALSE (processor.isGestureOpen (95));

    control.handleValueList (5); // value 4, below the minimum
    EXPECT_EQ (requests(), std::vector<int> { 30 });

    control.handleValueList (0); // dismissed
    EXPECT_TRUE (requests().empty());
}

TEST_F (Control, ARightPressReportsPositionAndSectionAndChangesNothing)
{
    for (const int style : { kwsContKnob, kwsContList, kwsContCheck, kwsContSwitch })
    {
        KwsCont fresh (processor);
        fresh.setup (12, "L", 0, 16, 65, 32, 0, 1, style, kKindOnOff);
        fresh.setSection (7);
        fresh.addListener (&listener);
        fresh.addListener (&listener); // twice: still once

        rightPress (fresh, 30, 5);
        fresh.mouseUp (mouseAt (fresh, 30, 5, juce::ModifierKeys::rightButtonModifier));
        EXPECT_TRUE (processor.getHub().takeEvents().isEmpty()) << style;
    }

    const std::array<int, 3> expected { 100, 12, 7 };
    EXPECT_EQ (listener.calls, (std::vector<std::array<int, 3>> (4, expected)));
}

TEST_F (Control, TheWheelStepsThroughEveryValueWithinTheRange)
{
    setUp (kwsContList, 0, 46, 110, 32, kKindModDest, 44);
    const juce::MouseWheelDetails up { 0.0f, 0.5f, false, false, false }, down { 0.0f, -0.5f, false, false, false };

    control.mouseWheelMove (mouseAt (control, 5, 5), down);
    EXPECT_TRUE (requests().empty()) << "already at the minimum";

    show (46);
    control.mouseWheelMove (mouseAt (control, 5, 5), up);
    EXPECT_TRUE (requests().empty()) << "already at the maximum";
    control.mouseWheelMove (mouseAt (control, 5, 5), down);
    EXPECT_EQ (requests(), std::vector<int> { 45 });
}

TEST_F (Control, AZeroRangeKnobShowsItsOneValue)
{
    setUp (kwsContKnob, 7, 7);
    show (7);
    show (90);
    EXPECT_EQ (control.getDisplayedValue(), 7);
    EXPECT_EQ (control.getKnobFrame(), 0);

    press (control, 10, 10);
    drag (control, 40, 0);
    EXPECT_TRUE (requests().empty());
    EXPECT_FALSE (render (control).isNull());
}

TEST_F (Control, SuspendedRepaintsWaitAndTheScaleSetsTheBounds)
{
    setUp (kwsContCheck, 0, 1, 105, 20, kKindOnOff, 12);
    control.setRepaintEnabled (false);
    show (1);
    EXPECT_TRUE (control.isRepaintPending());
    control.setRepaintEnabled (true);
    EXPECT_FALSE (control.isRepaintPending());

    control.setPosition (133, 20);
    control.setScale (0.5f);
    EXPECT_EQ (control.getBounds(), juce::Rectangle<int> (66, 2, 52, 10));

    // At half size the zones shrink with it: x 12 is inside 25 x 0.5, x 13 is not.
    click (control, 13, 2);
    EXPECT_TRUE (requests().empty());
    click (control, 12, 2);
    EXPECT_EQ (requests(), std::vector<int> { 0 });
}

TEST_F (Control, AListsValueTextNeverRunsIntoItsArrow)
{
    // The value text's cyan, told from the box, the arrow and the gloss.
    const auto cyanPixelsIn = [] (const juce::Image& image, juce::Rectangle<int> area) {
        int count = 0;
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
            {
                const auto c = image.getPixelAt (x, y);
                count += (c.getGreen() - c.getRed() > 40 && c.getBlue() - c.getRed() > 40) ? 1 : 0;
            }
        return count;
    };

    struct Case { int width; const char* text; };
    const Case cases[] = { { 45, "C5" }, { 45, "C#10" }, { 110, "Last Note Hit RT" }, { 110, "Low Note" } };
    for (const auto& c : cases)
    {
        for (const float scale : { 1.0f, 975.0f / 1148.0f })
        {
            SCOPED_TRACE (juce::String (c.text) + " at " + juce::String (scale));
            setUp (kwsContList, 0, 127, c.width, 32);
            control.setScale (scale);
            control.setDisplayedValue (1, c.text);
            const auto image = render (control);
            const int arrowLeft = (int) std::ceil ((float) (c.width - KwsCont::kListArrowWidth) * scale);
            const int stripHeight = (int) ((float) KwsCont::kListStripHeight * scale);
            EXPECT_GT (cyanPixelsIn (image, { 0, 0, arrowLeft, stripHeight }), 0) << "the text is drawn";
            EXPECT_EQ (cyanPixelsIn (image, { arrowLeft, 0, image.getWidth() - arrowLeft, stripHeight }), 0);
        }
    }
}

// Knobs share their resampled frames: each must still turn to the frame of its
// own value, whichever knob asked for a frame first.
TEST_F (Control, KnobsSharingTheirFramesEachShowTheirOwnValue)
{
    setUp (kwsContKnob, 0, 127);
    KwsCont other { processor };
    other.setup (4, "Label", 0, 16, 65, 64, 0, 127, kwsContKnob, kKindNumber);
    other.setBackgroundFill();
    other.setVisible (true);

    constexpr float scale = 975.0f / 1148.0f;
    control.setScale (scale);
    other.setScale (scale);
    const auto strip = juce::ImageCache::getFromMemory (BrindlemarkAssets::knob_strip_png,
                                                        BrindlemarkAssets::knob_strip_pngSize);
    const auto knob = EditorLook::scaled (juce::Rectangle<float> (65 / 2 - 15, 0, 50, 50), scale);
    // The upper part of the knob, above where its value's text can reach,
    // within the control.
    const auto compared = juce::Rectangle<int> (knob.getX(), 0, knob.getWidth(), knob.getHeight() / 2)
                              .getIntersection (control.getLocalBounds());

    // The frame drawn by hand: resampled on its own, laid on the control's fill.
    const auto expectedFor = [&] (int value) {
        const int frame = KwsCont::knobFrameFor (value, 0, 127);
        juce::Image resampled (juce::Image::ARGB, knob.getWidth(), knob.getHeight(), true);
        {
            juce::Graphics g (resampled);
            g.setImageResamplingQuality (juce::Graphics::mediumResamplingQuality);
            g.drawImage (strip, 0, 0, knob.getWidth(), knob.getHeight(), frame * KwsCont::kKnobFrameStride, 0,
                         KwsCont::kKnobFrameSize, KwsCont::kKnobFrameSize);
        }
        juce::Image expected (juce::Image::ARGB, compared.getWidth(), compared.getHeight(), true);
        juce::Graphics g (expected);
        g.fillAll (EditorLook::controlFill);
        g.drawImageAt (resampled, 0, 0);
        return expected;
    };

    struct Case { int mine, others; };
    const Case cases[] = { { 0, 127 }, { 127, 0 }, { 64, 64 }, { 30, 100 } };
    for (const auto& c : cases)
    {
        show (c.mine);
        other.setDisplayedValue (c.others, ParDes::getValueText (kKindNumber, c.others));
        EXPECT_TRUE (sameArea (render (other), compared.getX(), 0, expectedFor (c.others))) << c.others;
        EXPECT_TRUE (sameArea (render (control), compared.getX(), 0, expectedFor (c.mine))) << c.mine;
    }
}
