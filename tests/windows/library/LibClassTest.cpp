#include "core/VellixAudioProcessor.h"
#include "support/LibraryPrograms.h"
#include "support/SynthRig.h"
#include "windows/library/LibClass.h"

#include <gtest/gtest.h>

#include <optional>

namespace
{
using Q = LibClass::Question;

enum class Answer
{
    accept,
    decline,
    cancel
};

// The page as the window places it, with nothing asked yet.
struct LibraryPage : testing::Test, SynthRig
{
    LibraryPage()
    {
        page = std::make_unique<LibClass> (*processor);
        page->setBounds (0, 50, 1000, 528);
    }

    ProgramBlock& library() { return page->getList().getModel().getLibrary(); }

    void fill (int programs)
    {
        library() = numberedLibrary (programs);
        page->getList().rebuildList (KwsFile::kAllCategories);
    }

    // Programs that no numbered library holds, in the import buffer.
    void importThree()
    {
        juce::MemoryBlock records;
        for (int seed = 1000; seed < 1003; ++seed)
            records.append (libraryProgram (seed).getData(), (size_t) ProgramImage::kSize);
        page->getList().getModel().parseLibraryData (records, 0);
    }

    void answer (Q q, Answer a)
    {
        const int id = LibClass::dialogIdOf (q), kind = LibClass::kindOf (q);
        if (a == Answer::accept)
            page->textMsgAccepted (id, kind);
        else if (a == Answer::decline)
            page->textMsgDeclined (id, kind);
        else
            page->textMsgCancelled (id, kind);
    }

    juce::String visibleCaption (int answerId) const
    {
        auto& button = page->getQuestion()->getButton (answerId);
        return button.isVisible() ? button.getCaption() : juce::String ("-");
    }

    std::unique_ptr<LibClass> page;
};

// Brings the page to the question; returns it.
using Arrange = std::function<Q (LibraryPage&)>;

Q askAppend (LibraryPage& p)
{
    p.fill (2);
    p.importThree();
    p.page->importReady();
    return Q::append;
}

Q askSaveThenReplace (LibraryPage& p)
{
    askAppend (p);
    p.answer (Q::append, Answer::decline);
    return Q::saveThenReplace;
}

Q askSaveThenClear (LibraryPage& p)
{
    p.fill (2);
    p.page->libButtonClicked (&p.page->getButton (LibClass::kClearButton), LibClass::kClearAllId);
    return Q::saveThenClear;
}

Q askRemove (LibraryPage& p)
{
    p.fill (3);
    p.page->getList().selectRow (1);
    p.page->deleteSelected();
    return Q::remove;
}

Q askRename (LibraryPage& p)
{
    p.fill (3);
    p.page->getList().selectRow (1);
    p.page->renameSelected();
    p.page->getQuestion()->getTextField().setText ("Renamed");
    return Q::rename;
}

Q askAdd (LibraryPage& p)
{
    p.page->addCurrentProgram();
    return Q::add;
}

Q askAlreadyThere (LibraryPage& p)
{
    askAdd (p);
    p.answer (Q::add, Answer::accept);
    p.page->addCurrentProgram();
    return Q::alreadyThere;
}
} // namespace

