#include "windows/library/ProgramBlock.h"

#include <cstring>

using namespace ProgramImage;

namespace
{
// A name byte the display shows as itself; the rest, control codes and the
// upper half alike, show as "A".
constexpr int kFirstShownNameByte = 32;
constexpr char kHiddenNameByte = 'A';
} // namespace

const juce::uint8* ProgramBlock::getProgramData (int index) const noexcept
{
    return contains (index) ? static_cast<const juce::uint8*> (data.getData()) + (size_t) index * kProgramSize : nullptr;
}

juce::uint8* ProgramBlock::writableProgram (int index) noexcept
{
    return contains (index) ? static_cast<juce::uint8*> (data.getData()) + (size_t) index * kProgramSize : nullptr;
}

bool ProgramBlock::sameProgram (const juce::uint8* a, const juce::uint8* b) noexcept
{
    // Category and name differ between most programs: they settle most
    // comparisons before the whole image is compared.
    return a[kCategoryOffset] == b[kCategoryOffset] && a[kNameOffset] == b[kNameOffset]
        && a[kNameOffset + 3] == b[kNameOffset + 3] && std::memcmp (a, b, (size_t) kProgramSize) == 0;
}

bool ProgramBlock::findProgram (const juce::uint8* program) const noexcept
{
    for (int i = 0, n = getNumPrograms(); i < n; ++i)
        if (sameProgram (getProgramData (i), program))
            return true;

    return false;
}

bool ProgramBlock::appendIfNew (const juce::MemoryBlock& program)
{
    if (program.getSize() != (size_t) kProgramSize)
        return false;

    const auto* bytes = static_cast<const juce::uint8*> (program.getData());
    if (findProgram (bytes))
        return false;

    append (bytes, 1);
    return true;
}

void ProgramBlock::append (const void* programs, int numPrograms)
{
    if (numPrograms > 0)
        data.append (programs, (size_t) numPrograms * kProgramSize);
}

juce::String ProgramBlock::getProgramName (int index) const
{
    const auto* program = getProgramData (index);
    if (program == nullptr)
        return {};

    juce::String name;
    for (int i = 0; i < kNameLength; ++i)
    {
        const auto value = (juce::int8) program[kNameOffset + i];
        name << juce::String::charToString (value >= kFirstShownNameByte ? (juce::juce_wchar) value : kHiddenNameByte);
    }
    return name;
}

void ProgramBlock::setProgramName (int index, const juce::String& name)
{
    if (auto* program = writableProgram (index))
    {
        const auto codes = encodeName (name);
        std::memcpy (program + kNameOffset, codes.data(), codes.size());
    }
}

int ProgramBlock::getCategory (int index) const noexcept
{
    const auto* program = getProgramData (index);
    return program != nullptr ? program[kCategoryOffset] : -1;
}

void ProgramBlock::setCategory (int index, int category)
{
    if (auto* program = writableProgram (index))
        program[kCategoryOffset] = (juce::uint8) category;
}

juce::MemoryBlock ProgramBlock::copyProgram (int index) const
{
    const auto* program = getProgramData (index);
    return program != nullptr ? juce::MemoryBlock (program, (size_t) kProgramSize) : juce::MemoryBlock();
}

void ProgramBlock::removeProgram (int index)
{
    if (contains (index))
        data.removeSection ((size_t) index * kProgramSize, (size_t) kProgramSize);
}
