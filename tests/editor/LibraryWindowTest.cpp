#include "EditorRig.h"
#include "core/storage/SettingsFile.h"
#include "support/LibraryPrograms.h"
#include "support/Waiting.h"
#include "widgets/WidgetHarness.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{
int libraryWindowsOnDesktop()
{
    int count = 0;
    auto& desktop = juce::Desktop::getInstance();
    for (int i = 0; i < desktop.getNumComponents(); ++i)
        if (dynamic_cast<Lib_Manager_Win*> (desktop.getComponent (i)) != nullptr)
            ++count;
    return count;
}

struct LibraryWindow : testing::Test, EditorRig
{
    juce::MemoryBlock defaultFileBytes() const
    {
        juce::MemoryBlock bytes;
        getDefaultLibraryFile().loadFileAsData (bytes);
        return bytes;
    }
};
} // namespace

TEST_F (LibraryWindow, OpeningTwiceShowsOneWindowAsTheUserLeftIt)
{
    main->openLibraryWindow();
    auto* window = main->getLibraryWindow();
    ASSERT_NE (window, nullptr);
    EXPECT_EQ (window->getContent().getTitle(), "PRESET BANK");
    EXPECT_EQ (window->getContent().getBounds(), juce::Rectangle<int> (0, 0, 1000, 620));

    window->getContent().getTab (1).triggerClick();
    auto* page = window->getContent().getLibraryPage();
    ASSERT_NE (page, nullptr);
    page->getList().getModel().getLibrary() = numberedLibrary (5);
    page->getList().rebuildList (KwsFile::kAllCategories);
    page->getList().selectRow (3);

    page->getButton (LibClass::kDoneButton).triggerClick();
    EXPECT_FALSE (window->isVisible());

    main->openLibraryWindow();
    EXPECT_EQ (main->getLibraryWindow(), window);
    EXPECT_EQ (libraryWindowsOnDesktop(), 1);
    EXPECT_TRUE (window->isVisible());
    EXPECT_TRUE (window->isAlwaysOnTop());
    EXPECT_EQ (window->getContent().getTitle(), "LIBRARY");
    EXPECT_EQ (window->getContent().getLibraryPage(), page);
    EXPECT_EQ (page->getList().getSelectedRow(), 3);
    EXPECT_EQ (page->getBounds(), juce::Rectangle<int> (0, 50, 1000, 528));
}

TEST_F (LibraryWindow, AnEditorThatNeverShowedTheLibraryNeitherReadsNorWritesItsFile)
{
    // A read and a write would drop the bytes past the last whole record.
    auto before = LibraryFile::buildImage (numberedLibrary (2));
    before.append ("tail", 4);
    getDefaultLibraryFile().replaceWithData (before.getData(), before.getSize());

    main->openLibraryWindow();
    main->getLibraryWindow()->getContent().getTab (0).triggerClick();
    EXPECT_EQ (main->getLibraryWindow()->getContent().getLibraryPage(), nullptr);

    editor.reset();
    EXPECT_EQ (defaultFileBytes(), before);
}

TEST_F (LibraryWindow, ClosingTheEditorDeletesTheWindowAndWritesTheLibraryOnce)
{
    getDefaultLibraryFile().replaceWithData (LibraryFile::buildImage (numberedLibrary (2)).getData(),
                                             LibraryFile::buildImage (numberedLibrary (2)).getSize());

    main->openLibraryWindow();
    auto& content = main->getLibraryWindow()->getContent();
    content.getTab (1).triggerClick();
    auto& list = content.getLibraryPage()->getList();
    ASSERT_EQ (list.getModel().getLibrary().getNumPrograms(), 2); // read when first shown
    list.addProgram ("Added", libraryProgram (77));

    editor.reset();
    EXPECT_EQ (libraryWindowsOnDesktop(), 0);
    const auto written = LibraryFile::read (getDefaultLibraryFile());
    EXPECT_EQ (written.getNumPrograms(), 3);

    // Nothing writes it again after the editor is gone.
    getDefaultLibraryFile().deleteFile();
    processor.reset();
    EXPECT_FALSE (getDefaultLibraryFile().exists());
}

