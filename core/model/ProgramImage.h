#pragma once

#include <juce_core/juce_core.h>
#include <array>

// A program as its holders keep it: a growable byte array that may be shorter
// than a full image after some operations; readers treat missing bytes as 0.
using ByteArray = juce::Array<juce::uint8>;

// Layout of one Mopho program image and of the SysEx dumps that carry it.
namespace ProgramImage
{
constexpr int kSize = 256;
constexpr int kPackedSize = 293;
constexpr int kEditBufferDumpSize = 298;
constexpr int kProgramDumpSize = 300;

constexpr int kEditBufferPayloadOffset = 4;
constexpr int kProgramDumpBankOffset = 4;
constexpr int kProgramDumpProgramOffset = 5;
constexpr int kProgramDumpPayloadOffset = 6;

constexpr juce::uint8 kSysExStart = 0xF0;
constexpr juce::uint8 kSysExEnd = 0xF7;
constexpr juce::uint8 kManufacturerId = 0x01;
constexpr juce::uint8 kDeviceId = 0x25;
constexpr juce::uint8 kProgramDumpCommand = 0x02;
constexpr juce::uint8 kEditBufferDumpCommand = 0x03;

constexpr int kNumEditParameters = 105; // bytes 0-104
constexpr int kKnobAssignOffset = 105;  // four knobs, 105-108
constexpr int kCategoryOffset = 117;
constexpr int kNumCategories = 26;
constexpr int kSequencerOffset = 120;
constexpr int kSequencerTracks = 4;
constexpr int kSequencerSteps = 16;
constexpr int kNameOffset = 184;
constexpr int kNameLength = 16;
constexpr int kNameCodeMin = 20;
constexpr int kNameCodeMax = 159;

using Block = std::array<juce::uint8, kSize>;
using Packed = std::array<juce::uint8, kPackedSize>;

// The first 256 bytes of an image, missing bytes as 0.
Block toBlock (const ByteArray& image, int offset = 0);
ByteArray toArray (const Block& block);

// DSI packing: every 7 bytes travel as 8, the leading byte carrying the top bits
// (bit k for the group's k-th byte). The last group holds 4 bytes.
Packed pack (const Block& image);
Block unpack (const juce::uint8* packed); // reads exactly kPackedSize bytes

// F0 01 25 03, the packed image, F7.
ByteArray buildEditBufferDump (const Block& image);

// F0 01 25 02, bank, program, the packed image, F7: the synthesizer stores it
// in that slot.
ByteArray buildProgramDump (int bank, int program, const Block& image);

// Character code stored for a name character: its code point when 20-159, else a space.
int nameCharToCode (const juce::String& character);

// Reads 16 name bytes from an image at the given offset; a 0 byte adds nothing.
juce::String readName (const ByteArray& bytes, int offset);

// The name as 16 codes: cut to 16 characters, padded with spaces.
std::array<juce::uint8, kNameLength> encodeName (const juce::String& name, juce::String* paddedName = nullptr);
} // namespace ProgramImage
