#include "editor/widgets/AppSetBarBut.h"
#include "editor/widgets/Check_But.h"
#include "editor/widgets/KwsLabel.h"
#include "editor/widgets/RenameCnt.h"
#include "editor/widgets/SimpleLabel.h"
#include "WidgetHarness.h"

#include <BrindlemarkAssets.h>
#include <gtest/gtest.h>

using namespace widgetharness;

TEST (KwsLabel, SendsAChangeMessageOnlyForAPressStrictlyInside)
{
    struct Case
    {
        int x, y;
        bool sends;
    };
    const Case cases[] = { { 0, 5, false }, { 1, 1, true }, { 5, 0, false }, { 61, 14, true }, { 62, 5, false } };

    for (const auto& c : cases)
    {
        KwsLabel label;
        label.setBounds (0, 0, 62, 15);
        ChangeCounter counter;
        label.addChangeListener (&counter);

        press (label, c.x, c.y);
        label.dispatchPendingMessages();

        EXPECT_EQ (counter.count, c.sends ? 1 : 0) << "press at " << c.x << ", " << c.y;
    }
}

TEST (KwsLabel, PaintsTheBackgroundAndOutlineOfItsFrameStyle)
{
    const juce::Colour background (0xff102030), outline (0xff9f9f9f);
    struct Case
    {
        int frameStyle;
        juce::Colour corner, centre;
        bool opaque;
    };
    const Case cases[] = {
        { 0, juce::Colours::transparentBlack, juce::Colours::transparentBlack, false },
        { 1, background, background, true },
        { 2, outline, background, true },
    };

    for (const auto& c : cases)
    {
        KwsLabel label;
        label.setBounds (0, 0, 62, 15);
        label.setTextStyle ({}, "Arial", 12.0f, juce::Justification::centred);
        label.setFrame (c.frameStyle, background, outline);

        const auto painted = render (label);

        EXPECT_EQ (painted.getPixelAt (0, 0), c.corner) << "frame " << c.frameStyle;
        EXPECT_EQ (painted.getPixelAt (31, 7), c.centre) << "frame " << c.frameStyle;
        EXPECT_EQ (label.isOpaque(), c.opaque);
    }
}

TEST (KwsLabel, ShowsItsTextInWhite)
{
    KwsLabel label;
    label.setBounds (0, 0, 80, 20);
    label.setTextStyle ("old", {}, 16.0f, juce::Justification::centred);
    label.setFrame (1, juce::Colours::black, juce::Colours::black);
    label.setLabelText ("WWW");

    EXPECT_EQ (label.getLabelText(), "WWW");
    EXPECT_FALSE (brightArea (render (label), label.getLocalBounds()).isEmpty());
}

TEST (SimpleLabel, NumberTextShowsOnlyCountsFromOne)
{
    const std::pair<int, const char*> cases[] = { { 0, "" }, { -3, "" }, { 7, "7" }, { 120, "120" } };

    for (const auto& [number, shown] : cases)
    {
        SimpleLabel label (12.0f, juce::Colours::black, juce::Font::plain, juce::Justification::centredLeft);
        label.setText ("old");
        label.setNumberText (number);
        EXPECT_EQ (label.getText(), juce::String (shown)) << number;
    }
}

TEST (SimpleLabel, DrawsItsTextInTheTop20PixelsOnly)
{
    SimpleLabel label (40.0f, juce::Colours::black, juce::Font::bold, juce::Justification::centred);
    EXPECT_EQ (label.getBounds(), juce::Rectangle<int> (100, 20));
    label.setSize (100, 40);
    label.setText ("WW");

    const auto painted = render (label);

    EXPECT_FALSE (brightArea (painted, { 0, 0, 100, 20 }).isEmpty());
    EXPECT_TRUE (brightArea (painted, { 0, 20, 100, 20 }).isEmpty());
    EXPECT_EQ (painted.getPixelAt (0, 39), juce::Colours::black);
}

TEST (Check_But, EachPressFlipsItAndTheMessagesCoalesce)
{
    Check_But box;
    box.placeWithCaption ("Clock", 40, 200, 14.0f);
    ChangeCounter counter;
    bool seen = true;
    counter.onChange = [&] { seen = box.isChecked(); };
    box.addChangeListener (&counter);

    click (box, 5, 5);
    EXPECT_TRUE (box.isChecked());
    click (box, 5, 5);
    EXPECT_FALSE (box.isChecked());
    box.dispatchPendingMessages();

    EXPECT_EQ (counter.count, 1);
    EXPECT_FALSE (seen) << "the owner reads the state when the one message arrives";

    box.setChecked (true);
    box.dispatchPendingMessages();
    EXPECT_TRUE (box.isChecked());
    EXPECT_EQ (counter.count, 1) << "setting the state sends nothing";
}

