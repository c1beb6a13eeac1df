#include "WidgetHarness.h"
#include "core/VellixAudioProcessor.h"
#include "editor/LCD_Comp.h"
#include "editor/widgets/KwsGrid.h"
#include "editor/widgets/SwitchLED.h"

#include <gtest/gtest.h>

using namespace widgetharness;

namespace
{
// The grid as both pages set it up, 350 x 416 (16 rows), listing bank A.
struct ProgramGrid : testing::Test
{
    ProgramGrid()
    {
        grid.configureForPages();
        grid.setBounds (0, 0, kWidth, 416);
        grid.fillList (kGridOneBank, 0);
        grid.addChangeListener (&changes);
    }

    // Every program of every bank gets category 0, but for the slots given.
    void setCategories (std::initializer_list<std::tuple<int, int, int>> slots)
    {
        for (int b = 0; b < 3; ++b)
            hub().changeBank (b, [&] (Bank_Program& bank) {
                for (int p = 0; p < Bank_Program::kNumPrograms; ++p)
                    bank.setCategory (p, 0);
                for (const auto& [sb, sp, c] : slots)
                    if (sb == b)
                        bank.setCategory (sp, c);
            });
    }

    void wheel (int steps)
    {
        juce::MouseWheelDetails details {};
        details.deltaY = steps < 0 ? 0.1f : -0.1f;
        for (int i = 0; i < std::abs (steps); ++i)
            grid.mouseWheelMove (mouseAt (grid, 10, 10), details);
    }

    int messages()
    {
        grid.dispatchPendingMessages();
        const int n = changes.count;
        changes.count = 0;
        return n;
    }

    MidiCntrState& hub() { return processor.getHub(); }

    static constexpr int kWidth = 350;
    VellixAudioProcessor processor;
    KwsGrid grid { processor.getHub() };
    ChangeCounter changes;
};
} // namespace

TEST (ProgramGridLabels, RunFromA001ToC128)
{
    const struct { int bank, program; const char* text; } cases[] = {
        { 0, 0, "A:001" }, { 1, 9, "B:010" }, { 2, 99, "C:100" }, { 2, 127, "C:128" },
    };
    for (const auto& c : cases)
        EXPECT_EQ (LCD_Comp::numberText (c.bank, c.program), c.text);
}

TEST_F (ProgramGrid, PressesSelectByRowAndIgnoreTheEdges)
{
    struct Case
    {
        int x, y;
        bool rightButton;
        int selectedRow, code;
    };
    const Case cases[] = {
        { 100, 30, false, 1, kGridRowSelected },
        { 100, 415, false, 15, kGridRowSelected },
        { kWidth - 32, 30, false, -1, 0 },                // the scroll bar's edge
        { 0, 30, false, -1, 0 },
        { 100, 60, true, 2, kGridRightClick },
        { 200, 60, true, 2, kGridCategoryClick },
        { 190, 60, true, 2, kGridCategoryClick },         // exactly on the category column's edge
        { 20, 0, true, 0, kGridRightClick },
    };

    for (const auto& c : cases)
    {
        grid.fillList (kGridOneBank, 1);
        messages();
        grid.mouseDown (mouseAt (grid, c.x, c.y, c.rightButton ? juce::ModifierKeys::rightButtonModifier
                                                                : juce::ModifierKeys::leftButtonModifier));
        const int sent = messages();
        EXPECT_EQ (grid.getSelectedRow(), c.selectedRow) << c.x << "," << c.y;
        EXPECT_EQ (sent > 0 ? grid.getChangeCode() : 0, c.code) << c.x << "," << c.y;
        if (c.selectedRow >= 0)
        {
            EXPECT_EQ (grid.getSelectedBank(), 1);
            EXPECT_EQ (grid.getSelectedProgram(), c.selectedRow);
        }
    }
}

TEST_F (ProgramGrid, ARightClickOnAnEmptyListSelectsAndSendsNothing)
{
    grid.mouseDown (mouseAt (grid, 100, 30));
    ASSERT_EQ (messages(), 1);

    setCategories ({});
    grid.fillList (kGridCategory, 5);
    ASSERT_EQ (grid.getRowCount(), 0);

    for (const int x : { 100, 200 })
        grid.mouseDown (mouseAt (grid, x, 30, juce::ModifierKeys::rightButtonModifier));

    EXPECT_EQ (messages(), 0);
    EXPECT_EQ (grid.getSelectedRow(), -1);
    EXPECT_EQ (grid.getSelectedProgram(), -1) << "no slot of the last list stays chosen";
}

TEST_F (ProgramGrid, CategoryModeListsEveryBankInOrder)
{
    setCategories ({ { 2, 3, 7 }, { 0, 100, 7 }, { 1, 0, 7 }, { 0, 5, 7 }, { 1, 1, 8 } });
    grid.fillList (kGridCategory, 7);

    const std::vector<std::pair<int, int>> expected { { 0, 5 }, { 0, 100 }, { 1, 0 }, { 2, 3 } };
    std::vector<std::pair<int, int>> listed;
    for (int r = 0; r < grid.getRowCount(); ++r)
        listed.push_back (grid.entryAt (r));
    EXPECT_EQ (listed, expected);
    EXPECT_EQ (grid.entryAt (4), std::make_pair (-1, -1));
}

