#include "support/FileLimit.h"
#include "support/LibraryPrograms.h"
#include "windows/library/LibraryModel.h"

#include <gtest/gtest.h>

namespace
{
juce::MemoryBlock bytesOfLength (size_t length)
{
    juce::MemoryBlock bytes (length);
    for (size_t i = 0; i < length; ++i)
        static_cast<juce::uint8*> (bytes.getData())[i] = (juce::uint8) (i * 7 + i / 256);
    return bytes;
}

juce::String textOf (const juce::MemoryBlock& block, size_t start, size_t length)
{
    return juce::String::fromUTF8 (static_cast<const char*> (block.getData()) + start, (int) length);
}
} // namespace

TEST (LibraryFile, WrittenLayoutIsHeaderProgramsTrailer)
{
    struct Case
    {
        int programs;
        size_t fileSize;
    };
    const Case cases[] = { { 1, 282 }, { 2, 538 }, { 128, 32794 } };

    for (const auto& c : cases)
    {
        const auto library = numberedLibrary (c.programs);
        const auto file = getSettingsFolder().getChildFile ("layout.m_l");
        ASSERT_EQ (LibraryFile::write (library, file), LibraryFile::WriteResult::written);

        juce::MemoryBlock written;
        file.loadFileAsData (written);
        ASSERT_EQ (written.getSize(), c.fileSize) << c.programs << " programs";
        EXPECT_EQ (textOf (written, 0, 13), "Mopho  Libr >");
        EXPECT_EQ (textOf (written, c.fileSize - 13, 13), "< Mopho  Libr");
        EXPECT_EQ (memcmp (static_cast<const char*> (written.getData()) + 13, library.getData().getData(), library.getData().getSize()), 0);
    }
}

TEST (LibraryFile, ReadsEveryWholeRecordAfterTheFirstThirteenBytes)
{
    struct Case
    {
        size_t fileSize;
        int programs;
    };
    // Header and trailer are never compared; a file shorter than its header holds nothing.
    const Case cases[] = { { 269, 1 }, { 268, 0 }, { 3 * 256 + 5, 2 }, { 5 * 256 + 5, 4 }, { 282, 1 }, { 12, 0 }, { 0, 0 } };

    for (const auto& c : cases)
    {
        const auto bytes = bytesOfLength (c.fileSize);
        const auto read = LibraryFile::read (fileOfBytes (bytes));
        ASSERT_EQ (read.getNumPrograms(), c.programs) << c.fileSize << " bytes";

        for (int p = 0; p < c.programs; ++p)
            EXPECT_EQ (memcmp (read.getProgramData (p), static_cast<const char*> (bytes.getData()) + 13 + p * 256, 256), 0);
    }

    EXPECT_EQ (LibraryFile::countRecords (5, 13), 0) << "a negative remainder is no record";
    EXPECT_EQ (LibraryFile::countRecords (300, -1), 0);
}

TEST (LibraryFile, ImportKeepsTheFirstOfIdenticalProgramsInOrder)
{
    const auto a = libraryProgram (1), b = libraryProgram (2), c = libraryProgram (3);
    const auto file = getSettingsFolder().getChildFile ("dupes.m_l");
    ASSERT_EQ (LibraryFile::write (libraryOf ({ b, a, b, c, a, a }), file), LibraryFile::WriteResult::written);

    LibraryModel model;
    model.importLibraryFile (file);

    const auto& imported = model.getImportBuffer();
    ASSERT_EQ (imported.getNumPrograms(), 3);
    EXPECT_EQ (imported.copyProgram (0), b);
    EXPECT_EQ (imported.copyProgram (1), a);
    EXPECT_EQ (imported.copyProgram (2), c);
}

TEST (LibraryFile, FailedSaveKeepsTheOldLibraryAndSaysSo)
{
    const auto file = getSettingsFolder().getChildFile ("mine.m_l");
    ASSERT_EQ (LibraryFile::write (numberedLibrary (3), file), LibraryFile::WriteResult::written);
    juce::MemoryBlock before;
    file.loadFileAsData (before);

    LibraryFile::WriteResult result;
    {
        const ScopedFileSizeLimit diskFull (1000);
        result = LibraryFile::write (numberedLibrary (40), file);
    }

    EXPECT_EQ (result, LibraryFile::WriteResult::failed);
    juce::MemoryBlock after;
    file.loadFileAsData (after);
    EXPECT_EQ (after, before);
    EXPECT_EQ (getSettingsFolder().getNumberOfChildFiles (juce::File::findFiles, ".*"), 0) << "no temporary file left behind";
}

TEST (LibraryFile, EmptyLibraryWritesNothing)
{
    const auto file = getSettingsFolder().getChildFile ("kept.m_l");
    ASSERT_EQ (LibraryFile::write (numberedLibrary (2), file), LibraryFile::WriteResult::written);

    EXPECT_EQ (LibraryFile::write (ProgramBlock(), file), LibraryFile::WriteResult::nothingToWrite);
    EXPECT_EQ (file.getSize(), 538);
    EXPECT_EQ (LibraryFile::write (ProgramBlock(), getSettingsFolder().getChildFile ("new.m_l")),
               LibraryFile::WriteResult::nothingToWrite);
    EXPECT_FALSE (getSettingsFolder().getChildFile ("new.m_l").exists());
}

TEST (LibraryFile, WritesIntoMissingFoldersAndRefusesAFolderAsTarget)
{
    const auto nested = getSettingsFolder().getChildFile ("a/b/lib.m_l");
    EXPECT_EQ (LibraryFile::write (numberedLibrary (1), nested), LibraryFile::WriteResult::written);
    EXPECT_EQ (nested.getSize(), 282);

    EXPECT_EQ (LibraryFile::write (numberedLibrary (1), getSettingsFolder().getChildFile ("a")), LibraryFile::WriteResult::failed);
    EXPECT_EQ (LibraryFile::read (getSettingsFolder().getChildFile ("a")).getNumPrograms(), 0);
}

TEST (LibraryFile, DefaultLibraryLivesInTheSettingsFolder)
{
    EXPECT_EQ (getDefaultLibraryFile(), getSettingsFolder().getChildFile ("mkbLib.m_l"));
}
