#include "EditorRig.h"
#include "core/midi/MophoSysEx.h"
#include "editor/ProgramCategoryNames.h"
#include "editor/widgets/WidgetHarness.h"

#include <gtest/gtest.h>

using namespace ProgramImage;

namespace
{
struct WritePage : testing::Test, EditorRig
{
    void SetUp() override
    {
        ASSERT_NE (main, nullptr);
        ASSERT_TRUE (waitUntil ([&] { return synth->getRequestCount (SimulatedMopho::Request::globalParameters) > 0; }));
        main->handleAsyncUpdate();
    }

    WriteSnd& open (int bank, int program)
    {
        hub().selectProgram (bank, program, false, false);
        main->handleAsyncUpdate();
        main->kwsButtonClicked (AppBar::kWrite);
        toSynth.clearReceived();
        return *main->getWritePage();
    }

    Block slot (int bank, int program) { return *hub().getProgramImage (bank, program); }
};
} // namespace

TEST_F (WritePage, PlacesWriteAndCancelBelowTheGridsEnd)
{
    auto& page = open (0, 0);
    ASSERT_EQ (main->getWidth(), 1148);
    EXPECT_EQ (page.getBounds(), juce::Rectangle<int> (0, 23, 1148, 657));
    // Whole rows in the panel: (649 + 2 - 103) / 26 = 21.
    EXPECT_EQ (page.getGrid().getBounds(), juce::Rectangle<int> (399, 87, 350, 546));
    EXPECT_EQ (page.getCancelButton().getBounds(), juce::Rectangle<int> (779, 579, 70, 18));
    EXPECT_EQ (page.getWriteButton().getBounds(), juce::Rectangle<int> (779, 615, 70, 18));
    EXPECT_EQ (page.getBankButton (2).getPosition(), juce::Point<int> (299, 165));
    EXPECT_EQ (page.getDisplay().getPosition(), juce::Point<int> (399, 12));
    EXPECT_EQ (page.getDisplay().getScale(), 1.0f);
}

TEST_F (WritePage, OpensOnTheCurrentSlotWithTheEditBuffersNameAndCategory)
{
    auto& page = open (2, 100);
    const auto edit = hub().getEditBufferImage();

    EXPECT_EQ (page.getGrid().getListParameter(), 2);
    EXPECT_EQ (page.getGrid().getSelectedRow(), 100);
    EXPECT_LE (page.getGrid().getFirstVisibleRow(), 100);
    EXPECT_GT (page.getGrid().getFirstVisibleRow() + page.getGrid().getVisibleRows(), 100);
    EXPECT_EQ (page.getDisplay().getNumberText(), "C:101");
    EXPECT_EQ (page.getDisplay().getNameText(), readName (toArray (edit), kNameOffset));
    EXPECT_EQ (page.getDisplay().getCategoryText(), getCategoryName (edit[(size_t) kCategoryOffset]));
}

TEST_F (WritePage, RenameAndCategoryStayOnThePage)
{
    auto& page = open (0, 0);
    const auto edit = hub().getEditBufferImage();

    const struct { const char* text; const char* name; } renames[] = {
        { "Twenty Characters!!!", "Twenty Character" },
        { "Pad", "Pad             " },
    };
    for (const auto& r : renames)
    {
        page.openRenameBox();
        ASSERT_NE (page.getRenameBox(), nullptr);
        page.getRenameBox()->getTextEditor().setText (r.text);
        page.applyName (r.text);
        EXPECT_EQ (page.getName(), r.name);
        EXPECT_EQ (page.getDisplay().getNameText(), r.text);
        page.getRenameBox()->getOkButton().notifyListeners();
        EXPECT_EQ (page.getRenameBox(), nullptr) << "OK closes the box";
    }

    page.chooseCategory (11);
    page.chooseCategory (40);
    EXPECT_EQ (page.getCategory(), 11);
    EXPECT_EQ (page.getDisplay().getCategoryText(), "Sub Bass");

    page.getBankButton (1).notifyListeners();
    EXPECT_EQ (page.getGrid().getListParameter(), 1);

    juce::Thread::sleep (150);
    EXPECT_TRUE (bytesSentToSynth().empty());
    EXPECT_EQ (hub().getEditBufferImage(), edit);

    page.getCancelButton().notifyListeners();
    EXPECT_EQ (main->getWritePage(), nullptr);
    EXPECT_EQ (hub().getEditBufferImage(), edit);
}

