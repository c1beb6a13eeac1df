#include "editor/widgets/WidgetHarness.h"
#include "support/LibraryPrograms.h"
#include "windows/library/KwsFile.h"

#include <gtest/gtest.h>

using namespace widgetharness;

namespace
{
struct Recorder : KwsFileListener
{
    void fileListChanged (int code, int value) override { events.push_back ({ code, value }); }
    void fileListDoubleClicked (int, int) override { ++doubleClicks; }

    std::vector<std::pair<int, int>> events;
    int doubleClicks = 0;
};

// The list as the library page places it: 15 rows of 34 pixels, rows 302 wide.
struct PlacedList
{
    explicit PlacedList (int programs, int height = 510)
    {
        list.setBounds (0, 0, 334, height);
        list.setRowAreaWidth (302);
        list.addListener (&recorder);
        list.getModel().getLibrary() = numberedLibrary (programs);
        list.rebuildList (KwsFile::kAllCategories);
        recorder.events.clear();
    }

    void wheel (float deltaY)
    {
        juce::MouseWheelDetails details {};
        details.deltaY = deltaY;
        list.mouseWheelMove (mouseAt (list, 100, 100), details);
    }

    void drag (int x, int y) { list.mouseDrag (mouseAt (list, x, y)); }

    KwsFile list;
    Recorder recorder;
};

constexpr int kStripX = 310;
} // namespace

TEST (KwsFile, ScrollPositionStaysWithinTheLastPageWhateverMovesIt)
{
    struct Case
    {
        const char* source;
        std::function<void (PlacedList&)> act;
    };
    const Case cases[] = {
        { "wheel down", [] (PlacedList& p) { for (int i = 0; i < 60; ++i) p.wheel (-1.0f); } },
        { "wheel up", [] (PlacedList& p) { for (int i = 0; i < 60; ++i) p.wheel (1.0f); } },
        { "track held below", [] (PlacedList& p) { press (p.list, kStripX, 505); for (int i = 0; i < 60; ++i) p.list.timerCallback(); } },
        { "track held above", [] (PlacedList& p) { p.list.scrollTo (3); press (p.list, kStripX, 1); for (int i = 0; i < 60; ++i) p.list.timerCallback(); } },
        { "thumb dragged far down", [] (PlacedList& p) { press (p.list, kStripX, 20); p.drag (kStripX, 5000); } },
        { "thumb dragged far up", [] (PlacedList& p) { p.list.scrollTo (10); press (p.list, kStripX, p.list.getThumbY() + 20); p.drag (kStripX, -5000); } },
        { "rows dragged below", [] (PlacedList& p) { press (p.list, 50, 500); for (int i = 0; i < 60; ++i) p.drag (50, 600); } },
        { "rows dragged above", [] (PlacedList& p) { p.list.scrollTo (4); press (p.list, 50, 5); for (int i = 0; i < 60; ++i) p.drag (50, -5); } },
        { "requests out of range", [] (PlacedList& p) { p.list.scrollTo (1000); p.list.scrollTo (-3); p.list.scrollTo (26); } },
    };

    for (const auto& c : cases)
    {
        PlacedList placed (40);
        c.act (placed);
        const int position = placed.list.getScrollPosition();
        EXPECT_TRUE (position >= 0 && position <= 25) << c.source << ": " << position;
        EXPECT_EQ (placed.list.getFirstVisibleRow(), position) << c.source << ": the thumb shows the rows";
        EXPECT_TRUE (position == 0 || position == 25) << c.source << " should reach an end, got " << position;
        release (placed.list, 0, 0);
    }
}

TEST (KwsFile, TrackPressStepsOnceAndThenEveryTimerTick)
{
    PlacedList placed (40);
    press (placed.list, kStripX, 505);
    EXPECT_EQ (placed.list.getScrollPosition(), 1);
    EXPECT_TRUE (placed.list.isTimerRunning());
    placed.list.timerCallback();
    EXPECT_EQ (placed.list.getScrollPosition(), 2);

    release (placed.list, kStripX, 505);
    EXPECT_FALSE (placed.list.isTimerRunning());
}

