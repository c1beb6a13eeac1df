#include "core/VellixAudioProcessor.h"
#include "support/LibraryPrograms.h"
#include "support/SynthRig.h"
#include "windows/library/LibClass.h"

#include <gtest/gtest.h>

namespace
{
struct Recorder : CatListener
{
    void categorySelected (int index) override { chosen.add (index); }
    juce::Array<int> chosen;
};

struct Cell
{
    int index, x, y;
    const char* caption;
};

constexpr Cell grid[] = {
    { 0, 0, 0, "-----" },
    { 1, 110, 0, "KEYS" },
    { 3, 330, 0, nullptr },
    { 4, 0, 46, nullptr },
    { 24, 0, 276, nullptr },
    { 25, 110, 276, nullptr },
    { CatContainer::kListAllIndex, 330, 276, "LIST ALL" },
};
} // namespace

TEST (CatContainer, ButtonsAndLabelsSitOnTheGridWithTheirCaptions)
{
    CatContainer filter;
    filter.createCategoryButtons();

    for (const auto& cell : grid)
    {
        SCOPED_TRACE (cell.index);
        EXPECT_EQ (filter.getButton (cell.index).getBounds(), juce::Rectangle<int> (cell.x, cell.y, 100, 18));
        EXPECT_EQ (filter.getCountLabel (cell.index).getBounds(), juce::Rectangle<int> (cell.x, cell.y + 18, 100, 18));
        if (cell.caption != nullptr)
            EXPECT_EQ (filter.getButton (cell.index).getCaption(), juce::String (cell.caption));
    }

    // Nothing sits in the third column of the last row, and nothing leaves the container's 440 x 380.
    for (int i = 0; i < CatContainer::kNumButtons; ++i)
    {
        EXPECT_FALSE (filter.getButton (i).getBounds().contains (220, 276));
        EXPECT_TRUE (juce::Rectangle<int> (440, 380).contains (filter.getCountLabel (i).getBounds()));
    }
}

TEST (CatContainer, AButtonsChangeReachesEveryListenerOnceAndForeignChangesNone)
{
    CatContainer filter;
    Recorder first, second;
    filter.addListener (&first);
    filter.addListener (&second);
    filter.addListener (&first);

    filter.getButton (7).sendSynchronousChangeMessage();
    filter.getButton (CatContainer::kListAllIndex).sendSynchronousChangeMessage();
    juce::ChangeBroadcaster stranger;
    filter.changeListenerCallback (&stranger);

    EXPECT_EQ (first.chosen, juce::Array<int> ({ 7, 26 }));
    EXPECT_EQ (second.chosen, juce::Array<int> ({ 7, 26 }));
}

struct CategoryFilterOnPage : testing::Test, SynthRig
{
    CategoryFilterOnPage()
    {
        page = std::make_unique<LibClass> (*processor);
        page->setBounds (0, 50, 1000, 528);
    }

    juce::String label (int index) { return page->getCategoryFilter().getCountLabel (index).getText(); }

    std::unique_ptr<LibClass> page;
};

TEST_F (CategoryFilterOnPage, SitsAtItsPlaceAndCountsTheLibraryAfterALoad)
{
    EXPECT_EQ (page->getCategoryFilter().getBounds(), juce::Rectangle<int> (400, 140, 440, 380));

    // 30 programs: categories 0-3 twice, the others once.
    page->getList().getModel().getLibrary() = numberedLibrary (30);
    page->getList().rebuildList (KwsFile::kAllCategories);

    EXPECT_EQ (label (0), "2");
    EXPECT_EQ (label (3), "2");
    EXPECT_EQ (label (4), "1");
    EXPECT_EQ (label (25), "1");
    EXPECT_EQ (label (CatContainer::kSizeLabel), "Size: 30");

    page->getList().clearLibrary();
    EXPECT_EQ (label (0), "");
    EXPECT_EQ (label (CatContainer::kSizeLabel), "Size: 0");
}

TEST_F (CategoryFilterOnPage, ACategoryButtonFiltersAndListAllShowsEverything)
{
    page->getList().getModel().getLibrary() = numberedLibrary (30);
    page->getList().rebuildList (KwsFile::kAllCategories);

    page->getCategoryFilter().getButton (2).sendSynchronousChangeMessage();
    EXPECT_EQ (page->getList().getRowCount(), 2);
    EXPECT_EQ (page->getList().getFilterMode(), (int) KwsFile::kOneCategory);
    // Filtering keeps the counts of the whole library.
    EXPECT_EQ (label (CatContainer::kSizeLabel), "Size: 30");

    page->getCategoryFilter().getButton (CatContainer::kListAllIndex).sendSynchronousChangeMessage();
    EXPECT_EQ (page->getList().getRowCount(), 30);
    EXPECT_EQ (page->getTitleLabel().getText(), "");
}
