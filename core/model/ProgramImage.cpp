#include "core/model/ProgramImage.h"

namespace ProgramImage
{
namespace
{
constexpr int kGroupSize = 7;
constexpr int kFullGroups = kSize / kGroupSize; // 36 groups of 7, then one of 4
} // namespace

Block toBlock (const ByteArray& image, int offset)
{
    Block block {};
    for (int i = 0; i < kSize; ++i)
        block[(size_t) i] = image[offset + i]; // juce::Array returns 0 out of range
    return block;
}

ByteArray toArray (const Block& block)
{
    ByteArray array;
    array.addArray (block.data(), kSize);
    return array;
}

Packed pack (const Block& image)
{
    Packed packed {};
    int out = 0;

    for (int start = 0; start < kSize; start += kGroupSize)
    {
        const int count = juce::jmin (kGroupSize, kSize - start);
        juce::uint8 lead = 0;

        for (int k = 0; k < count; ++k)
            if ((image[(size_t) (start + k)] & 0x80) != 0)
                lead = (juce::uint8) (lead | (1 << k));

        packed[(size_t) out++] = lead;

        for (int k = 0; k < count; ++k)
            packed[(size_t) out++] = (juce::uint8) (image[(size_t) (start + k)] & 0x7F);
    }

    jassert (out == kPackedSize);
    return packed;
}

Block unpack (const juce::uint8* packed)
{
    Block image {};
    int in = 0;

    for (int group = 0; group <= kFullGroups; ++group)
    {
        const int start = group * kGroupSize;
        const int count = juce::jmin (kGroupSize, kSize - start);
        const juce::uint8 lead = packed[in++];

        for (int k = 0; k < count; ++k)
        {
            const auto high = (juce::uint8) (((lead >> k) & 1) << 7);
            image[(size_t) (start + k)] = (juce::uint8) ((packed[in++] & 0x7F) | high);
        }
    }

    jassert (in == kPackedSize);
    return image;
}

ByteArray buildEditBufferDump (const Block& image)
{
    const auto packed = pack (image);

    ByteArray dump;
    dump.ensureStorageAllocated (kEditBufferDumpSize);
    dump.addArray ({ kSysExStart, kManufacturerId, kDeviceId, kEditBufferDumpCommand });
    dump.addArray (packed.data(), kPackedSize);
    dump.add (kSysExEnd);
    return dump;
}

ByteArray buildProgramDump (int bank, int program, const Block& image)
{
    const auto packed = pack (image);

    ByteArray dump;
    dump.ensureStorageAllocated (kProgramDumpSize);
    dump.addArray ({ kSysExStart, kManufacturerId, kDeviceId, kProgramDumpCommand, (juce::uint8) (bank & 0x7F),
                     (juce::uint8) (program & 0x7F) });
    dump.addArray (packed.data(), kPackedSize);
    dump.add (kSysExEnd);
    jassert (dump.size() == kProgramDumpSize);
    return dump;
}

int nameCharToCode (const juce::String& character)
{
    if (character.length() == 1)
    {
        const auto code = (int) character[0];
        if (code >= kNameCodeMin && code <= kNameCodeMax)
            return code;
    }

    return ' ';
}

juce::String readName (const ByteArray& bytes, int offset)
{
    juce::String name;

    for (int i = 0; i < kNameLength; ++i)
        if (const auto code = bytes[offset + i]; code != 0)
            name += juce::String::charToString ((juce::juce_wchar) code);

    return name;
}

std::array<juce::uint8, kNameLength> encodeName (const juce::String& name, juce::String* paddedName)
{
    auto text = name.substring (0, kNameLength);
    text = text.paddedRight (' ', kNameLength);

    std::array<juce::uint8, kNameLength> codes {};
    for (int i = 0; i < kNameLength; ++i)
        codes[(size_t) i] = (juce::uint8) nameCharToCode (juce::String::charToString (text[i]));

    if (paddedName != nullptr)
        *paddedName = text;

    return codes;
}
} // namespace ProgramImage
