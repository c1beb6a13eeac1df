#include "core/model/Bank_Program.h"
#include "core/storage/FileMan.h"
#include "core/storage/SettingsFile.h"
#include "support/ProgramDumps.h"

#include <gtest/gtest.h>

namespace
{
using Bytes = std::vector<juce::uint8>;

Bytes editBufferDump (juce::uint8 fill)
{
    const auto dump = ProgramImage::buildEditBufferDump (imageFilledWith (fill));
    return Bytes (dump.begin(), dump.end());
}

Bytes programDump (juce::uint8 fill)
{
    return buildProgramDump (0, 0, imageFilledWith (fill));
}

juce::String fileWith (const Bytes& bytes, const char* name = "file.syx")
{
    const auto file = getSettingsFolder().getChildFile (name);
    file.replaceWithData (bytes.data(), bytes.size());
    return file.getFullPathName();
}

Bytes operator+ (Bytes a, const Bytes& b)
{
    a.insert (a.end(), b.begin(), b.end());
    return a;
}
} // namespace

TEST (FileMan, SingleProgramFiles)
{
    struct Case
    {
        const char* name;
        Bytes file;
        bool loads;
    };

    auto shortFirst = editBufferDump (0x11);
    shortFirst.erase (shortFirst.begin() + 5); // a 297-byte first message
    auto noEnd = editBufferDump (0x11);
    noEnd.pop_back();
    Bytes rawImage { 0xF0 };
    rawImage.resize (255, 0x22);
    rawImage.push_back (0xF7);

    const Case cases[] = {
        { "edit-buffer dump", editBufferDump (0x33), true },
        { "leading junk", Bytes { 1, 2, 3, 0x90 } + editBufferDump (0x33), true },
        { "program dump", programDump (0x33), true },
        { "nine bytes", Bytes { 0xF0, 1, 2, 3, 4, 5, 6, 7, 0xF7 }, false },
        { "no F7", noEnd, false },
        { "297-byte first message", shortFirst + editBufferDump (0x33), false },
        { "256-byte message", rawImage, true },
        { "empty", Bytes {}, false },
    };

    for (const auto& c : cases)
    {
        FileMan files;
        EXPECT_EQ (files.loadSingleProgramFile (fileWith (c.file)), c.loads) << c.name;
        if (c.loads && c.file.size() > 256)
            EXPECT_EQ (files.getCurrentProgram().getProgramBlock(), imageFilledWith (0x33)) << c.name;
    }

    FileMan files;
    EXPECT_FALSE (files.loadSingleProgramFile (getSettingsFolder().getFullPathName()));
    EXPECT_FALSE (files.loadSingleProgramFile (""));
    EXPECT_FALSE (files.loadSingleProgramFile (getSettingsFolder().getChildFile ("missing.m_p").getFullPathName()));
}

TEST (FileMan, BankFilesFillSlotsInOrder)
{
    struct Case
    {
        int dumps;
        bool garbage;
        int slotsFilled;
    };

    for (const auto& c : { Case { 128, false, 128 }, Case { 5, true, 5 }, Case { 130, true, 128 }, Case { 0, true, 0 } })
    {
        Bytes file { 0x01, 0x02 };
        for (int k = 0; k < c.dumps; ++k)
        {
            file = file + programDump ((juce::uint8) (k % 100));
            if (c.garbage)
                file = file + Bytes { 0xF0, 0x12, 0xF7, 0x00 };
        }

        FileMan files;
        const bool loaded = files.loadProgramDumpFile (fileWith (file, "bank.m_b"));
        ASSERT_EQ (loaded, c.dumps > 0) << c.dumps;
        if (! loaded)
            continue;

        Bank_Program bank ("Loaded");
        bank.initialiseBank();
        const auto& dumps = files.getCurrentProgram().getProgramBytes();
        bank.loadProgramDumps (juce::MemoryBlock (dumps.begin(), (size_t) dumps.size()));

        EXPECT_EQ (bank.getNumBytes(), Bank_Program::kBankBytes);
        for (int slot = 0; slot < 128; ++slot)
        {
            if (slot < c.slotsFilled)
                ASSERT_EQ (bank.getProgramBlock (slot), imageFilledWith ((juce::uint8) (slot % 100))) << slot;
            else
                ASSERT_EQ (bank.getProgramName (slot), "Untitled        ") << slot;
        }
    }
}

TEST (FileMan, SavedNamesGetTheModesExtension)
{
    FileMan files;
    const auto folder = getSettingsFolder();

    files.setFileMode (104, {});
    const std::pair<const char*, const char*> cases[] = {
        { "Bank1", "Bank1.m_l" }, { "Bank1.xyz", "Bank1.xyz" }, { "Bank1.x", "Bank1.x.m_l" }, { "Bank1.ab", "Bank1.ab" },
    };
    for (auto [typed, saved] : cases)
        EXPECT_EQ (FileMan::withSaveExtension (folder.getChildFile (typed), files.getPatterns()), folder.getChildFile (saved)) << typed;

    files.setFileMode (110, {});
    EXPECT_EQ (FileMan::withSaveExtension (folder.getChildFile ("Presets"), files.getPatterns()), folder.getChildFile ("Presets.fxb"));
}

TEST (FileMan, ModesGiveTitlesAndPatterns)
{
    FileMan files;

    files.setFileMode (1, {});
    EXPECT_EQ (files.getTitle(), "Load Single Mopho Program");
    EXPECT_EQ (files.getPatternString(), "*.m_p;*.syx");

    files.setFileMode (8, {});
    EXPECT_EQ (files.getTitle(), "Load Single Mopho Program") << "an unknown mode keeps the title";
    EXPECT_EQ (files.getPatternString(), "*");

    files.setFileMode (11, {});
    EXPECT_EQ (files.getTitle(), "Load FX Preset");
    EXPECT_EQ (files.getPatternString(), "*.fxp");
}

TEST (FileMan, RandomFilesLoadOrAreRefusedWithoutHarm)
{
    juce::Random random (17);

    for (int trial = 0; trial < 200; ++trial)
    {
        Bytes file ((size_t) random.nextInt (1200));
        for (auto& b : file)
            b = (juce::uint8) (random.nextInt (4) == 0 ? (random.nextBool() ? 0xF0 : 0xF7) : random.nextInt (256));
        const auto path = fileWith (file);

        FileMan files;
        files.loadSingleProgramFile (path);
        if (files.loadProgramDumpFile (path))
            EXPECT_EQ (files.getCurrentProgram().getProgramBytes().size(), files.getCurrentProgram().getDumpCount() * 300);
    }
}
