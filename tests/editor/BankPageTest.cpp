#include "EditorRig.h"
#include "editor/ProgramCategoryNames.h"
#include "editor/widgets/WidgetHarness.h"

#include <gtest/gtest.h>

using namespace ProgramImage;

namespace
{
struct BankPage : testing::Test, EditorRig
{
    void SetUp() override
    {
        ASSERT_NE (main, nullptr);
        ASSERT_TRUE (waitUntil ([&] { return synth->getRequestCount (SimulatedMopho::Request::globalParameters) > 0; }));
        main->handleAsyncUpdate();
        main->switchPage (MainComp::kBankPageSwitch, true);
        toSynth.clearReceived();
    }

    BankComp& page() { return main->getBankPage(); }
    KwsGrid& grid() { return page().getGrid(); }
    Block slot (int bank, int program) { return *hub().getProgramImage (bank, program); }

    void pressButton (KwsBut& button)
    {
        button.notifyListeners();
        grid().dispatchPendingMessages();
        page().dispatchPendingMessages();
    }

    // A left press on a row, as the player makes it, with the messages it sends.
    void clickRow (int row)
    {
        grid().scrollToRow (row);
        grid().mouseDown (widgetharness::mouseAt (grid(), 100, (row - grid().getFirstVisibleRow()) * 26 + 5));
        grid().dispatchPendingMessages();
        page().dispatchPendingMessages();
    }

    // Nothing reached the synthesizer in a while.
    bool nothingSent()
    {
        juce::Thread::sleep (150);
        return bytesSentToSynth().empty();
    }
};
} // namespace

TEST_F (BankPage, LaysOutSixteenRowsAt1148Wide)
{
    ASSERT_EQ (main->getWidth(), 1148);
    EXPECT_TRUE (page().isVisible());
    EXPECT_EQ (page().getBounds(), juce::Rectangle<int> (0, 23, 1148, 656));
    EXPECT_EQ (grid().getBounds(), juce::Rectangle<int> (299, 205, 350, 416));
    EXPECT_EQ (grid().getVisibleRows(), 16);
    EXPECT_EQ (page().getOkButton().getY(), 603);
    EXPECT_EQ (page().getOkButton().getX(), page().getCategoryButton (3).getX());
    EXPECT_EQ (page().getPanel(), juce::Rectangle<int> (13, 165, 1122, 485));
    EXPECT_EQ (page().getCategoryButton (0).getCaption(), "-----");
    EXPECT_EQ (page().getCategoryButton (11).getCaption(), "Sub Bass");
    EXPECT_FALSE (page().getCategoryButton (26).isVisible());
    EXPECT_EQ (main->getEditorPanel().getHeight(), 164) << "the program editor shows above the page";

    main->kwsButtonClicked (AppBar::kBank);
    EXPECT_FALSE (main->isBankPageShown());
    EXPECT_FALSE (page().isVisible());
}

TEST_F (BankPage, BrowsesEachBankAndACategoryAcrossThem)
{
    hub().selectProgram (0, 0, false, false);
    for (int b = 0; b < 3; ++b)
    {
        pressButton (page().getBankButton (b));
        ASSERT_EQ (grid().getRowCount(), 128);
        EXPECT_EQ (grid().entryAt (0), std::make_pair (b, 0));
        EXPECT_EQ (grid().entryAt (127), std::make_pair (b, 127));
    }

    hub().setSlotByte (2, 50, kCategoryOffset, 11);
    hub().setSlotByte (0, 7, kCategoryOffset, 11);
    int expected = 0;
    for (int b = 0; b < 3; ++b)
        for (int p = 0; p < 128; ++p)
            expected += slot (b, p)[(size_t) kCategoryOffset] == 11 ? 1 : 0;

    pressButton (page().getCategoryButton (11));
    ASSERT_EQ (grid().getRowCount(), expected);
    int lastKey = -1;
    for (int r = 0; r < grid().getRowCount(); ++r)
    {
        const auto [b, p] = grid().entryAt (r);
        EXPECT_EQ (slot (b, p)[(size_t) kCategoryOffset], 11);
        EXPECT_GT (b * 128 + p, lastKey) << "bank A first, each bank in program order";
        lastKey = b * 128 + p;
    }
}