TEST (KwsFile, PressesSelectRowsLeftOfTheScrollStrip)
{
    struct Case
    {
        int programs, x, y, selectedRow; // -1: nothing selected
    };
    const Case cases[] = {
        { 40, 50, 3 * 34 + 10, 3 },
        { 40, 271, 10, 0 },
        { 40, 272, 10, -1 }, // the right 30 pixels of the rows are the scroll strip's
        { 40, 0, 10, -1 },
        { 5, 50, 400, 4 },   // below the last row of a short list
        { 5, 290, 100, -1 }, // no scroll bar: the strip does nothing
        { 0, 50, 10, -1 },
    };

    for (const auto& c : cases)
    {
        PlacedList placed (c.programs);
        press (placed.list, c.x, c.y);

        EXPECT_EQ (placed.list.getSelectedRow(), c.selectedRow) << c.x << "," << c.y;
        EXPECT_EQ (placed.list.getScrollPosition(), 0);
        const std::vector<std::pair<int, int>> expected = c.selectedRow >= 0 ? std::vector<std::pair<int, int>> { { 201, c.selectedRow } }
                                                                             : std::vector<std::pair<int, int>> {};
        EXPECT_EQ (placed.recorder.events, expected);
    }
}

TEST (KwsFile, FilteredRowsMapToTheirLibraryIndexAndNumberFromOne)
{
    PlacedList placed (60); // categories cycle: programs 3, 29 and 55 are in category 3
    placed.list.setFilterCategory (3);
    placed.list.rebuildList (KwsFile::kOneCategory);

    ASSERT_EQ (placed.list.getRowCount(), 3);
    press (placed.list, 50, 34 + 5);
    EXPECT_EQ (placed.recorder.events.back(), std::make_pair (201, 29));
    EXPECT_EQ (placed.list.getSelectedLibraryIndex(), 29);

    // Row 0 of the filter looks exactly like row 0 of a library of that one program.
    PlacedList single (0);
    single.list.getModel().getLibrary() = libraryOf ({ libraryProgram (3, 3) });
    single.list.rebuildList (KwsFile::kAllCategories);
    const auto filtered = placed.list.renderRow (0), alone = single.list.renderRow (0);
    EXPECT_TRUE (sameArea (filtered, 0, 0, alone));
    EXPECT_FALSE (sameArea (placed.list.renderRow (1), 0, 0, alone)) << "the comparison sees the number";
}

TEST (KwsFile, RebuildClearsTheSelectionAndReportsTheCounts)
{
    PlacedList placed (30);
    placed.list.scrollTo (9);
    press (placed.list, 50, 10);
    placed.recorder.events.clear();

    placed.list.rebuildList (KwsFile::kAllCategories);

    EXPECT_EQ (placed.list.getSelectedRow(), -1);
    EXPECT_EQ (placed.list.getSelectedLibraryIndex(), -1);
    EXPECT_EQ (placed.list.getScrollPosition(), 0);
    EXPECT_EQ (placed.recorder.events, (std::vector<std::pair<int, int>> { { 202, 100 } }));
    EXPECT_EQ (placed.list.getModel().getCategoryCount (0), 2);
}

TEST (KwsFile, AddingSelectsTheLastRowWithoutScrolling)
{
    PlacedList placed (40);
    placed.list.addProgram ("New", libraryProgram (500, 7));
    EXPECT_EQ (placed.list.getSelectedRow(), 40);
    EXPECT_EQ (placed.list.getScrollPosition(), 0);
    EXPECT_EQ (placed.recorder.events.back(), std::make_pair (201, 40));

    placed.list.addProgram ("New", libraryProgram (500, 7));
    EXPECT_EQ (placed.list.getRowCount(), 41) << "already there: nothing added, still selected";
    EXPECT_EQ (placed.list.getSelectedRow(), 40);

    placed.list.setFilterCategory (2);
    placed.list.rebuildList (KwsFile::kOneCategory);
    placed.recorder.events.clear();
    placed.list.addProgram ("Other", libraryProgram (501, 7));
    EXPECT_EQ (placed.list.getSelectedRow(), -1) << "not listed under the filter";
    EXPECT_EQ (placed.recorder.events, (std::vector<std::pair<int, int>> { { 202, 100 } }));
}

