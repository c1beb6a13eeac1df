#include "core/midi/MidiCntrState.h"
#include "core/storage/SettingsFile.h"
#include "support/FileLimit.h"

#include <gtest/gtest.h>

namespace
{
const juce::String defaultsText = "^|3.0.0|^^|-1|^^|-1|^^|-1|^^|100|^^|0|^^||^^||^^|1|^"
                                  + juce::String ("^|0|^").repeatedString ("^|0|^", 41);

juce::String entries (int count)
{
    juce::StringArray list;
    for (int i = 0; i < count; ++i)
        list.add (juce::String (1000 + i));
    return buildSettingsText (list);
}
} // namespace

TEST (SettingsFile, ParsesEntriesBetweenMarkers)
{
    struct Case
    {
        const char* text;
        juce::StringArray expected;
    };
    const Case cases[] = {
        { "^|a|^^|b|^", { "a", "b" } },
        { "^|a|^^||^^|c|^", { "a", "", "c" } },
        { "junk^|a|^ more junk ^|b|^tail", { "a", "b" } },
        { "^|a|^^|unterminated", { "a" } },
        { "", {} },
        { "no markers at all", {} },
        { "|^^|x|^", {} }, // an end marker at the very start ends the scan
    };

    for (const auto& c : cases)
        EXPECT_EQ (parseSettingsText (c.text), c.expected) << c.text;

    EXPECT_EQ (buildSettingsText ({ "3.0.0", "", "7" }), "^|3.0.0|^^||^^|7|^");
}

TEST (SettingsFile, FirstStartWritesTheDefaults)
{
    ASSERT_FALSE (getGlobalSettingsFile().exists());

    MidiCntrState hub;

    EXPECT_EQ (getGlobalSettingsFile().loadFileAsString(), defaultsText);
    EXPECT_EQ (hub.getSettings().size(), 82);
    EXPECT_EQ (hub.getSettings()[0], "3.0.0");
    EXPECT_EQ (hub.getSettings()[8], "1");
    EXPECT_EQ (hub.getSettings()[81], "0");
    EXPECT_FALSE (hub.isHelpPageRequested());
}

TEST (SettingsFile, TooFewEntriesGiveTheDefaultsAndAskForHelp)
{
    for (const char* text : { "^|9|^^|9|^", "^|9|^", "abc", "", "^|9|^^|9" })
    {
        getGlobalSettingsFile().replaceWithText (text);

        MidiCntrState hub;

        EXPECT_TRUE (hub.isHelpPageRequested()) << text;
        EXPECT_EQ (hub.getSettings()[4], "100") << text;
        EXPECT_EQ (hub.getSettings().size(), 82);
        EXPECT_EQ (getGlobalSettingsFile().loadFileAsString(), text) << "kept until the next save";
    }
}

TEST (SettingsFile, TakesAtMostFiftyEntriesAndSavesTheWholeList)
{
    getGlobalSettingsFile().replaceWithText (entries (60));
    {
        MidiCntrState hub;

        ASSERT_EQ (hub.getSettings().size(), 82);
        EXPECT_EQ (hub.getSettings()[49], "1049");
        EXPECT_EQ (hub.getSettings()[50], "0");
        EXPECT_FALSE (hub.isHelpPageRequested());
    }

    const auto saved = parseSettingsText (getGlobalSettingsFile().loadFileAsString());
    ASSERT_EQ (saved.size(), 82);
    EXPECT_EQ (saved[0], "1000");
    EXPECT_EQ (saved[81], "0");
}

TEST (SettingsFile, ShortListsArePaddedToFifty)
{
    getGlobalSettingsFile().replaceWithText ("^|3.0.0|^^||^^|5|^");

    MidiCntrState hub;

    EXPECT_EQ (hub.getSettings()[1], "");
    EXPECT_EQ (hub.getSettings()[2], "5");
    EXPECT_EQ (hub.getSettings()[49], "0");
    EXPECT_EQ (hub.getSettings().size(), 82);
}

