#pragma once

#include "core/model/ProgramImage.h"

// Whole program images back to back; program i occupies bytes i * 256 to
// i * 256 + 255, and a remainder shorter than a program is ignored. Plain
// data: one owner, one thread at a time.
class ProgramBlock
{
public:
    static constexpr int kProgramSize = ProgramImage::kSize;

    ProgramBlock() = default;
    explicit ProgramBlock (juce::MemoryBlock programs) : data (std::move (programs)) {}

    int getNumPrograms() const noexcept { return (int) (data.getSize() / (size_t) kProgramSize); }
    bool isEmpty() const noexcept { return getNumPrograms() == 0; }

    const juce::uint8* getProgramData (int index) const noexcept;
    const juce::MemoryBlock& getData() const noexcept { return data; }

    // True when a program with the same 256 bytes is in the block.
    bool findProgram (const juce::uint8* program) const noexcept;

    // Appends a program of exactly 256 bytes unless an identical one is present.
    bool appendIfNew (const juce::MemoryBlock& program);

    // Appends whole programs, whether or not the block already holds them.
    void append (const void* programs, int numPrograms);

    juce::String getProgramName (int index) const;
    void setProgramName (int index, const juce::String& name);
    int getCategory (int index) const noexcept; // -1 outside the block
    void setCategory (int index, int category);

    juce::MemoryBlock copyProgram (int index) const;
    void removeProgram (int index);
    void clear() { data.reset(); }

    static bool sameProgram (const juce::uint8* a, const juce::uint8* b) noexcept;

private:
    juce::uint8* writableProgram (int index) noexcept;
    bool contains (int index) const noexcept { return index >= 0 && index < getNumPrograms(); }

    juce::MemoryBlock data;
};
