#include "core/model/Bank_Program.h"
#include "support/LibraryPrograms.h"
#include "support/ProgramDumps.h"
#include "windows/library/LibraryModel.h"

#include <gtest/gtest.h>

namespace
{
juce::MemoryBlock withNameBytes (std::initializer_list<int> bytes)
{
    auto program = libraryProgram (1, 0, "");
    int i = 0;
    for (auto b : bytes)
        static_cast<juce::uint8*> (program.getData())[ProgramImage::kNameOffset + i++] = (juce::uint8) b;
    return program;
}

juce::String bankFileOfDumps (int count, const char* name)
{
    std::vector<juce::uint8> file;
    for (int i = 0; i < count; ++i)
    {
        ProgramImage::Block image {};
        image[0] = (juce::uint8) (i & 0x7F);
        image[1] = (juce::uint8) (i >> 7);
        const auto dump = buildProgramDump (0, i & 0x7F, image);
        file.insert (file.end(), dump.begin(), dump.end());
        file.push_back (0x55); // garbage between the dumps
    }
    return fileOfBytes (juce::MemoryBlock (file.data(), file.size()), name).getFullPathName();
}
} // namespace

TEST (ProgramBlock, DisplayNameShowsBytesBelowSpaceOrAboveSevenBitsAsA)
{
    struct Case
    {
        std::initializer_list<int> bytes;
        const char* shown;
    };
    const Case cases[] = {
        { { 'P', 'a', 'd', 0x0A, 0x80, 'x' }, "PadAAx          " },
        { { 'B', 'a', 's', 's', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ' }, "Bass            " },
        { { 31, 32, 126, 127, 0xFF, 0 }, "A ~\x7f" "AA          " },
    };

    for (const auto& c : cases)
        EXPECT_EQ (libraryOf ({ withNameBytes (c.bytes) }).getProgramName (0), juce::String (c.shown));
}

TEST (ProgramBlock, NameWritingKeepsCodesTwentyToOneFiftyNine)
{
    struct Case
    {
        juce::String name;
        std::vector<int> stored; // the first bytes; the rest are spaces
    };
    const Case cases[] = {
        { "Lead", { 'L', 'e', 'a', 'd', ' ' } },
        { juce::String::charToString (19) + juce::String::charToString (20), { ' ', 20, ' ' } },
        { juce::String::charToString (159) + juce::String::charToString (160) + juce::String::charToString (0x20AC), { 159, ' ', ' ' } },
        { "ABCDEFGHIJKLMNOPQRS", { 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O', 'P' } },
    };

    for (const auto& c : cases)
    {
        auto block = libraryOf ({ libraryProgram (1, 4, "Old name here!!!") });
        block.setProgramName (0, c.name);
        const auto* name = block.getProgramData (0) + ProgramImage::kNameOffset;

        for (int i = 0; i < ProgramImage::kNameLength; ++i)
            EXPECT_EQ (name[i], i < (int) c.stored.size() ? c.stored[(size_t) i] : ' ') << c.name << " at " << i;
        EXPECT_EQ (block.getCategory (0), 4) << "the name never spills into other bytes";
    }
}

TEST (ProgramBlock, IdenticalMeansAllBytesEqual)
{
    auto twin = libraryProgram (5);
    static_cast<juce::uint8*> (twin.getData())[255] = 1;
    auto block = libraryOf ({ libraryProgram (5) });

    EXPECT_TRUE (block.findProgram (static_cast<const juce::uint8*> (libraryProgram (5).getData())));
    EXPECT_FALSE (block.findProgram (static_cast<const juce::uint8*> (twin.getData())));
    EXPECT_FALSE (block.appendIfNew (libraryProgram (5)));
    EXPECT_FALSE (block.appendIfNew (juce::MemoryBlock (255, true))) << "only whole programs";
    EXPECT_TRUE (block.appendIfNew (twin));
    EXPECT_EQ (block.getNumPrograms(), 2);

    block.removeProgram (0);
    block.removeProgram (7);
    EXPECT_EQ (block.getNumPrograms(), 1);
    EXPECT_EQ (block.copyProgram (0), twin);
    EXPECT_EQ (block.getCategory (3), -1);
    EXPECT_TRUE (block.copyProgram (3).isEmpty());
}

TEST (LibraryModel, CountsOnlyCategoriesBelowThirty)
{
    LibraryModel model;
    for (int category : { 0, 0, 25, 26, 29, 30, 31, 255 })
        model.getLibrary().append (libraryProgram (category * 3 + model.getLibrary().getNumPrograms(), category).getData(), 1);

    model.countCategories();

    int total = 0;
    for (int c = 0; c < LibraryModel::kNumCountedCategories; ++c)
        total += model.getCategoryCount (c);
    EXPECT_EQ (model.getCategoryCount (0), 2);
    EXPECT_EQ (model.getCategoryCount (25), 1);
    EXPECT_EQ (model.getCategoryCount (29), 1);
    EXPECT_EQ (model.getCategoryCount (30), 0);
    EXPECT_EQ (total, 5);
}

TEST (LibraryModel, AppendAddsAgainWhatTheLibraryHoldsAndReplaceNeedsAnImport)
{
    LibraryModel model;
    model.getLibrary() = libraryOf ({ libraryProgram (1), libraryProgram (2) });

    EXPECT_FALSE (model.applyImport (false)) << "an empty import changes nothing";
    EXPECT_EQ (model.getLibrary().getNumPrograms(), 2);

    model.parseLibraryData (libraryOf ({ libraryProgram (2), libraryProgram (3) }).getData(), 0);
    EXPECT_TRUE (model.applyImport (true));
    EXPECT_EQ (model.getLibrary().getNumPrograms(), 4);
    EXPECT_EQ (model.getLibrary().copyProgram (2), libraryProgram (2));

    EXPECT_TRUE (model.applyImport (false)) << "the import is kept for another merge";
    EXPECT_EQ (model.getLibrary().getNumPrograms(), 2);
    EXPECT_EQ (model.getLibrary().copyProgram (1), libraryProgram (3));
}

TEST (LibraryModel, DataWithoutAWholeRecordLeavesTheImportAsItWas)
{
    LibraryModel model;
    model.parseLibraryData (libraryOf ({ libraryProgram (1) }).getData(), 0);

    model.parseLibraryData (juce::MemoryBlock (268), LibraryFile::kRecordsOffset);
    model.parseLibraryData (juce::MemoryBlock (5), LibraryFile::kRecordsOffset);
    EXPECT_EQ (model.getImportBuffer().getNumPrograms(), 1);

    model.importLibraryFile (fileOfBytes (juce::MemoryBlock (268)));
    EXPECT_EQ (model.getImportBuffer().getNumPrograms(), 0) << "a chosen file empties the import first";
    model.importLibraryFile (getSettingsFolder());
    EXPECT_FALSE (model.applyImport (true));
}

TEST (LibraryModel, AddingNamesTheProgramAndSkipsOneAlreadyThere)
{
    LibraryModel model;
    EXPECT_TRUE (model.addProgram ("Warm Pad", libraryProgram (9, 24, "Unnamed")));
    EXPECT_FALSE (model.addProgram ("Warm Pad", libraryProgram (9, 24, "Other")));
    EXPECT_TRUE (model.addProgram ("Cold Pad", libraryProgram (9, 24, "Unnamed")));
    EXPECT_FALSE (model.addProgram ("Short", juce::MemoryBlock (100, true)));

    ASSERT_EQ (model.getLibrary().getNumPrograms(), 2);
    EXPECT_EQ (model.getLibrary().getProgramName (0), "Warm Pad        ");
    EXPECT_EQ (model.getLibrary().getProgramName (1), "Cold Pad        ");
}

TEST (LibraryModel, BankFileImportsItsFirst128Dumps)
{
    struct Case
    {
        int dumps, imported;
    };
    const Case cases[] = { { 5, 5 }, { 128, 128 }, { 130, 128 }, { 0, 0 } };

    for (const auto& c : cases)
    {
        LibraryModel model;
        model.parseLibraryData (libraryOf ({ libraryProgram (77) }).getData(), 0);
        const auto path = bankFileOfDumps (c.dumps, "bank.m_b");

        EXPECT_EQ (model.importProgramBankFile (path), c.dumps > 0);
        const auto& imported = model.getImportBuffer();
        ASSERT_EQ (imported.getNumPrograms(), c.imported) << c.dumps << " dumps";

        for (int p = 0; p < c.imported; ++p)
            EXPECT_EQ (imported.getProgramData (p)[0] + 128 * imported.getProgramData (p)[1], p) << "in file order";
    }
}

TEST (LibraryModel, HardwareBankImportsItsDistinctPrograms)
{
    Bank_Program bank ("A");
    bank.initialiseBank();
    for (int slot = 0; slot < Bank_Program::kNumPrograms; ++slot)
    {
        ProgramImage::Block image;
        const auto program = libraryProgram (slot == 9 ? 5 : slot);
        std::memcpy (image.data(), program.getData(), image.size());
        bank.setProgramBlock (slot, image);
    }

    LibraryModel model;
    model.importFromBank (bank, Bank_Program::kNumPrograms);

    const auto& imported = model.getImportBuffer();
    ASSERT_EQ (imported.getNumPrograms(), 127);
    EXPECT_EQ (imported.copyProgram (5), libraryProgram (5));
    EXPECT_EQ (imported.copyProgram (9), libraryProgram (10)) << "the second copy of slot 5 was dropped";
}