TEST_F (LibraryWindow, TheBarsToolButtonAndTheCloseToolOpenAndHideIt)
{
    main->changeListenerCallback (&main->getAppBar().getToolButton());
    auto* window = main->getLibraryWindow();
    ASSERT_NE (window, nullptr);
    EXPECT_TRUE (window->isVisible());

    WinMovCan stranger;
    main->winToolClicked (&stranger, kWinToolHide);
    EXPECT_TRUE (window->isVisible());

    window->getContent().getToolStrip().notifyToolListeners (kWinToolHide);
    EXPECT_FALSE (window->isVisible());
    EXPECT_EQ (main->getLibraryWindow(), window);
}

TEST_F (LibraryWindow, TheKeyStripOnTheTitlePlaysTheSynthesizerAndMovesTheWindow)
{
    main->openLibraryWindow();
    auto* window = main->getLibraryWindow();
    ASSERT_NE (window, nullptr);
    auto& strip = window->getContent().getKeyStrip();
    EXPECT_EQ (strip.getBounds(), juce::Rectangle<int> (100, 4, 200, 20));
    EXPECT_TRUE (strip.isVisible());

    // Library mode: the note keys play, the digits post no command.
    strip.isKeyDown = [] (int) { return false; };
    EXPECT_TRUE (strip.keyPressed (juce::KeyPress ('Z')));
    EXPECT_TRUE (strip.keyPressed (juce::KeyPress ('5')));
    strip.keyStateChanged (false);
    for (const auto code : hub().takeEvents())
        EXPECT_NE (UiEventCode::type (code), kUiKeyCommand);

    std::vector<std::pair<bool, int>> notes;
    EXPECT_TRUE (waitUntil ([&] {
        notes.clear();
        for (const auto& m : toSynth.getReceived())
            if (m.isNoteOnOrOff())
                notes.emplace_back (m.isNoteOn (true), m.getNoteNumber());
        return notes.size() >= 2;
    }));
    EXPECT_EQ (notes, (std::vector<std::pair<bool, int>> { { true, 36 }, { false, 36 } }));

    // A drag on the strip carries the window with the pointer, as the title strip does.
    const auto before = window->getPosition();
    widgetharness::press (strip, 10, 5);
    widgetharness::drag (strip, 40, 25);
    EXPECT_EQ (window->getPosition(), before + juce::Point<int> (30, 20));
}

TEST_F (LibraryWindow, ThePresetListFollowsTheCurrentPresetWhoeverChoosesIt)
{
    main->changeListenerCallback (&main->getAppBar().getToolButton()); // the library window opens
    auto& content = main->getLibraryWindow()->getContent();
    auto* presets = content.getPresetBankPage();
    ASSERT_NE (presets, nullptr);
    auto& list = presets->getList();
    main->handleAsyncUpdate();
    ASSERT_EQ (list.getSelectedPreset(), 0);

    // The host chooses a program on a thread of its own.
    std::thread ([&] { processor->setCurrentProgram (9); }).join();
    ASSERT_TRUE (drainUntil ([&] { return list.getSelectedPreset() == 9; }));
    EXPECT_EQ (list.getSelectedRow(), 9);
    EXPECT_EQ (list.getFirstVisibleRow(), 9);

    // RENAME now names the current preset.
    presets->getButton (Plugin_Bank::kRenameButton).triggerClick();
    presets->getQuestion()->getTextField().setText ("Ninth");
    presets->getQuestion()->getButton (TextInputCont::kAcceptId).triggerClick();
    EXPECT_EQ (processor->getHostBank().getProgramName (9).trimEnd(), "Ninth");

    // An FX bank brings back the preset that was current when it was saved.
    const auto fxb = getSettingsFolder().getChildFile ("presets.fxb").getFullPathName();
    processor->setCurrentProgram (120);
    ASSERT_TRUE (presets->saveFxBank (fxb));
    processor->setCurrentProgram (3);
    ASSERT_TRUE (drainUntil ([&] { return list.getSelectedPreset() == 3; }));
    presets->loadFxBank (fxb);
    ASSERT_TRUE (drainUntil ([&] { return list.getSelectedPreset() == 120; }));
    EXPECT_EQ (list.getFirstVisibleRow(), 113) << "the last page of rows";

    // Behind the LIBRARY tab, in a hidden window, the list still follows.
    content.getTab (1).triggerClick();
    content.getToolStrip().notifyToolListeners (kWinToolHide);
    processor->setCurrentProgram (30);
    ASSERT_TRUE (drainUntil ([&] { return list.getSelectedPreset() == 30; }));
    content.getTab (0).triggerClick();
    EXPECT_EQ (list.getSelectedRow(), 30);
}