TEST_F (ProgramGrid, WheelStopsAtTheTopAndTheLastFullPage)
{
    const struct { int steps, first; } cases[] = {
        { -3, 0 }, { 5, 5 }, { 200, 112 }, { -1, 111 }, { -200, 0 },
    };
    for (const auto& c : cases)
    {
        wheel (c.steps);
        EXPECT_EQ (grid.getFirstVisibleRow(), c.first) << c.steps;
        EXPECT_GE (grid.getScrollPosition(), 0);
        EXPECT_LE (grid.getScrollPosition(), 112) << "the thumb stays in its track";
    }
}

TEST_F (ProgramGrid, AShortListNeverScrollsAndAPressBelowItTakesItsLastRow)
{
    setCategories ({ { 0, 1, 4 }, { 1, 2, 4 }, { 2, 3, 4 } });
    grid.fillList (kGridCategory, 4);

    grid.mouseDown (mouseAt (grid, 100, 300));
    EXPECT_EQ (grid.getSelectedRow(), 2);
    EXPECT_EQ (grid.getSelectedBank(), 2);
    EXPECT_EQ (grid.getSelectedProgram(), 3);

    wheel (5);
    grid.mouseDown (mouseAt (grid, 100, 10));
    grid.mouseDrag (mouseAt (grid, 100, 1000));
    grid.mouseDrag (mouseAt (grid, 100, 1000));
    EXPECT_EQ (grid.getFirstVisibleRow(), 0);
}

TEST_F (ProgramGrid, ThumbAndRowDragsScroll)
{
    grid.mouseDown (mouseAt (grid, kWidth - 10, 10));
    EXPECT_EQ (grid.getSelectedRow(), -1) << "a press in the scroll bar selects nothing";

    // Track 16 x 26 - 31 = 385 pixels for 112 rows.
    const struct { int y, first; } thumb[] = { { 0, 0 }, { 31 + 100, 29 }, { 5000, 112 }, { -50, 0 } };
    for (const auto& t : thumb)
    {
        grid.mouseDrag (mouseAt (grid, kWidth - 10, t.y));
        EXPECT_EQ (grid.getFirstVisibleRow(), t.first) << t.y;
    }

    grid.mouseDown (mouseAt (grid, 100, 10));
    for (int i = 1; i <= 3; ++i)
    {
        grid.mouseDrag (mouseAt (grid, 100, 500));
        EXPECT_EQ (grid.getFirstVisibleRow(), i);
    }
    grid.mouseDrag (mouseAt (grid, 100, -5));
    EXPECT_EQ (grid.getFirstVisibleRow(), 2);
}

TEST_F (ProgramGrid, SetSelectedRowRevealsItWithinTheLastPage)
{
    const struct { int row, first; } cases[] = { { 5, 5 }, { 100, 100 }, { 127, 112 }, { -1, 112 } };
    for (const auto& c : cases)
    {
        grid.setSelectedRow (c.row);
        EXPECT_EQ (grid.getFirstVisibleRow(), c.first) << c.row;
        EXPECT_EQ (grid.getSelectedRow(), c.row);
    }
    EXPECT_EQ (messages(), 0);
}

TEST_F (ProgramGrid, ArrowKeysMoveTheSelectionAndKeepItShown)
{
    grid.mouseDown (mouseAt (grid, 100, 15 * 26 + 5));
    messages();
    EXPECT_TRUE (grid.keyPressed (juce::KeyPress (juce::KeyPress::downKey)));
    EXPECT_EQ (grid.getSelectedRow(), 16);
    EXPECT_EQ (grid.getFirstVisibleRow(), 1);
    EXPECT_EQ (messages(), 1);
    EXPECT_EQ (grid.getChangeCode(), kGridRowSelected);
}

TEST_F (ProgramGrid, PaintsEveryRowSizeWithoutFault)
{
    for (const int h : { 0, 10, 416, 4000 })
    {
        grid.setSize (kWidth, h);
        grid.fillList (kGridOneBank, 2);
        render (grid);
    }
}

TEST (SwitchLEDTest, TwoPressesGiveOffAgainAndTwoMessages)
{
    SwitchLED led ("Use Loaded Data", 10.0f);
    ChangeCounter changes;
    led.addChangeListener (&changes);

    press (led, 3, 3);
    led.dispatchPendingMessages();
    EXPECT_TRUE (led.on);
    press (led, 50, 20);
    led.dispatchPendingMessages();
    EXPECT_FALSE (led.on);
    EXPECT_EQ (changes.count, 2);

    led.on = true;
    led.dispatchPendingMessages();
    EXPECT_EQ (changes.count, 2) << "the owner's setting sends nothing";
}

TEST (SwitchLEDTest, LitLampDiffersFromTheDarkOne)
{
    SwitchLED led ("Use Loaded Data", 10.0f);
    const auto off = render (led);
    led.on = true;
    const auto on = render (led);
    EXPECT_NE (off.getPixelAt (7, 9), on.getPixelAt (7, 9));
}
