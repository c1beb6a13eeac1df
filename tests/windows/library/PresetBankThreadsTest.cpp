#include "core/storage/SettingsFile.h"
#include "support/AutomationLoop.h"
#include "support/ProgramDumps.h"
#include "windows/library/Plugin_Bank.h"

#include <gtest/gtest.h>

// Run under the thread sanitizer: the page's preset operations on the message
// thread while a host processes and automates blocks on its audio thread.
TEST (PresetBankThreads, LoadsRenamesAndImportsWhileBlocksAreProcessed)
{
    AutomationLoop loop;
    Plugin_Bank page (*loop.processor);
    page.setBounds (0, 50, 1000, 528);

    const auto folder = getSettingsFolder().getChildFile ("presetthreads");
    folder.createDirectory();
    const auto bankFile = folder.getChildFile ("all.fxb").getFullPathName();
    const auto presetFile = folder.getChildFile ("one.fxp").getFullPathName();
    const auto dumpFile = folder.getChildFile ("bank.syx");
    {
        juce::MemoryOutputStream dumps;
        for (int i = 0; i < 20; ++i)
        {
            const auto dump = buildProgramDump (0, i, imageFilledWith ((juce::uint8) (i + 1)));
            dumps.write (dump.data(), dump.size());
        }
        dumpFile.replaceWithData (dumps.getData(), dumps.getDataSize());
    }
    ASSERT_TRUE (page.saveFxBank (bankFile));
    ASSERT_TRUE (page.saveFxPreset (presetFile));

    std::atomic<bool> running { true };
    std::thread audio ([&] {
        while (running)
            loop.runBlock();
    });

    for (int round = 0; round < 20; ++round)
    {
        page.loadFxBank (bankFile);
        page.loadFxPreset (presetFile);
        page.getList().selectRow (round % 128);
        page.renameSelected();
        page.getQuestion()->getTextField().setText ("Round " + juce::String (round));
        page.textMsgAccepted (Plugin_Bank::kRenameDialogId, round % 128);
        page.handleLoadMenu (Plugin_Bank::kLoadHardwareBankA + round % 3);
        page.getList().loadProgramBankFileAt (dumpFile.getFullPathName());
        page.showSetCurrent();
        page.setCurrentAccepted (round % 128);
        page.getList().createComponentSnapshot (page.getList().getLocalBounds());
    }

    running = false;
    audio.join();
    folder.deleteRecursively();

    EXPECT_EQ (loop.processor->getCurrentProgram(), 19);
    EXPECT_GT (loop.block, 0);
}
