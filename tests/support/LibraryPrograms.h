#pragma once

#include "core/storage/SettingsFile.h"
#include "windows/library/ProgramBlock.h"

// A program told apart by its seed (bytes 0-3), with a category and a name.
inline juce::MemoryBlock libraryProgram (int seed, int category = 0, const juce::String& name = "Program")
{
    juce::MemoryBlock program ((size_t) ProgramImage::kSize, true);
    auto* bytes = static_cast<juce::uint8*> (program.getData());
    for (int i = 0; i < 4; ++i)
        bytes[i] = (juce::uint8) ((seed >> (7 * i)) & 0x7F);
    bytes[ProgramImage::kCategoryOffset] = (juce::uint8) category;

    const auto codes = ProgramImage::encodeName (name);
    std::copy (codes.begin(), codes.end(), bytes + ProgramImage::kNameOffset);
    return program;
}

// Programs back to back, as a library holds them.
inline ProgramBlock libraryOf (std::initializer_list<juce::MemoryBlock> programs)
{
    ProgramBlock block;
    for (const auto& program : programs)
        block.append (program.getData(), 1);
    return block;
}

// Seeds 0 .. count - 1, categories cycling through the 26 named ones.
inline ProgramBlock numberedLibrary (int count)
{
    juce::MemoryBlock all;
    for (int i = 0; i < count; ++i)
        all.append (libraryProgram (i, i % ProgramImage::kNumCategories).getData(), (size_t) ProgramImage::kSize);
    return ProgramBlock (std::move (all));
}

// The file's bytes, written whole into the settings folder.
inline juce::File fileOfBytes (const juce::MemoryBlock& bytes, const char* name = "test.m_l")
{
    const auto file = getSettingsFolder().getNonexistentChildFile (juce::File::createLegalFileName (name), "");
    file.replaceWithData (bytes.getData(), bytes.getSize());
    return file;
}
