#include "core/VellixAudioProcessor.h"
#include "core/storage/SettingsFile.h"
#include "editor/widgets/WidgetHarness.h"
#include "support/FileLimit.h"
#include "support/ProgramDumps.h"
#include "support/SynthRig.h"
#include "windows/library/Plugin_Bank.h"

#include <gtest/gtest.h>

using namespace widgetharness;

namespace
{
struct Recorder : PlugFileListener
{
    void presetListChanged (int code, int) override { codes.add (code); }
    void presetListDoubleClicked (int, int) override {}
    juce::Array<int> codes;
};

// The page as the library window places it, every preset told apart.
struct PresetBankPage : testing::Test, SynthRig
{
    PresetBankPage()
    {
        for (int preset = 0; preset < 128; ++preset)
            bank().setProgramBlock (preset, imageFilledWith ((juce::uint8) (preset % 100 + 1)));
        processor->setCurrentProgram (7);
        page = std::make_unique<Plugin_Bank> (*processor);
        page->setBounds (0, 50, 1000, 528);
        folder.createDirectory();
    }

    ~PresetBankPage() override { folder.deleteRecursively(); }

    Bank_Program& bank() { return processor->getHostBank(); }
    juce::String path (const char* name) { return folder.getChildFile (name).getFullPathName(); }

    static juce::MemoryBlock bytesOf (const juce::String& path)
    {
        juce::MemoryBlock block;
        juce::File (path).loadFileAsData (block);
        return block;
    }

    juce::MemoryBlock bankChunk()
    {
        juce::MemoryBlock chunk;
        processor->getStateInformation (chunk);
        return chunk;
    }

    // Inside this test's own settings folder: the system's temporary folder is
    // shared with test processes running alongside, which may pick the same name.
    juce::File folder = getSettingsFolder().getChildFile ("presetbank");
    std::unique_ptr<Plugin_Bank> page;
};
} // namespace

TEST_F (PresetBankPage, FxFilesAreExactlyTheProcessorsChunksAndLoadBackByteIdentical)
{
    ASSERT_TRUE (page->saveFxPreset (path ("one.fxp")));
    juce::MemoryBlock presetChunk;
    processor->getCurrentProgramStateInformation (presetChunk);
    EXPECT_EQ (bytesOf (path ("one.fxp")).getSize(), 285u);
    EXPECT_EQ (bytesOf (path ("one.fxp")), presetChunk);

    ASSERT_TRUE (page->saveFxBank (path ("all.fxb")));
    const auto saved = bankChunk();
    EXPECT_EQ (bytesOf (path ("all.fxb")).getSize(), 33050u);
    EXPECT_EQ (bytesOf (path ("all.fxb")), saved);

    // Saving over a file replaces it whole.
    bank().setProgramBlock (0, imageFilledWith (99));
    ASSERT_TRUE (page->saveFxBank (path ("all.fxb")));
    EXPECT_EQ (bytesOf (path ("all.fxb")), bankChunk());

    page->loadFxBank (path ("all.fxb"));
    const auto reloaded = bytesOf (path ("all.fxb"));
    bank().setProgramBlock (0, imageFilledWith (3));
    page->loadFxBank (path ("all.fxb"));
    EXPECT_EQ (bankChunk(), reloaded);

    bank().setEditBufferBlock (imageFilledWith (55));
    page->loadFxPreset (path ("one.fxp"));
    juce::MemoryBlock again;
    processor->getCurrentProgramStateInformation (again);
    EXPECT_EQ (again, presetChunk);
    EXPECT_EQ (processor->getCurrentProgram(), 7);
}

TEST_F (PresetBankPage, AFailedSaveKeepsTheOldFileAndReportsIt)
{
    const juce::String old = "the previous bank";
    juce::File (path ("full.fxb")).replaceWithText (old);

    {
        ScopedFileSizeLimit disk (4096);
        EXPECT_FALSE (page->saveFxBank (path ("full.fxb")));
    }

    EXPECT_EQ (juce::File (path ("full.fxb")).loadFileAsString(), old);
    EXPECT_FALSE (page->saveFxPreset ({})) << "an empty path is no file";
}