TEST_F (BankPage, AClickLoadsTheSlotWithOrWithoutMidiByTheSwitch)
{
    ASSERT_FALSE (hub().isUseLoadedData());
    widgetharness::press (page().getUseLoadedDataSwitch(), 3, 3);
    page().getUseLoadedDataSwitch().dispatchPendingMessages();
    page().dispatchPendingMessages();
    ASSERT_TRUE (hub().isUseLoadedData());

    pressButton (page().getBankButton (2));
    ASSERT_TRUE (waitUntil ([&] { return bytesSentToSynth().size() >= 2; }));
    toSynth.clearReceived();

    clickRow (40);
    EXPECT_EQ (hub().getEditBufferImage(), slot (2, 40));
    EXPECT_TRUE (nothingSent());

    widgetharness::press (page().getUseLoadedDataSwitch(), 3, 3);
    page().getUseLoadedDataSwitch().dispatchPendingMessages();
    page().dispatchPendingMessages();
    ASSERT_FALSE (hub().isUseLoadedData());

    clickRow (3);
    EXPECT_EQ (hub().getEditBufferImage(), slot (2, 3));
    ASSERT_TRUE (waitUntil ([&] { return bytesSentToSynth().size() >= 2; }));
    EXPECT_EQ (bytesSentToSynth(), (std::vector<std::vector<int>> { { 0xB0, 32, 2 }, { 0xC0, 3 } }));
}

TEST_F (BankPage, BankBAtProgram17LoadsAndSelectsB17)
{
    hub().selectProgram (0, 17, false, false);
    pressButton (page().getBankButton (1));

    ASSERT_TRUE (waitUntil ([&] { return bytesSentToSynth().size() >= 2; }));
    EXPECT_EQ (bytesSentToSynth(), (std::vector<std::vector<int>> { { 0xB0, 32, 1 }, { 0xC0, 17 } }));
    EXPECT_EQ (hub().getEditBufferImage(), slot (1, 17));
    EXPECT_TRUE (drainUntil ([&] { return main->getProgramDisplay().getNumberText() == "B:018"; }));
}

TEST_F (BankPage, TheCategoryChooserChangesTheBankCopyOnly)
{
    const auto edit = hub().getEditBufferImage();
    auto expected = slot (1, 9);
    expected[(size_t) kCategoryOffset] = 11;

    page().handleCategoryChoice (1, 9, 11);
    page().handleCategoryChoice (1, 9, 26);
    page().handleCategoryChoice (1, -1, 3);

    EXPECT_EQ (slot (1, 9), expected);
    EXPECT_EQ (hub().getEditBufferImage(), edit);
    EXPECT_TRUE (nothingSent());
}

TEST_F (BankPage, ARightClickOffEveryRowOpensNoMenuForAnEarlierSlot)
{
    clickRow (4);
    for (int b = 0; b < 3; ++b)
        for (int p = 0; p < 128; ++p)
            hub().setSlotByte (b, p, kCategoryOffset, 0);
    pressButton (page().getCategoryButton (9));
    ASSERT_EQ (grid().getRowCount(), 0);

    grid().mouseDown (widgetharness::mouseAt (grid(), 100, 10, juce::ModifierKeys::rightButtonModifier));
    grid().dispatchPendingMessages();
    EXPECT_NE (page().getCode(), kBankPageProgramMenu);
    EXPECT_EQ (grid().getSelectedProgram(), -1);
}

TEST_F (BankPage, TheWritePageBlocksTheBankSwitchUntilItCloses)
{
    main->kwsButtonClicked (AppBar::kWrite);
    ASSERT_NE (main->getWritePage(), nullptr);
    main->kwsButtonClicked (AppBar::kBank);
    EXPECT_TRUE (main->isBankPageShown());

    main->kwsButtonClicked (AppBar::kWrite);
    EXPECT_EQ (main->getWritePage(), nullptr);
    EXPECT_FALSE (main->isWritePageShown());
    main->kwsButtonClicked (AppBar::kBank);
    EXPECT_FALSE (main->isBankPageShown());
}
