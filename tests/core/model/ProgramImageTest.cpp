#include "core/model/BankFolder.h"
#include "core/model/DSI_Program.h"
#include "support/ProgramDumps.h"

#include <gtest/gtest.h>

using namespace ProgramImage;

namespace
{
ByteArray bytesOf (std::initializer_list<int> values)
{
    ByteArray bytes;
    for (auto v : values)
        bytes.add ((juce::uint8) v);
    return bytes;
}

Block randomImage (juce::Random& random)
{
    Block image {};
    for (auto& b : image)
        b = (juce::uint8) random.nextInt (256);
    return image;
}

ByteArray initProgramDump()
{
    ByteArray dump;
    dump.addArray (BankFolder::getInitProgramDump(), BankFolder::kInitProgramDumpSize);
    return dump;
}
} // namespace

TEST (Packing, GroupCarriesTopBitsInItsLeadingByte)
{
    Block image {};
    const juce::uint8 group[] = { 0x81, 0x02, 0x83, 0x04, 0x05, 0x06, 0x87 };
    std::copy (std::begin (group), std::end (group), image.begin());

    const auto packed = pack (image);

    const juce::uint8 expected[] = { 0x45, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07 };
    EXPECT_TRUE (std::equal (std::begin (expected), std::end (expected), packed.begin()));
}

TEST (Packing, AllHighBitsFillEveryLeadingByte)
{
    Block image;
    image.fill (0x80);

    const auto packed = pack (image);

    for (int g = 0; g < 36; ++g)
    {
        EXPECT_EQ (packed[(size_t) (g * 8)], 0x7F) << "group " << g;
        for (int k = 1; k < 8; ++k)
            EXPECT_EQ (packed[(size_t) (g * 8 + k)], 0x00);
    }

    const juce::uint8 last[] = { 0x0F, 0, 0, 0, 0 };
    EXPECT_TRUE (std::equal (std::begin (last), std::end (last), packed.begin() + 288));
}

TEST (Packing, UnpackRestoresAnyImage)
{
    juce::Random random (1234);

    for (int i = 0; i < 200; ++i)
    {
        const auto image = randomImage (random);
        const auto packed = pack (image);

        for (auto b : packed)
            ASSERT_LT (b, 0x80) << "packed bytes must be 7-bit";

        ASSERT_EQ (unpack (packed.data()), image);
    }
}

TEST (Packing, InitProgramDumpIsThePackingOfTheInitImage)
{
    Block image {};
    const std::pair<int, int> values[] = {
        { 0, 24 }, { 1, 50 }, { 4, 1 }, { 6, 24 }, { 7, 50 }, { 10, 1 }, { 15, 12 }, { 20, 9 }, { 21, 108 },
        { 22, 26 }, { 23, 84 }, { 24, 1 }, { 25, 156 }, { 26, 82 }, { 28, 12 }, { 29, 110 }, { 30, 24 },
        { 31, 40 }, { 44, 9 }, { 47, 3 }, { 49, 9 }, { 54, 9 }, { 61, 40 }, { 62, 127 }, { 68, 24 },
        { 70, 20 }, { 71, 127 }, { 72, 13 }, { 73, 11 }, { 74, 127 }, { 75, 19 }, { 76, 15 }, { 77, 127 },
        { 78, 34 }, { 79, 11 }, { 80, 127 }, { 81, 21 }, { 82, 127 }, { 83, 41 }, { 84, 127 }, { 85, 9 },
        { 86, 127 }, { 87, 32 }, { 88, 127 }, { 90, 127 }, { 91, 11 }, { 92, 60 }, { 93, 100 }, { 95, 120 },
        { 96, 6 }, { 105, 71 }, { 106, 43 }, { 107, 48 }, { 108, 66 }, { 168, 15 }
    };
    for (auto [pos, value] : values)
        image[(size_t) pos] = (juce::uint8) value;

    const char* name = "Initial Program ";
    for (int i = 0; i < kNameLength; ++i)
        image[(size_t) (kNameOffset + i)] = (juce::uint8) name[i];

    EXPECT_EQ (buildEditBufferDump (image), initProgramDump());
}

struct LoadCase
{
    int length;
    bool accepted;
};

class LoadFromSysExLength : public testing::TestWithParam<LoadCase> {};

TEST_P (LoadFromSysExLength, AcceptsOnlyTheThreeDumpForms)
{
    const auto [length, accepted] = GetParam();
    juce::Random random (length);
    const auto image = randomImage (random);

    // Headers are deliberately wrong: only the length decides.
    ByteArray data;
    if (length == kSize)
    {
        data = toArray (image);
        data.set (0, 0xF0);
    }
    else
    {
        const int payloadOffset = length >= kProgramDumpSize ? kProgramDumpPayloadOffset : kEditBufferPayloadOffset;
        data.insertMultiple (0, 0x55, payloadOffset);
        const auto packed = pack (image);
        data.addArray (packed.data(), juce::jmin (kPackedSize, length - payloadOffset));
        while (data.size() < length)
            data.add (0x11);
    }

    DSI_Program program;
    const auto before = program.getProgramBlock();

    EXPECT_EQ (program.loadFromSysEx (data), accepted);

    if (! accepted)
    {
        EXPECT_EQ (program.getProgramBlock(), before);
        EXPECT_EQ (program.getName(), "Untitled        ");
        return;
    }

    auto expected = image;
    if (length == kSize)
        expected[0] = 0xF0;
    EXPECT_EQ (program.getProgramBlock(), expected);
}

