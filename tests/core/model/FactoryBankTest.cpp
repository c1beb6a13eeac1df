#include "core/model/BankFolder.h"
#include "core/model/Bank_Program.h"
#include "core/model/ParamTables.h"

#include <gtest/gtest.h>

#include <set>

using namespace ProgramImage;

namespace
{
juce::String textAt (const juce::uint8* bytes, int length)
{
    return juce::String (reinterpret_cast<const char*> (bytes), (size_t) length);
}
} // namespace

TEST (FactoryBank, ImageHasItsSizeAndMarkers)
{
    ASSERT_EQ (BankFolder::getFactoryBankImageSize(), BankFolder::kFactoryBankImageSize);

    const auto* image = BankFolder::getFactoryBankImage();
    EXPECT_EQ (textAt (image, 13), "Mopho  Data >");
    EXPECT_EQ (textAt (image + 98317, 13), "< Mopho  Data");
}

TEST (FactoryBank, EveryProgramIsWithinTheSynthesizersRanges)
{
    ParameterTables tables;
    tables.buildParameterTables();

    for (int bankIndex = 0; bankIndex < BankFolder::kNumFactoryBanks; ++bankIndex)
    {
        Bank_Program bank ("Factory");
        bank.loadFactoryBank (bankIndex);

        for (int slot = 0; slot < Bank_Program::kNumPrograms; ++slot)
        {
            const auto image = bank.getProgramBlock (slot);
            const auto where = "bank " + std::to_string (bankIndex) + " slot " + std::to_string (slot);

            for (int pos = 0; pos < 200; ++pos)
                EXPECT_LE (image[(size_t) pos], tables.getMax (pos)) << where << " position " << pos;

            EXPECT_GE (bank.getCategory (slot), 1) << where;
            EXPECT_LT (bank.getCategory (slot), kNumCategories) << where;

            for (int i = 0; i < kNameLength; ++i)
            {
                EXPECT_GE (image[(size_t) (kNameOffset + i)], 32) << where;
                EXPECT_LE (image[(size_t) (kNameOffset + i)], 126) << where;
            }

            for (int pos = 200; pos < kSize; ++pos)
                EXPECT_EQ (image[(size_t) pos], 0) << where << " position " << pos;
        }
    }
}

TEST (FactoryBank, All384NamesAreDistinct)
{
    std::set<juce::String> names;

    for (int bankIndex = 0; bankIndex < BankFolder::kNumFactoryBanks; ++bankIndex)
    {
        Bank_Program bank ("Factory");
        bank.loadFactoryBank (bankIndex);

        for (int slot = 0; slot < Bank_Program::kNumPrograms; ++slot)
        {
            const auto name = bank.getProgramName (slot).trimEnd();
            EXPECT_TRUE (name.isNotEmpty());
            EXPECT_TRUE (names.insert (name).second) << "duplicate name " << name;
        }
    }
}