TEST_F (PresetBankPage, ImportsFillPresetsFromTheStartAndLeaveTheCurrentPresetAlone)
{
    struct Case
    {
        const char* source;
        int dumps;  // 0: hardware bank B
        int filled;
    };
    constexpr Case cases[] = { { "hardware bank B", 0, 128 }, { "file of 1", 1, 1 }, { "file of 5", 5, 5 },
                               { "file of 128", 128, 128 }, { "file of 200", 200, 128 } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.source);
        for (int preset = 0; preset < 128; ++preset)
            bank().setProgramBlock (preset, imageFilledWith (1));
        const auto editBuffer = imageFilledWith (42);
        bank().setEditBufferBlock (editBuffer);

        if (c.dumps == 0)
        {
            for (int slot = 0; slot < 128; ++slot)
                hub().getBank (1)->setProgramBlock (slot, imageFilledWith (77));
            page->handleLoadMenu (Plugin_Bank::kLoadHardwareBankA + 1);
        }
        else
        {
            juce::MemoryOutputStream file;
            for (int i = 0; i < c.dumps; ++i)
            {
                const auto dump = buildProgramDump (0, i % 128, imageFilledWith (77));
                file.write (dump.data(), dump.size());
            }
            juce::File (path ("bank.syx")).replaceWithData (file.getData(), file.getDataSize());
            EXPECT_TRUE (page->getList().loadProgramBankFileAt (path ("bank.syx")));
        }

        EXPECT_EQ (bank().getProgramBlock (c.filled - 1), imageFilledWith (77));
        if (c.filled < 128)
            EXPECT_EQ (bank().getProgramBlock (c.filled), imageFilledWith (1));
        EXPECT_EQ (processor->getCurrentProgram(), 7);
        EXPECT_EQ (bank().getEditBufferBlock(), editBuffer);
    }

    juce::Array<int> ids;
    juce::StringArray texts;
    const auto menu = page->buildLoadMenu();
    for (juce::PopupMenu::MenuItemIterator items (menu); items.next();)
    {
        ids.add (items.getItem().isSeparator ? 0 : items.getItem().itemID);
        texts.add (items.getItem().text);
    }
    EXPECT_EQ (ids, juce::Array<int> ({ 11, 10, 0, 14, 0, 100, 101, 102 }));
    EXPECT_EQ (texts[6], "Load From Program Bank B");
    EXPECT_FALSE (page->getList().loadProgramBankFileAt (path ("missing.syx")));
}

TEST_F (PresetBankPage, SetCurrentStoresTheEditBufferUnderTheTypedNameAndSelectsIt)
{
    bank().setEditBufferBlock (imageFilledWith (66));
    page->getButton (Plugin_Bank::kSetCurrentButton).triggerClick();
    auto* dialog = page->getSetCurrentDialog();
    ASSERT_NE (dialog, nullptr);
    EXPECT_EQ (dialog->getTargetPreset(), 7);
    EXPECT_TRUE (dialog->getTargetText().startsWith ("8    "));

    dialog->handleTargetMenu (TextSetCurCont::kFirstTargetItem + 5);
    dialog->getNameField().setText ("Warm Pad");
    dialog->getButton (TextSetCurCont::kAcceptId).triggerClick();

    EXPECT_FALSE (dialog->isVisible());
    EXPECT_EQ (bank().getProgramName (5), "Warm Pad        ");
    EXPECT_EQ (bank().getProgramBlock (5)[0], 66);
    EXPECT_EQ (processor->getCurrentProgram(), 5);
    EXPECT_EQ (page->getList().getSelectedRow(), 5);
}

TEST_F (PresetBankPage, TheDialogNamesUnnamedProgramsAndOpensItsMenuOnlyInsideTheBox)
{
    struct Case
    {
        const char* editBufferName;
        const char* shown;
    };
    constexpr Case cases[] = { { "---Init", "Untitled" }, { "--", "--" }, { "Bright Lead", "Bright Lead" } };

    TextSetCurCont dialog (*processor);
    dialog.setBounds (0, 0, 1000, 528);
    for (const auto& c : cases)
    {
        auto buffer = bank().getEditBufferBlock();
        const auto codes = ProgramImage::encodeName (c.editBufferName);
        std::copy (codes.begin(), codes.end(), buffer.begin() + ProgramImage::kNameOffset);
        bank().setEditBufferBlock (buffer);
        dialog.setup();
        EXPECT_EQ (dialog.getNameField().getText(), juce::String (c.shown));
    }

    const auto box = dialog.getTargetBox();
    press (dialog, box.getCentreX(), 140);
    EXPECT_FALSE (juce::PopupMenu::dismissAllActiveMenus()) << "on the top edge";
    press (dialog, box.getCentreX(), 141);
    EXPECT_TRUE (juce::PopupMenu::dismissAllActiveMenus());

    dialog.handleTargetMenu (TextSetCurCont::kFirstTargetItem + 127);
    EXPECT_EQ (dialog.getTargetText(), "128    " + bank().getProgramName (127));
}