INSTANTIATE_TEST_SUITE_P (Lengths, LoadFromSysExLength,
                          testing::Values (LoadCase { 256, true }, LoadCase { 298, true }, LoadCase { 300, true },
                                           LoadCase { 0, false }, LoadCase { 255, false }, LoadCase { 297, false },
                                           LoadCase { 299, false }, LoadCase { 301, false }),
                          [] (const auto& c) { return "Length" + std::to_string (c.param.length); });

TEST (DsiProgram, NewProgramIsTheInitProgramNamedUntitled)
{
    DSI_Program program;

    EXPECT_EQ (program.getName(), "Untitled        ");
    EXPECT_EQ (program.getCategory(), 0);

    auto dump = initProgramDump();
    DSI_Program init;
    init.loadFromSysEx (dump);
    for (int i = 0; i < kNameOffset; ++i)
        EXPECT_EQ (program.getProgramBlock()[(size_t) i], init.getProgramBlock()[(size_t) i]);
}

TEST (DsiProgram, SetNameStoresSixteenCodesWithSpacesForUnstorableCharacters)
{
    struct Case
    {
        juce::String name;
        juce::String stored;
    };

    const Case cases[] = {
        { "Bass", "Bass            " },
        { "Twenty characters..", "Twenty character" },
        { juce::String::fromUTF8 ("Caf\xc3\xa9 \xe2\x82\xac"), "Caf             " },
        { juce::String::charToString (0x2603) + "x", " x              " },
        { juce::String::charToString (0x13) + "y", " y              " },
        { "", "                " },
    };

    for (const auto& c : cases)
    {
        DSI_Program program;
        program.setName (c.name);
        EXPECT_EQ (program.getName(), c.stored) << c.name;
    }
}

TEST (DsiProgram, CodesAbove159AreStoredAsSpaces)
{
    EXPECT_EQ (DSI_Program::nameCharToCode (juce::String::charToString (0xE9)), 32);
    EXPECT_EQ (DSI_Program::nameCharToCode (juce::String::charToString (0x9F)), 0x9F);
    EXPECT_EQ (DSI_Program::nameCharToCode (juce::String::charToString (20)), 20);
    EXPECT_EQ (DSI_Program::nameCharToCode (juce::String::charToString (19)), 32);
    EXPECT_EQ (DSI_Program::nameCharToCode ("ab"), 32);
}

TEST (DsiProgram, NameOfZeroBytesIsEmpty)
{
    DSI_Program program;
    Block zero {};
    program.setProgram (toArray (zero));

    EXPECT_EQ (program.getName(), "");
}

TEST (DsiProgram, ShortImageReadsAsZeroPadded)
{
    ByteArray bytes;
    for (int i = 0; i < 100; ++i)
        bytes.add ((juce::uint8) (i + 1));

    DSI_Program program;
    program.setProgram (bytes);

    EXPECT_EQ (program.getProgramBytes().size(), 100);
    EXPECT_EQ (program.getCategory(), 0);

    const auto block = program.getProgramBlock();
    for (int i = 0; i < kSize; ++i)
        EXPECT_EQ (block[(size_t) i], i < 100 ? i + 1 : 0);
}

TEST (DsiProgram, BlocksOfOtherLengthsAreIgnored)
{
    DSI_Program program;
    const auto before = program.getProgramBlock();

    program.setProgramBlock (juce::MemoryBlock (255, true));
    program.unpackDumpData (bytesOf ({ 1, 2, 3 }));

    EXPECT_EQ (program.getProgramBlock(), before);
}

TEST (DsiProgram, CollectFindsEveryCompleteProgramDump)
{
    juce::Random random (7);
    const auto dumpOf = [&random] (int bank, int prog) {
        const auto dump = ::buildProgramDump (bank, prog, randomImage (random));
        return ByteArray (dump.data(), (int) dump.size());
    };

    ByteArray stream;
    stream.addArray (dumpOf (0, 0));
    stream.addArray (bytesOf ({ 0x01, 0xF0, 0x33 }));
    stream.addArray (dumpOf (0, 1));

    auto broken = dumpOf (0, 2);
    broken.set (kProgramDumpSize - 1, 0x00);
    stream.addArray (broken);

    auto shortDump = dumpOf (0, 3);
    shortDump.remove (10);
    stream.addArray (shortDump);

    DSI_Program program;
    const auto count = program.collectProgramDumps (juce::MemoryBlock (stream.getRawDataPointer(), (size_t) stream.size()));

    EXPECT_EQ (count, 2);
    EXPECT_EQ (program.getDumpCount(), 2);
    EXPECT_EQ (program.getProgramBytes().size(), 600);
}

TEST (DsiProgram, EditBufferDumpRoundTrips)
{
    juce::Random random (99);
    const auto image = toArray (randomImage (random));

    const auto dump = DSI_Program::buildEditBufferDump (image);

    ASSERT_EQ (dump.size(), kEditBufferDumpSize);
    EXPECT_EQ (dump[0], 0xF0);
    EXPECT_EQ (dump[1], 0x01);
    EXPECT_EQ (dump[2], 0x25);
    EXPECT_EQ (dump[3], 0x03);
    EXPECT_EQ (dump[297], 0xF7);

    DSI_Program program;
    ASSERT_TRUE (program.loadFromSysEx (dump));
    EXPECT_EQ (program.getProgramBlock(), toBlock (image));
}