TEST (Check_But, ShowsThePressedImageWhileHeldThenItsState)
{
    const auto image = [] (const char* data, int size) { return juce::ImageCache::getFromMemory (data, size); };
    const auto unticked = image (BrindlemarkAssets::check_unticked_png, BrindlemarkAssets::check_unticked_pngSize);
    const auto ticked = image (BrindlemarkAssets::check_ticked_png, BrindlemarkAssets::check_ticked_pngSize);
    const auto held = image (BrindlemarkAssets::check_pressed_png, BrindlemarkAssets::check_pressed_pngSize);
    ASSERT_EQ (held.getBounds(), juce::Rectangle<int> (20, 11));

    Check_But box;
    box.placeWithCaption ("Thru", 0, 100, 14.0f);
    EXPECT_TRUE (sameArea (render (box), 2, 2, unticked));

    press (box, 5, 5);
    EXPECT_TRUE (sameArea (render (box), 2, 2, held));

    release (box, 5, 5);
    EXPECT_TRUE (sameArea (render (box), 2, 2, ticked));
}

TEST (Check_But, ParentPaintsTheCaptionBesideTheBox)
{
    Check_But box;
    box.placeWithCaption ("WWW WWW", 40, 200, 14.0f);
    EXPECT_EQ (box.getBounds(), juce::Rectangle<int> (20, 40, 200, 15));

    juce::Image parent (juce::Image::ARGB, 400, 100, true);
    {
        juce::Graphics g (parent);
        g.fillAll (juce::Colours::black);
        box.paintCaption (g);
    }

    const auto caption = brightArea (parent, parent.getBounds());
    ASSERT_FALSE (caption.isEmpty());
    EXPECT_TRUE (juce::Rectangle<int> (50, 40, 300, 15).contains (caption)) << caption.toString();
}

TEST (RenameCnt, LaysOutItsEditorAndButtons)
{
    RenameCnt box (10, 20, "Init");

    EXPECT_EQ (box.getBounds(), juce::Rectangle<int> (10, 20, 180, 43));
    EXPECT_EQ (box.getText(), "Init");
    EXPECT_EQ (box.getTextEditor().getBounds(), juce::Rectangle<int> (0, 0, 180, 24));
    EXPECT_FALSE (box.getTextEditor().isMultiLine());
    EXPECT_EQ (box.getOkButton().getBounds(), juce::Rectangle<int> (130, 26, 50, 18));
    EXPECT_EQ (box.getCancelButton().getBounds(), juce::Rectangle<int> (0, 26, 50, 18));
    EXPECT_EQ (render (box).getPixelAt (90, 30), juce::Colour (0xff221414));
}

TEST (RenameCnt, NameStopsAt16Characters)
{
    RenameCnt box (0, 0, "Init");
    auto& editor = box.getTextEditor();

    editor.selectAll();
    editor.insertTextAtCaret ("ABCDEFGHIJKLMNOPQRSTUV");
    EXPECT_EQ (box.getText(), "ABCDEFGHIJKLMNOP") << "a paste is cut";

    editor.moveCaretToEnd();
    editor.keyPressed (juce::KeyPress ('x', {}, 'x'));
    EXPECT_EQ (box.getText(), "ABCDEFGHIJKLMNOP") << "a 17th character cannot be typed";

    editor.keyPressed (juce::KeyPress (juce::KeyPress::backspaceKey));
    editor.keyPressed (juce::KeyPress ('x', {}, 'x'));
    EXPECT_EQ (box.getText(), "ABCDEFGHIJKLMNOx");
}

TEST (RenameCnt, ButtonsReportToTheOwnerOnRelease)
{
    struct Owner : kwsbutChangeListener
    {
        void kwsButtonChanged (KwsBut* sender) override { ids.push_back (sender->getId()); }
        std::vector<int> ids;
    };

    RenameCnt box (0, 0, "Init");
    Owner owner;
    box.getOkButton().addChangeListener (&owner);
    box.getCancelButton().addChangeListener (&owner);

    click (*box.getCancelButton().getInnerButton(), 10, 10);
    click (*box.getOkButton().getInnerButton(), 10, 10);

    EXPECT_EQ (owner.ids, (std::vector<int> { RenameCnt::kCancelId, RenameCnt::kOkId }));
}

TEST (AppSetBarBut, ReleaseAnywhereSendsCode128)
{
    AppSetBarBut button;
    ChangeCounter counter;
    button.addChangeListener (&counter);
    EXPECT_EQ (button.getBounds(), juce::Rectangle<int> (36, 36));

    press (button, 18, 18);
    release (button, 200, -50);
    button.dispatchPendingMessages();

    EXPECT_EQ (button.getCode(), 128);
    EXPECT_EQ (counter.count, 1);
}

TEST (AppSetBarBut, PaintsThreeBlackBars)
{
    AppSetBarBut button;
    const auto painted = render (button);

    for (int y = 0; y < 36; ++y)
    {
        const bool onBar = (y >= 8 && y < 11) || (y >= 14 && y < 17) || (y >= 20 && y < 23);
        EXPECT_EQ (painted.getPixelAt (18, y), onBar ? juce::Colours::black : juce::Colours::transparentBlack) << y;
        EXPECT_EQ (painted.getPixelAt (7, y).getAlpha(), 0);
        EXPECT_EQ (painted.getPixelAt (28, y).getAlpha(), 0);
    }
}
