#include "EditorRig.h"
#include "editor/LCD_Comp.h"
#include "editor/ProgBar.h"
#include "editor/ProgramCategoryNames.h"
#include "widgets/WidgetHarness.h"

#include <gtest/gtest.h>

using namespace widgetharness;

TEST (ProgramDisplay, NumbersReadAsBankLetterAndThreeDigits)
{
    const std::tuple<int, int, const char*> cases[] = { { 0, 0, "A:001" }, { 0, 8, "A:009" },  { 0, 9, "A:010" },
                                                        { 0, 99, "A:100" }, { 0, 127, "A:128" }, { 1, 99, "B:100" },
                                                        { 2, 127, "C:128" } };

    for (auto [bank, program, text] : cases)
        EXPECT_EQ (LCD_Comp::numberText (bank, program), text);
}

TEST (ProgramDisplay, AClickNamesItsZoneAtEveryScale)
{
    struct Case
    {
        float x, y;
        int zone;
    };
    const Case cases[] = { { 61, 10, LCD_Comp::kZoneNumber }, { 63, 10, LCD_Comp::kZoneCategory }, { 20, 30, LCD_Comp::kZoneName } };

    for (const float scale : { 1.0f, 2.0f })
    {
        for (const auto& c : cases)
        {
            LCD_Comp display (nullptr);
            display.place (0, 0, scale);
            ChangeCounter counter;
            display.addChangeListener (&counter);

            press (display, (int) (c.x * scale), (int) (c.y * scale));
            display.dispatchPendingMessages();

            EXPECT_EQ (display.getClickZone(), c.zone) << c.x << ", " << c.y << " at " << scale;
            EXPECT_EQ (counter.count, 1);
        }
    }
}

TEST (ProgramDisplay, HalfScaleHalvesTheDisplay)
{
    LCD_Comp display (nullptr);
    display.place (10, 20, 0.5f);
    EXPECT_EQ (display.getBounds(), juce::Rectangle<int> (10, 20, 90, 21));

    display.setAll (1, 4, 25, "Bright Pad      ", getCategoryName (25));
    EXPECT_EQ (display.getNumberText(), "B:005");
    EXPECT_EQ (display.getCategoryText(), "Arpeggiator");
    EXPECT_FALSE (brightArea (render (display), display.getLocalBounds()).isEmpty());
}

TEST (ProgramCategoryNames, NumbersOutsideTheTableHaveNoName)
{
    EXPECT_EQ (getCategoryName (0), "- Not Assigned -");
    EXPECT_EQ (getCategoryName (25), "Arpeggiator");
    EXPECT_EQ (getCategoryName (26), "");
    EXPECT_EQ (getCategoryName (-1), "");

    const auto menu = buildCategoryMenu();
    EXPECT_EQ (menu.getNumItems(), 26);
}

TEST (TransferOverlay, SitsCentredOverTheDesignCanvas)
{
    ProgBar overlay (1148, 1148, 700);

    EXPECT_EQ (overlay.getBounds(), juce::Rectangle<int> (0, 0, 1148, 700));
    EXPECT_EQ (overlay.getBox().getPosition(), juce::Point<int> (374, 330));
    EXPECT_EQ (overlay.getTrack().getBounds(), juce::Rectangle<int> (374, 330, 384, 24));
    EXPECT_EQ (overlay.getLabel().getBounds(), juce::Rectangle<int> (374, 370, 88, 24));
    EXPECT_EQ (overlay.getCancelButton().getBounds(), juce::Rectangle<int> (693, 370, 60, 24));
    EXPECT_EQ (overlay.getCancelButton().getCaption(), "CANCEL");
    EXPECT_EQ (overlay.getCancelButton().getId(), ProgBar::kCancelId);
    EXPECT_EQ (overlay.getLabel().getText(), "-");
}

TEST (TransferOverlay, TheFillFollowsTheProgressWithinTheTrack)
{
    const std::pair<int, int> cases[] = { { 0, 0 }, { 1, 3 }, { 64, 192 }, { 127, 381 }, { 200, 381 }, { -5, 0 } };

    for (auto [value, width] : cases)
    {
        ProgBar overlay (1148, 1148, 700);
        overlay.setProgress (value, "A:1");
        EXPECT_EQ (overlay.getFill().getBounds(), juce::Rectangle<int> (374, 330, width, 24)) << value;
    }
}

namespace
{
struct Display : testing::Test, EditorRig
{
    void SetUp() override { ASSERT_NE (main, nullptr); }
};
} // namespace

TEST_F (Display, SitsWhereTheProgramPageCarriesItAndShowsTheEditBuffer)
{
    const std::pair<int, juce::Rectangle<int>> cases[] = { { 1148, { 674, 113, 180, 43 } }, { 574, { 337, 68, 90, 21 } } };

    for (auto [width, bounds] : cases)
    {
        editor->setSize (width, 700);
        auto& display = main->getProgramDisplay();
        EXPECT_EQ (main->getLocalArea (display.getParentComponent(), display.getBounds()), bounds) << width;
    }

    hub().selectProgram (2, 6, false, false);
    main->handleAsyncUpdate();

    EXPECT_EQ (main->getProgramDisplay().getNumberText(), "C:007");
    EXPECT_EQ (main->getProgramDisplay().getNameText(), hub().getBank (2)->getProgramName (6));
}

TEST_F (Display, ProgressEventsMoveTheOverlayAndTheEndClosesIt)
{
    main->startTransfer (MidiCntrState::kReceiveOneBank, 0);
    hub().takeEvents();
    ASSERT_NE (main->getTransferOverlay(), nullptr);
    EXPECT_TRUE (main->getTransferOverlay()->isCurrentlyModal (false));

    main->handleUiEvent (UiEventCode::make (kUiTransferProgress, 0, 2, 127));
    EXPECT_EQ (main->getTransferOverlay()->getLabel().getText(), "C:128");
    EXPECT_EQ (main->getTransferOverlay()->getFill().getWidth(), 381);

    main->handleUiEvent (UiEventCode::make (kUiBankTransferFinished, 0, 0, 0));
    EXPECT_EQ (main->getTransferOverlay(), nullptr);
    EXPECT_FALSE (hub().isTransferBusy());

    main->handleUiEvent (UiEventCode::make (kUiTransferProgress, 0, 0, 5)); // after the end: ignored
    EXPECT_EQ (main->getTransferOverlay(), nullptr);
}
