#include "core/model/BankFolder.h"
#include "core/model/Bank_Program.h"
#include "support/ProgramDumps.h"

#include <gtest/gtest.h>

using namespace ProgramImage;

namespace
{
Block imageWithSeed (int seed)
{
    juce::Random random (seed);
    Block image {};
    for (auto& b : image)
        b = (juce::uint8) random.nextInt (128);
    return image;
}

juce::MemoryBlock programDumps (int count, int firstSeed)
{
    juce::MemoryBlock block;
    for (int k = 0; k < count; ++k)
    {
        const auto dump = ::buildProgramDump (7, 127, imageWithSeed (firstSeed + k)); // bank and program are not used
        block.append (dump.data(), dump.size());
    }
    return block;
}
} // namespace

TEST (BankProgram, NewBankReadsAsEmpty)
{
    Bank_Program bank ("Test");

    EXPECT_TRUE (bank.getProgram (0).isEmpty());
    EXPECT_EQ (bank.getProgramBlock (0), Block {});
    EXPECT_EQ (bank.getProgramName (0), "");
    EXPECT_EQ (bank.getCategory (0), 0);
    EXPECT_EQ (bank.getEditBufferBlock(), Block {});
}

TEST (BankProgram, InitialisedBankHoldsUntitledProgramsEverywhere)
{
    Bank_Program bank ("Test");
    bank.initialiseBank();

    EXPECT_EQ (bank.getNumBytes(), Bank_Program::kBankBytes);
    for (int slot = 0; slot < Bank_Program::kNumPrograms; ++slot)
    {
        EXPECT_EQ (bank.getProgramName (slot), "Untitled        ");
        EXPECT_EQ (bank.getCategory (slot), 0);
    }
    EXPECT_EQ (bank.getEditBufferName(), "Untitled        ");
    EXPECT_EQ (bank.getEditBufferCategory(), 0);
}

TEST (BankProgram, WritingPastTheEndAppends)
{
    Bank_Program bank ("Test");
    const auto image = imageWithSeed (5);

    bank.setProgram (5, toArray (image));

    EXPECT_EQ (bank.getProgramBlock (0), image);
    EXPECT_TRUE (bank.getProgram (5).isEmpty());
}

TEST (BankProgram, NegativeSlotReadsSlotZero)
{
    Bank_Program bank ("Test");
    bank.initialiseBank();
    bank.setProgramName (0, "First");

    EXPECT_EQ (bank.getProgram (-3), bank.getProgram (0));
}

TEST (BankProgram, NamesAndCategoriesStayInTheirSlot)
{
    Bank_Program bank ("Test");
    bank.initialiseBank();

    bank.setProgramName (9, "A name longer than sixteen");
    bank.setCategory (9, 24);

    EXPECT_EQ (bank.getProgramName (9), "A name longer th");
    EXPECT_EQ (bank.getCategory (9), 24);
    EXPECT_EQ (bank.getProgramName (8), "Untitled        ");
    EXPECT_EQ (bank.getProgramName (10), "Untitled        ");
    EXPECT_EQ (bank.getBankName(), "Test");
}

TEST (BankProgram, EditBufferTakesExactly256Bytes)
{
    Bank_Program bank ("Test");
    bank.initialiseBank();

    bank.setEditBuffer ({ 1, 2, 3 });
    auto expected = Block {};
    expected[0] = 1;
    expected[1] = 2;
    expected[2] = 3;
    EXPECT_EQ (bank.getEditBufferBlock(), expected);

    const auto image = imageWithSeed (11);
    bank.setProgramAndEditBuffer (3, image);
    EXPECT_EQ (bank.getEditBufferBlock(), image);
    EXPECT_EQ (bank.getProgramBlock (3), image);

    bank.setEditBuffer (toArray (imageWithSeed (12)));
    EXPECT_EQ (bank.storeEditBuffer (4), imageWithSeed (12));
    EXPECT_EQ (bank.getProgramBlock (4), imageWithSeed (12));
}