TEST_F (LibraryPage, EveryAnswerDoesWhatItsRowSays)
{
    struct Case
    {
        const char* name;
        Arrange arrange;
        Answer answer;
        int programsAfter;
        std::optional<Q> askedAfter;
    };
    // YES on a save question opens the save dialog; until it is confirmed
    // and written, the library stays as it is.
    const Case cases[] = {
        { "append YES appends", askAppend, Answer::accept, 5, {} },
        { "append NO asks to save", askAppend, Answer::decline, 2, Q::saveThenReplace },
        { "append CANCEL", askAppend, Answer::cancel, 2, {} },
        { "save-replace YES waits for the save", askSaveThenReplace, Answer::accept, 2, {} },
        { "save-replace NO replaces", askSaveThenReplace, Answer::decline, 3, {} },
        { "save-replace CANCEL", askSaveThenReplace, Answer::cancel, 2, {} },
        { "save-clear YES waits for the save", askSaveThenClear, Answer::accept, 2, {} },
        { "save-clear NO clears", askSaveThenClear, Answer::decline, 0, {} },
        { "save-clear CANCEL", askSaveThenClear, Answer::cancel, 2, {} },
        { "delete OK", askRemove, Answer::accept, 2, {} },
        { "delete NO", askRemove, Answer::decline, 3, {} },
        { "delete CANCEL", askRemove, Answer::cancel, 3, {} },
        { "rename OK", askRename, Answer::accept, 3, {} },
        { "rename CANCEL", askRename, Answer::cancel, 3, {} },
        { "add OK", askAdd, Answer::accept, 1, {} },
        { "add CANCEL", askAdd, Answer::cancel, 0, {} },
        { "notice OK", askAlreadyThere, Answer::decline, 1, {} },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        page = std::make_unique<LibClass> (*processor);
        page->setBounds (0, 50, 1000, 528);

        const auto q = c.arrange (*this);
        ASSERT_TRUE (page->getQuestion() != nullptr && page->getQuestion()->isVisible());
        answer (q, c.answer);

        EXPECT_EQ (library().getNumPrograms(), c.programsAfter);
        const bool showing = page->getQuestion()->isVisible();
        EXPECT_EQ (showing, c.askedAfter.has_value());
        if (! showing)
        {
            EXPECT_EQ (page->getQuestion()->getBounds(), juce::Rectangle<int> (-100, -100, 50, 50));
        }
        if (c.askedAfter)
        {
            EXPECT_EQ (page->getQuestion()->getMessage(), "Save the Current Library?");
        }
    }
}

TEST_F (LibraryPage, QuestionsShowTheirTextsAndButtons)
{
    struct Case
    {
        Arrange arrange;
        juce::String message, accept, decline, cancel;
        bool textField;
    };
    const auto padded = juce::String ("Program").paddedRight (' ', 16);
    const Case cases[] = {
        { askAppend, "Append Programs?", "YES", "NO", "CANCEL", false },
        { askSaveThenReplace, "Save the Current Library?", "YES", "NO", "CANCEL", false },
        { askSaveThenClear, "Save Current Library?", "YES", "NO", "CANCEL", false },
        { askRemove, "Delete " + padded + " ?", "OK", "-", "CANCEL", false },
        { askRename, ("Rename " + padded + ":"), "OK", "-", "CANCEL", true },
        { askAdd, "Program name:", "OK", "-", "CANCEL", true },
        { askAlreadyThere, {}, "-", "OK", "-", false }, // the message names the current program
    };

    for (const auto& c : cases)
    {
        page = std::make_unique<LibClass> (*processor);
        page->setBounds (0, 50, 1000, 528);
        c.arrange (*this);
        SCOPED_TRACE (c.message);

        // Adding applied the program, so the current one is the program just added.
        const auto message = c.message.isNotEmpty() ? c.message
                                                    : processor->getHostBank().getEditBufferName().trimEnd()
                                                          + " Program already exists in the library.";
        auto& q = *page->getQuestion();
        EXPECT_EQ (q.getMessage(), message);
        EXPECT_EQ (visibleCaption (TextInputCont::kAcceptId), c.accept);
        EXPECT_EQ (visibleCaption (TextInputCont::kDeclineId), c.decline);
        EXPECT_EQ (visibleCaption (TextInputCont::kCancelId), c.cancel);
        EXPECT_EQ (q.getTextField().isVisible(), c.textField);
        EXPECT_EQ (q.isCategoryBoxShown(), c.textField);
        EXPECT_EQ (q.getBounds(), page->getLocalBounds());
    }
}

TEST_F (LibraryPage, EveryLoadSourceFillsAnEmptyLibraryWithoutAQuestion)
{
    const std::pair<const char*, std::function<void (LibraryPage&)>> sources[] = {
        { "bank A", [] (LibraryPage& p) { p.page->handleLoadMenu (LibClass::kLoadBankA); } },
        { "bank B", [] (LibraryPage& p) { p.page->handleLoadMenu (LibClass::kLoadBankA + 1); } },
        { "bank C", [] (LibraryPage& p) { p.page->handleLoadMenu (LibClass::kLoadBankA + 2); } },
        { "preset bank", [] (LibraryPage& p) { p.page->handleLoadMenu (LibClass::kLoadPresetBank); } },
        { "library file", [] (LibraryPage& p) {
             const auto file = fileOfBytes (LibraryFile::buildImage (numberedLibrary (4)));
             p.page->getList().getModel().importLibraryFile (file);
             p.page->importReady();
         } },
    };

    for (const auto& [name, load] : sources)
    {
        SCOPED_TRACE (name);
        page = std::make_unique<LibClass> (*processor);
        load (*this);

        EXPECT_GT (library().getNumPrograms(), 0);
        EXPECT_TRUE (page->getQuestion() == nullptr);
        EXPECT_TRUE (page->getButton (LibClass::kSaveButton).isVisible());
    }
}

