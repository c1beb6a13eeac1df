#pragma once

#include "windows/library/ProgramBlock.h"

// The program library on disk (".m_l"): a 13-byte header, the programs as
// 256-byte images in library order, a 13-byte trailer. No length field and no
// checksum; readers skip the header and take every whole record after it, so
// the trailer falls into the discarded remainder.
namespace LibraryFile
{
constexpr int kHeaderSize = 13;
constexpr int kRecordsOffset = kHeaderSize;
constexpr int kTrailerSize = 13;
constexpr int kRecordSize = ProgramBlock::kProgramSize;

juce::MemoryBlock makeLibraryFileHeader();
juce::MemoryBlock makeLibraryFileTrailer();

// Header, programs, trailer; empty when the block holds no program.
juce::MemoryBlock buildImage (const ProgramBlock& programs);

// Whole records after `start` in data of `size` bytes; 0 when the data ends
// before the start.
int countRecords (juce::int64 size, juce::int64 start) noexcept;

enum class WriteResult
{
    written,
    nothingToWrite, // an empty library leaves the file as it was
    failed          // the old file, if any, is kept
};

// Writes beside the target and swaps the new file in only once it is complete.
WriteResult write (const ProgramBlock& programs, const juce::File& file);

// The records of a library file, or nothing for a missing, unreadable or too
// short file.
ProgramBlock read (const juce::File& file);
} // namespace LibraryFile