TEST (BankProgram, EditBufferDumpOfASlotRoundTrips)
{
    Bank_Program bank ("Test");
    bank.initialiseBank();
    const auto image = imageWithSeed (21);
    bank.setProgramBlock (17, image);

    const auto dump = bank.buildEditBufferDump (17);

    ASSERT_EQ (dump.size(), kEditBufferDumpSize);
    EXPECT_EQ (dump.getFirst(), 0xF0);
    EXPECT_EQ (dump.getLast(), 0xF7);
    EXPECT_EQ (unpack (dump.getRawDataPointer() + kEditBufferPayloadOffset), image);
}

struct DumpCase
{
    int dumps;
    int extraBytes;
    int slotsReplaced;
};

class LoadProgramDumps : public testing::TestWithParam<DumpCase> {};

TEST_P (LoadProgramDumps, FillsSlotsInOrderAndNeverGrowsTheBank)
{
    const auto [dumps, extraBytes, slotsReplaced] = GetParam();
    Bank_Program bank ("Test");
    bank.initialiseBank();
    bank.setEditBuffer (toArray (imageWithSeed (-1)));

    auto block = programDumps (dumps, 1000);
    if (extraBytes < 0)
        block.setSize (block.getSize() + (size_t) extraBytes);

    bank.loadProgramDumps (block);

    EXPECT_EQ (bank.getNumBytes(), Bank_Program::kBankBytes);
    for (int slot = 0; slot < Bank_Program::kNumPrograms; ++slot)
    {
        if (slot < slotsReplaced)
            EXPECT_EQ (bank.getProgramBlock (slot), imageWithSeed (1000 + slot)) << "slot " << slot;
        else
            EXPECT_EQ (bank.getProgramName (slot), "Untitled        ") << "slot " << slot;
    }
    EXPECT_EQ (bank.getEditBufferBlock(), imageWithSeed (-1));
}

INSTANTIATE_TEST_SUITE_P (Counts, LoadProgramDumps,
                          testing::Values (DumpCase { 128, 0, 128 }, DumpCase { 3, 0, 3 }, DumpCase { 1, -1, 0 },
                                           DumpCase { 131, 0, 128 }, DumpCase { 0, 0, 0 }),
                          [] (const auto& c) {
                              return std::to_string (c.param.dumps) + "Dumps" + (c.param.extraBytes < 0 ? "LessOneByte" : "");
                          });

TEST (BankProgram, FactoryBankIsItsWindowOfTheImage)
{
    for (int index = 0; index < BankFolder::kNumFactoryBanks; ++index)
    {
        Bank_Program bank ("Test");
        bank.loadFactoryBank (index);

        const auto* window = BankFolder::getFactoryBankImage() + BankFolder::kFactoryBankOffset + index * Bank_Program::kBankBytes;
        for (int slot = 0; slot < Bank_Program::kNumPrograms; ++slot)
            ASSERT_EQ (0, memcmp (bank.getProgramBlock (slot).data(), window + slot * kSize, kSize));
    }

    Bank_Program untouched ("Test");
    untouched.loadFactoryBank (3);
    untouched.loadFactoryBank (-1);
    EXPECT_EQ (untouched.getNumBytes(), 0);
}

TEST (BankProgram, BankDataImageFillsFromItsOffsetOrFallsBackWhenShort)
{
    juce::MemoryBlock image ((size_t) (Bank_Program::kBankDataImageOffset + 2 * Bank_Program::kBankBytes + 100), true);
    auto* bytes = static_cast<juce::uint8*> (image.getData());
    for (size_t i = 0; i < image.getSize(); ++i)
        bytes[i] = (juce::uint8) (i % 127);

    Bank_Program bank1 ("B");
    bank1.loadFromBankDataImage (1, image);
    EXPECT_EQ (0, memcmp (bank1.getProgramBlock (0).data(), bytes + 14 + 32768, kSize));
    EXPECT_EQ (0, memcmp (bank1.getProgramBlock (127).data(), bytes + 14 + 32768 + 127 * 256, kSize));

    // Bank 2 would reach past the end of this image.
    Bank_Program bank2 ("C");
    bank2.loadFromBankDataImage (2, image);
    Bank_Program factory ("C");
    factory.loadFactoryBank (2);
    EXPECT_EQ (bank2.getProgram (64), factory.getProgram (64));
    EXPECT_EQ (bank2.getNumBytes(), Bank_Program::kBankBytes);
}
