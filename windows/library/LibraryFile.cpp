#include "windows/library/LibraryFile.h"

#include "core/storage/SettingsFile.h"

namespace
{
// Two spaces after the synthesizer's name, no terminator.
constexpr char kHeaderText[] = "Mopho  Libr >";
constexpr char kTrailerText[] = "< Mopho  Libr";

static_assert (sizeof (kHeaderText) - 1 == LibraryFile::kHeaderSize);
static_assert (sizeof (kTrailerText) - 1 == LibraryFile::kTrailerSize);
} // namespace

namespace LibraryFile
{
juce::MemoryBlock makeLibraryFileHeader()
{
    return { kHeaderText, (size_t) kHeaderSize };
}

juce::MemoryBlock makeLibraryFileTrailer()
{
    return { kTrailerText, (size_t) kTrailerSize };
}

juce::MemoryBlock buildImage (const ProgramBlock& programs)
{
    if (programs.isEmpty())
        return {};

    auto image = makeLibraryFileHeader();
    image.append (programs.getData().getData(), (size_t) programs.getNumPrograms() * kRecordSize);
    image.append (makeLibraryFileTrailer().getData(), (size_t) kTrailerSize);
    return image;
}

int countRecords (juce::int64 size, juce::int64 start) noexcept
{
    if (start < 0)
        return 0;

    // Signed: a file shorter than its header has no records, not billions.
    const auto records = (size - start) / kRecordSize;
    return records > 0 ? (int) juce::jmin (records, (juce::int64) std::numeric_limits<int>::max()) : 0;
}

WriteResult write (const ProgramBlock& programs, const juce::File& file)
{
    if (programs.isEmpty())
        return WriteResult::nothingToWrite;

    return writeBlockToFile (buildImage (programs), file) ? WriteResult::written : WriteResult::failed;
}

ProgramBlock read (const juce::File& file)
{
    auto block = readFileToBlock (file);
    const int count = countRecords ((juce::int64) block.getSize(), kRecordsOffset);

    if (count == 0)
        return {};

    // The records stay where the file was read: no second copy of megabytes.
    block.removeSection (0, (size_t) kRecordsOffset);
    block.setSize ((size_t) count * kRecordSize);
    return ProgramBlock (std::move (block));
}
} // namespace LibraryFile