TEST_F (PresetBankPage, RenameTakesTheTextAndAnEmptyTextStillAppliesTheCategory)
{
    page->getList().selectRow (3);
    page->getButton (Plugin_Bank::kRenameButton).triggerClick();
    auto* question = page->getQuestion();
    ASSERT_NE (question, nullptr);

    question->getTextField().setText ("Sub Bass");
    question->handleCategoryMenu (1 + 4);
    page->textMsgAccepted (Plugin_Bank::kRenameDialogId, 3);
    EXPECT_EQ (bank().getProgramName (3), "Sub Bass        ");
    EXPECT_EQ (bank().getCategory (3), 4);

    page->renameSelected();
    question->getTextField().setText ({});
    question->handleCategoryMenu (1 + 9);
    page->textMsgAccepted (Plugin_Bank::kRenameDialogId, 3);
    EXPECT_EQ (bank().getProgramName (3), "Sub Bass        ");
    EXPECT_EQ (bank().getCategory (3), 9);
    EXPECT_FALSE (question->isVisible());
}

TEST_F (PresetBankPage, ListPressesSelectByRowAndRecallThePreset)
{
    auto& list = page->getList();
    Recorder recorder;
    list.addListener (&recorder);
    ASSERT_EQ (list.getVisibleRows(), 15);

    list.scrollTo (20);
    press (list, 50, 3 * 34 + 10);
    EXPECT_EQ (list.getSelectedPreset(), 23);
    EXPECT_EQ (processor->getCurrentProgram(), 23);
    EXPECT_EQ (recorder.codes, juce::Array<int> ({ 65 }));

    press (list, 272, 10);
    EXPECT_EQ (list.getSelectedPreset(), 23) << "the scroll strip's side selects nothing";

    rightPress (list, 100, 10);
    EXPECT_EQ (recorder.codes.size(), 3);
    EXPECT_EQ (recorder.codes[1], 65);
    EXPECT_TRUE (recorder.codes[2] == 88 || recorder.codes[2] == 90);

    list.selectRow (127);
    EXPECT_EQ (list.getFirstVisibleRow(), 113);
    list.selectRow (100);
    EXPECT_EQ (list.getFirstVisibleRow(), 100);
    EXPECT_EQ (recorder.codes.size(), 3) << "selectRow tells no one";
}

TEST_F (PresetBankPage, ButtonsFollowTheSelectionAndSaveNamesTheTrimmedPreset)
{
    EXPECT_TRUE (page->getButton (Plugin_Bank::kSaveButton).isVisible());
    EXPECT_FALSE (page->getButton (Plugin_Bank::kRenameButton).isVisible());
    EXPECT_FALSE (page->getButton (Plugin_Bank::kApplyButton).isVisible());
    EXPECT_EQ (page->getButton (Plugin_Bank::kSaveButton).helpText, "Save th current preset or preset bank.");

    press (page->getList(), 50, 10);
    EXPECT_TRUE (page->getButton (Plugin_Bank::kRenameButton).isVisible());
    EXPECT_FALSE (page->getButton (Plugin_Bank::kApplyButton).isVisible());

    bank().setProgramName (0, "Untitled");
    const auto menu = page->buildSaveMenu();
    juce::PopupMenu::MenuItemIterator items (menu);
    ASSERT_TRUE (items.next());
    EXPECT_EQ (items.getItem().text, "Save Untitled Preset as");
    EXPECT_EQ (items.getItem().itemID, Plugin_Bank::kSavePresetFile);
}

TEST_F (PresetBankPage, WhatThePageChangesIsWhatTheHostSavesAndRestores)
{
    for (int slot = 0; slot < 128; ++slot)
        hub().getBank (0)->setProgramBlock (slot, imageFilledWith ((juce::uint8) (slot % 90 + 5)));
    page->handleLoadMenu (Plugin_Bank::kLoadHardwareBankA);
    page->getList().selectRow (3);
    page->renameSelected();
    page->getQuestion()->getTextField().setText ("Kept In Project");
    page->textMsgAccepted (Plugin_Bank::kRenameDialogId, 3);

    const auto project = bankChunk();

    VellixAudioProcessor restored;
    restored.setStateInformation (project.getData(), (int) project.getSize());
    EXPECT_EQ (restored.getProgramName (3), "Kept In Project ");
    EXPECT_EQ (restored.getHostBank().getProgramBlock (50), imageFilledWith (55));
    juce::MemoryBlock again;
    restored.getStateInformation (again);
    EXPECT_EQ (again, project);
}
