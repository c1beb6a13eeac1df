#pragma once

#include "core/model/Bank_Program.h"

// The hardware banks A, B and C between a header and a trailer text, each bank
// at a fixed offset.
namespace BankDataFile
{
constexpr int kHeaderSize = 14;
constexpr int kTrailerSize = 13;
constexpr int kSize = kHeaderSize + 3 * Bank_Program::kBankBytes + kTrailerSize; // 98331
constexpr int kSmallestImage = 1001; // anything shorter gives the factory banks

constexpr int bankOffset (int bankIndex) { return kHeaderSize + bankIndex * Bank_Program::kBankBytes; }

juce::MemoryBlock build (const Bank_Program& bankA, const Bank_Program& bankB, const Bank_Program& bankC);
} // namespace BankDataFile

// One byte per character: the low 8 bits of its code.
juce::MemoryBlock stringToBytes (const juce::String& text);
juce::MemoryBlock arrayToBlock (const ByteArray& bytes);