TEST_F (WritePage, WriteStoresTheEditBufferInTheChosenSlotOnBothSides)
{
    auto& page = open (0, 3);
    auto expected = hub().getEditBufferImage();
    const auto name = encodeName ("Glass Choir");
    std::copy (name.begin(), name.end(), expected.begin() + kNameOffset);
    expected[(size_t) kCategoryOffset] = 24;
    ASSERT_NE (expected, synth->getProgram (1, 9));

    page.getBankButton (1).notifyListeners();
    page.getGrid().mouseDown (widgetharness::mouseAt (page.getGrid(), 100, 9 * 26 + 5));
    page.getGrid().dispatchPendingMessages();
    ASSERT_EQ (page.getDisplay().getNumberText(), "B:010");
    page.openRenameBox();
    page.applyName ("Glass Choir");
    page.chooseCategory (24);

    page.getWriteButton().notifyListeners();

    EXPECT_EQ (slot (1, 9), expected);
    ASSERT_TRUE (waitUntil ([&] { return synth->getProgram (1, 9) == expected; }));

    // Forget our copy, then ask the synthesizer for the slot.
    hub().setSlotByte (1, 9, kNameOffset, 'X');
    hub().sendDumpRequest (MophoSysEx::kRequestProgram, 1, 9);
    ASSERT_TRUE (waitUntil ([&] { return slot (1, 9) == expected; }));
    EXPECT_EQ (hub().getBank (1)->getProgramName (9).trimEnd(), "Glass Choir");
    EXPECT_EQ (hub().getBank (1)->getCategory (9), 24);
    EXPECT_TRUE (drainUntil ([&] { return main->getProgramDisplay().getNumberText() == "B:010"; }))
        << "the slot written is the program in hand";
}

// With the output closed the write once looked the same as one that reached
// the synthesizer: stored here, and nothing said that the dump never left.
TEST_F (WritePage, WriteWithTheOutputClosedKeepsTheProgramAndSaysItWasNotSent)
{
    struct Case { const char* what; bool outputOpen; int program; };
    const Case cases[] = { { "open", true, 4 }, { "closed", false, 5 }, { "open again", true, 6 } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        hub().selectOutputDevice (c.outputOpen ? 1 : 0);
        ASSERT_EQ (hub().getPorts().outputOpen.load(), c.outputOpen);
        auto& page = main->getWritePage() != nullptr ? *main->getWritePage() : open (0, 0);
        toSynth.clearReceived();

        page.getGrid().mouseDown (widgetharness::mouseAt (page.getGrid(), 100, c.program * 26 + 5));
        page.getGrid().dispatchPendingMessages();
        page.applyName (c.what);
        auto expected = hub().getEditBufferImage();
        const auto name = encodeName (c.what);
        std::copy (name.begin(), name.end(), expected.begin() + kNameOffset);
        expected[(size_t) kCategoryOffset] = (juce::uint8) page.getCategory();

        page.getWriteButton().notifyListeners();

        EXPECT_EQ (slot (0, c.program), expected) << "stored in the plug-in's bank either way";
        if (c.outputOpen)
        {
            EXPECT_EQ (page.getNotice(), "");
            EXPECT_TRUE (waitUntil ([&] { return synth->getProgram (0, c.program) == expected; }));
        }
        else
        {
            EXPECT_TRUE (page.getNotice().contains ("Not sent to the synthesizer"));
            EXPECT_TRUE (page.getNotice().contains ("A:006"));
            for (const auto& m : toSynth.getReceived())
                EXPECT_FALSE (m.isSysEx());
        }
    }
}
