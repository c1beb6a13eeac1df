#include "core/storage/BankDataFile.h"

namespace BankDataFile
{
juce::MemoryBlock build (const Bank_Program& bankA, const Bank_Program& bankB, const Bank_Program& bankC)
{
    juce::MemoryBlock block;

    block.append (stringToBytes ("*Mopho  Data >").getData(), kHeaderSize);

    // Every bank takes exactly its 32768 bytes, so a short bank never shifts
    // the ones after it.
    for (const auto* bank : { &bankA, &bankB, &bankC })
        for (int slot = 0; slot < Bank_Program::kNumPrograms; ++slot)
            block.append (bank->getProgramBlock (slot).data(), ProgramImage::kSize);

    block.append (stringToBytes ("< Mopho  Data").getData(), kTrailerSize);
    return block;
}
} // namespace BankDataFile

juce::MemoryBlock stringToBytes (const juce::String& text)
{
    juce::MemoryBlock block;

    for (auto c : text)
    {
        const auto byte = (juce::uint8) (c & 0xFF);
        block.append (&byte, 1);
    }

    return block;
}

juce::MemoryBlock arrayToBlock (const ByteArray& bytes)
{
    return juce::MemoryBlock (bytes.begin(), (size_t) bytes.size());
}