TEST (SettingsFile, MidiChannelOutsideOneToSixteenBecomesOne)
{
    const std::pair<const char*, int> cases[] = { { "0", 1 }, { "17", 1 }, { "16", 16 }, { "x", 1 }, { "5", 5 } };

    for (auto [slot, channel] : cases)
    {
        juce::StringArray list;
        for (int i = 0; i < 50; ++i)
            list.add ("0");
        list.set (kSlotMidiChannel, slot);
        getGlobalSettingsFile().replaceWithText (buildSettingsText (list));

        MidiCntrState hub;

        EXPECT_EQ (hub.getMidiChannel(), channel) << slot;
        EXPECT_EQ (hub.getSettings()[kSlotMidiChannel], juce::String (channel)) << slot;
    }
}

TEST (SettingsFile, SavingAfterTheFileVanishedKeepsTheUsersSettings)
{
    MidiCntrState hub;
    hub.getSettings().set (kSlotMidiChannel, "9");
    hub.getSettings().set (kSlotClock, "1");

    getGlobalSettingsFile().deleteFile();
    hub.loadOrSaveSettings (MidiCntrState::kSaveSettings);

    const auto saved = parseSettingsText (getGlobalSettingsFile().loadFileAsString());
    ASSERT_EQ (saved.size(), 82);
    EXPECT_EQ (saved[kSlotMidiChannel], "9");
    EXPECT_EQ (saved[kSlotClock], "1");
    EXPECT_EQ (hub.getSettings()[kSlotMidiChannel], "9");
}

TEST (SettingsFile, FailedSaveLeavesTheOldFile)
{
    MidiCntrState hub;
    const auto before = getGlobalSettingsFile().loadFileAsString();
    hub.getSettings().set (kSlotMidiChannel, "9");

    {
        const ScopedFileSizeLimit diskFull (16);
        hub.loadOrSaveSettings (MidiCntrState::kSaveSettings);
    }

    EXPECT_EQ (getGlobalSettingsFile().loadFileAsString(), before);
    EXPECT_EQ (getSettingsFolder().getNumberOfChildFiles (juce::File::findFiles, ".*"), 0) << "no temporary file left behind";
}

TEST (SettingsFile, GarbageFilesLoadWithoutHarm)
{
    juce::Random random (42);

    for (int trial = 0; trial < 50; ++trial)
    {
        juce::MemoryBlock garbage ((size_t) random.nextInt (400));
        random.fillBitsRandomly (garbage.getData(), garbage.getSize());
        if (trial % 2 == 0)
            garbage.append ("^|1|^^|2|^^|", 12); // a few markers among the noise
        getGlobalSettingsFile().replaceWithData (garbage.getData(), garbage.getSize());

        MidiCntrState hub;

        EXPECT_EQ (hub.getSettings().size(), 82);
        EXPECT_GE (hub.getMidiChannel(), 1);
        EXPECT_LE (hub.getMidiChannel(), 16);
    }
}

TEST (SettingsFile, WriteTextFileTurnsLoneLineFeedsIntoCrLf)
{
    const auto file = getSettingsFolder().getChildFile ("text.txt");

    ASSERT_TRUE (writeTextFile ("a\nb\r\nc", file));

    juce::MemoryBlock bytes;
    file.loadFileAsData (bytes);
    EXPECT_EQ (bytes.toString(), "a\r\nb\r\nc");
}

TEST (SettingsFile, FolderCanBeRedirectedAndFilesFollow)
{
    const auto folder = getSettingsFolder();
    EXPECT_EQ (getGlobalSettingsFile(), folder.getChildFile ("mphedstd.dat"));
    EXPECT_EQ (getBankDataFile(), folder.getChildFile ("dataDsk.mph"));
    EXPECT_EQ (getPortSettingsFile(), folder.getChildFile ("mhdplports.dat"));

    setSettingsFolderOverride ({});
    EXPECT_EQ (getSettingsFolder(),
               juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory).getChildFile ("Hollenvar"));
    setSettingsFolderOverride (folder);
}