TEST_F (LibraryPage, AReplaceOrClearFollowsOnlyASaveThatWasWritten)
{
    struct Case
    {
        LibClass::AfterSave then;
        LibraryFile::WriteResult result;
        int programsAfter;
    };
    const Case cases[] = {
        { LibClass::AfterSave::replaceWithImport, LibraryFile::WriteResult::written, 3 },
        { LibClass::AfterSave::replaceWithImport, LibraryFile::WriteResult::failed, 2 },
        { LibClass::AfterSave::clearLibrary, LibraryFile::WriteResult::written, 0 },
        { LibClass::AfterSave::clearLibrary, LibraryFile::WriteResult::failed, 2 },
    };

    for (const auto& c : cases)
    {
        fill (2);
        importThree();
        page->saveLibraryFinished (c.then, c.result);
        EXPECT_EQ (library().getNumPrograms(), c.programsAfter);
    }
}

TEST_F (LibraryPage, AnEmptyNameAddsUntitledAndAByteAbove127KeepsItsCategory)
{
    hub().setEditBufferByte (ProgramImage::kCategoryOffset, 200);
    page->addCurrentProgram();

    auto& q = *page->getQuestion();
    EXPECT_TRUE (q.isCategoryBoxShown());
    EXPECT_EQ (q.getCategory(), 200);
    EXPECT_EQ (q.getCategoryText(), "");

    q.getTextField().setText ({});
    page->textMsgAccepted (LibClass::dialogIdOf (Q::add), LibClass::kindOf (Q::add));

    ASSERT_EQ (library().getNumPrograms(), 1);
    EXPECT_EQ (library().getProgramName (0), "Untitled        ");
    EXPECT_EQ (library().getCategory (0), 200);
}

TEST_F (LibraryPage, SelectingARowMakesItTheCurrentProgram)
{
    fill (4);
    page->getList().selectRow (2);

    const auto* selected = library().getProgramData (2);
    const auto current = hub().getEditBufferImage();
    EXPECT_TRUE (std::equal (current.begin(), current.end(), selected));
    EXPECT_TRUE (page->getButton (LibClass::kRenameButton).isVisible());
    EXPECT_TRUE (page->getButton (LibClass::kDeleteButton).isVisible());
}

TEST_F (LibraryPage, RenamingSwitchesTheListToTheLastChosenCategory)
{
    fill (30);
    page->categorySelected (3);
    page->categorySelected (LibClass::kCategoryCount);
    page->getList().selectRow (0);
    page->renameSelected();
    page->getQuestion()->getTextField().setText ("Moved");
    page->getQuestion()->handleCategoryMenu (3 + 1);
    page->textMsgAccepted (LibClass::dialogIdOf (Q::rename), LibClass::kindOf (Q::rename));

    EXPECT_EQ (library().getProgramName (0), "Moved           ");
    EXPECT_EQ (page->getList().getFilterMode(), KwsFile::kOneCategory);
    EXPECT_EQ (page->getTitleLabel().getText(), "Strings");
    EXPECT_EQ (page->getList().getRowCount(), 3); // programs 0, 3 and 29
}

TEST_F (LibraryPage, AFilterThatListsNothingHidesSaveAndClear)
{
    fill (2); // categories 0 and 1
    page->categorySelected (5);

    EXPECT_FALSE (page->getButton (LibClass::kSaveButton).isVisible());
    EXPECT_FALSE (page->getButton (LibClass::kClearButton).isVisible());
    EXPECT_TRUE (page->getButton (LibClass::kLoadButton).isVisible());
    EXPECT_TRUE (page->getButton (LibClass::kAddButton).isVisible());
    EXPECT_FALSE (page->getButton (LibClass::kApplyButton).isVisible());
}