TEST (KwsFile, DeleteAndClearChangeTheLibrary)
{
    PlacedList placed (10);
    placed.list.deleteSelected();
    EXPECT_EQ (placed.list.getRowCount(), 10) << "nothing selected";

    placed.list.selectRow (4);
    placed.list.deleteSelected();
    EXPECT_EQ (placed.list.getRowCount(), 9);
    EXPECT_EQ (placed.list.getModel().getLibrary().copyProgram (4), libraryProgram (5, 5));
    EXPECT_EQ (placed.list.getSelectedRow(), -1);

    placed.list.clearLibrary();
    EXPECT_EQ (placed.list.getRowCount(), 0);
    EXPECT_EQ (placed.list.getModel().getCategoryCount (0), 0);
}

TEST (KwsFile, RowDragPastTheBottomMovesRowsAndThumbTogether)
{
    PlacedList placed (40);
    press (placed.list, 50, 500);
    placed.drag (50, 520);
    placed.drag (50, 520);

    EXPECT_EQ (placed.list.getFirstVisibleRow(), 2);
    EXPECT_EQ (placed.list.getScrollPosition(), 2);
    EXPECT_GT (placed.list.getThumbY(), 0);

    placed.drag (50, -1);
    EXPECT_EQ (placed.list.getScrollPosition(), 1);
}

TEST (KwsFile, ShortHeightsBeforeTheFirstLayoutAreHarmless)
{
    for (int height : { 0, 20, 43, 44 })
    {
        PlacedList placed (40, height);
        EXPECT_TRUE (placed.list.isScrollBarShown());
        EXPECT_EQ (placed.list.getThumbY(), 0) << height;

        press (placed.list, kStripX, 0);
        placed.drag (kStripX, 400);
        placed.list.scrollTo (3);
        placed.wheel (-1.0f);
        const auto image = render (placed.list);
        EXPECT_GE (placed.list.getScrollPosition(), 0);
        release (placed.list, 0, 0);
    }
}

TEST (KwsFile, DoubleClickTellsEveryListenerLastAddedFirst)
{
    PlacedList placed (3);
    Recorder second;
    placed.list.addListener (&second);
    placed.list.addListener (&second);

    placed.list.mouseDoubleClick (mouseAt (placed.list, 50, 10));
    EXPECT_EQ (placed.recorder.doubleClicks, 1);
    EXPECT_EQ (second.doubleClicks, 1);
}

TEST (KwsFile, DefaultLibrarySurvivesClearAllAndComesBack)
{
    {
        PlacedList placed (12);
        EXPECT_EQ (placed.list.saveDefaultLibrary(), LibraryFile::WriteResult::written);
        placed.list.clearLibrary();
        EXPECT_EQ (placed.list.saveDefaultLibrary(), LibraryFile::WriteResult::nothingToWrite);
    }

    PlacedList reopened (0);
    reopened.list.loadDefaultLibrary();
    EXPECT_EQ (reopened.list.getRowCount(), 12);
    EXPECT_EQ (reopened.list.getModel().getLibrary().getData(), numberedLibrary (12).getData());
}

TEST (KwsFile, ImportMergesIntoTheListShowingAllCategories)
{
    PlacedList placed (4);
    placed.list.setFilterCategory (1);
    placed.list.rebuildList (KwsFile::kOneCategory);
    placed.list.getModel().parseLibraryData (libraryOf ({ libraryProgram (1, 1), libraryProgram (90, 1) }).getData(), 0);

    placed.list.applyImport (true);
    EXPECT_EQ (placed.list.getFilterMode(), KwsFile::kAllCategories);
    EXPECT_EQ (placed.list.getRowCount(), 6);

    placed.list.applyImport (false);
    EXPECT_EQ (placed.list.getRowCount(), 2);
}
