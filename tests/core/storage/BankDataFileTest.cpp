#include "core/midi/MidiCntrState.h"
#include "core/storage/BankDataFile.h"
#include "core/storage/SettingsFile.h"
#include "support/FileLimit.h"

#include <gtest/gtest.h>

namespace
{
std::unique_ptr<Bank_Program> factoryBank (int index)
{
    auto bank = std::make_unique<Bank_Program> ("Factory");
    bank->loadFactoryBank (index);
    return bank;
}

bool holdsFactoryBank (const MidiCntrState& hub, int index)
{
    const auto factory = factoryBank (index);
    for (int slot = 0; slot < Bank_Program::kNumPrograms; ++slot)
        if (hub.getBank (index)->getProgramBlock (slot) != factory->getProgramBlock (slot))
            return false;
    return true;
}

// An image whose every bank slot is recognisable: slot s of bank n holds n * 128 + s in byte 0.
juce::MemoryBlock patternImage (size_t size)
{
    juce::MemoryBlock image (size, true);
    auto* bytes = static_cast<juce::uint8*> (image.getData());
    for (int bank = 0; bank < 3; ++bank)
        for (int slot = 0; slot < 128; ++slot)
            if (const auto at = (size_t) (BankDataFile::bankOffset (bank) + slot * 256); at < size)
                bytes[at] = (juce::uint8) ((bank * 128 + slot) & 0x7F);
    return image;
}

bool holdsPattern (const MidiCntrState& hub, int bank)
{
    for (int slot = 0; slot < 128; ++slot)
        if (hub.getBank (bank)->getProgramBlock (slot)[0] != ((bank * 128 + slot) & 0x7F))
            return false;
    return true;
}
} // namespace

TEST (BankDataFile, FirstStartUsesTheFactoryBanksAndSavesThemAtShutdown)
{
    {
        MidiCntrState hub;
        for (int bank = 0; bank < 3; ++bank)
            EXPECT_TRUE (holdsFactoryBank (hub, bank)) << bank;
    }

    juce::MemoryBlock saved;
    ASSERT_TRUE (getBankDataFile().loadFileAsData (saved));
    ASSERT_EQ (saved.getSize(), 98331u);

    const auto* bytes = static_cast<const char*> (saved.getData());
    EXPECT_EQ (juce::String (bytes, 14), "*Mopho  Data >");
    EXPECT_EQ (juce::String (bytes + 98318, 13), "< Mopho  Data");

    const auto bankB = factoryBank (1);
    EXPECT_EQ (0, memcmp (bytes + 14 + 32768 + 5 * 256, bankB->getProgramBlock (5).data(), 256));
}

TEST (BankDataFile, SizesDecideWhichBanksComeFromTheFile)
{
    struct Case
    {
        size_t size;
        bool fromFile[3];
    };
    const Case cases[] = {
        { 0, { false, false, false } },
        { 1000, { false, false, false } },
        { 1001, { false, false, false } },
        { 14 + 32768, { true, false, false } },
        { 14 + 2 * 32768 + 100, { true, true, false } },
        { 98317, { true, true, false } },
        { 98318, { true, true, true } },
        { 98331, { true, true, true } },
        { 200000, { true, true, true } },
    };

    for (const auto& c : cases)
    {
        getBankDataFile().replaceWithData (patternImage (c.size).getData(), c.size);

        MidiCntrState hub;

        for (int bank = 0; bank < 3; ++bank)
        {
            if (c.fromFile[bank])
                EXPECT_TRUE (holdsPattern (hub, bank)) << c.size << " bytes, bank " << bank;
            else
                EXPECT_TRUE (holdsFactoryBank (hub, bank)) << c.size << " bytes, bank " << bank;
        }
    }
}

TEST (BankDataFile, DamagedHeaderStillLoads)
{
    auto image = patternImage (98331);
    memcpy (image.getData(), "garbage garbag", 14);
    getBankDataFile().replaceWithData (image.getData(), image.getSize());

    MidiCntrState hub;

    for (int bank = 0; bank < 3; ++bank)
        EXPECT_TRUE (holdsPattern (hub, bank));
}

TEST (BankDataFile, ShortBankIsWrittenAtFullLength)
{
    Bank_Program a ("A"), b ("B"), c ("C");
    a.loadFactoryBank (0);
    b.setProgram (0, { 1, 2, 3 }); // three bytes only
    c.loadFactoryBank (2);

    const auto image = BankDataFile::build (a, b, c);

    ASSERT_EQ (image.getSize(), 98331u);
    const auto* bytes = static_cast<const juce::uint8*> (image.getData());
    EXPECT_EQ (bytes[BankDataFile::bankOffset (1) + 2], 3);
    EXPECT_EQ (bytes[BankDataFile::bankOffset (1) + 3], 0);
    EXPECT_EQ (0, memcmp (bytes + BankDataFile::bankOffset (2), c.getProgramBlock (0).data(), 256));
}

TEST (BankDataFile, FailedSaveLeavesTheOldFile)
{
    const auto image = patternImage (98331);
    getBankDataFile().replaceWithData (image.getData(), image.getSize());
    MidiCntrState hub;
    hub.getBank (0)->setProgramName (0, "Changed");

    {
        const ScopedFileSizeLimit diskFull (4096);
        EXPECT_FALSE (hub.saveBankDataFile());
    }

    juce::MemoryBlock onDisk;
    getBankDataFile().loadFileAsData (onDisk);
    EXPECT_EQ (onDisk, image);
    EXPECT_EQ (getSettingsFolder().getNumberOfChildFiles (juce::File::findFiles, ".*"), 0) << "no temporary file left behind";
}

TEST (BankDataFile, GarbageFilesLoadWithoutHarm)
{
    juce::Random random (3);

    for (int trial = 0; trial < 20; ++trial)
    {
        juce::MemoryBlock garbage ((size_t) random.nextInt (120000));
        random.fillBitsRandomly (garbage.getData(), garbage.getSize());
        getBankDataFile().replaceWithData (garbage.getData(), garbage.getSize());

        MidiCntrState hub;

        for (int bank = 0; bank < 3; ++bank)
            EXPECT_EQ (hub.getBank (bank)->getNumBytes(), Bank_Program::kBankBytes);
    }
}
