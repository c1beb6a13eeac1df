#pragma once

#include "windows/library/LibraryFile.h"

#include <array>

class Bank_Program;

// The program library with its import buffer and category counts. Plain
// code on the message thread; the list view shows it and rebuilds after
// every change it makes.
class LibraryModel
{
public:
    // Counted categories: the 26 named ones and four spare values.
    static constexpr int kNumCountedCategories = 30;

    ProgramBlock& getLibrary() noexcept { return library; }
    const ProgramBlock& getLibrary() const noexcept { return library; }
    const ProgramBlock& getImportBuffer() const noexcept { return importBuffer; }

    void clearImport() { importBuffer.clear(); }

    // Fills the import buffer with the distinct records after `start`, in
    // order of first occurrence. Data without a whole record there leaves
    // the buffer as it was.
    void parseLibraryData (const juce::MemoryBlock& data, int start);

    // The first `count` programs of a bank (at most the 128 it holds).
    void importFromBank (const Bank_Program& bank, int count);

    // Empties the import buffer, then fills it from a library file when the
    // path names one.
    void importLibraryFile (const juce::File& file);

    // Empties the import buffer, then fills it from the program dumps of a
    // bank file, the first 128 of them. False when the file holds none.
    bool importProgramBankFile (const juce::String& path);

    // Appends the import buffer to the library, or replaces the library with
    // it; an empty buffer changes nothing. The buffer keeps its programs.
    bool applyImport (bool append);

    // Replaces the library by the records of a library file that holds any.
    bool loadLibraryFile (const juce::File& file);

    juce::MemoryBlock buildLibraryFileImage() const { return LibraryFile::buildImage (library); }
    LibraryFile::WriteResult writeLibraryFile (const juce::File& file) const { return LibraryFile::write (library, file); }

    // Names a copy of a 256-byte program and appends it unless the library
    // already holds it.
    bool addProgram (const juce::String& name, const juce::MemoryBlock& program);

    void countCategories();
    int getCategoryCount (int category) const noexcept;

private:
    ProgramBlock library, importBuffer;
    std::array<int, kNumCountedCategories> categoryCounts {};
};
