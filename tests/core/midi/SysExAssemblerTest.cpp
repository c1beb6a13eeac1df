#include "core/midi/SysExAssembler.h"

#include <gtest/gtest.h>

namespace
{
using Bytes = std::vector<juce::uint8>;

// What an input of messages gives: every SysEx completed, in order. Each
// message is noticed first, as the hub does with all input.
std::vector<Bytes> assemble (const std::vector<Bytes>& messages)
{
    SysExAssembler assembler;
    std::vector<Bytes> completed;

    for (const auto& m : messages)
    {
        assembler.notice (m.empty() ? 0 : m[0]);
        if (assembler.add (m.data(), (int) m.size()))
            completed.emplace_back (assembler.getMessage(), assembler.getMessage() + assembler.getMessageSize());
    }

    return completed;
}

Bytes sysExOfSize (int size)
{
    Bytes bytes ((size_t) size, 0x11);
    bytes.front() = 0xF0;
    bytes.back() = 0xF7;
    return bytes;
}
} // namespace

TEST (SysExAssembler, PiecesBecomeWholeMessagesUnderTheMidiRules)
{
    const Bytes dump { 0xF0, 0x01, 0x25, 0x0F, 0x05, 0x01, 0xF7 };

    struct Case
    {
        const char* what;
        std::vector<Bytes> input;
        std::vector<Bytes> completed;
    };

    const Case cases[] = {
        { "whole in one message", { dump }, { dump } },
        { "in three pieces", { { 0xF0, 0x01, 0x25 }, { 0x0F, 0x05 }, { 0x01, 0xF7 } }, { dump } },
        { "a clock byte inside passes", { { 0xF0, 0x01, 0x25 }, { 0xF8 }, { 0x0F, 0x05, 0x01, 0xF7 } }, { dump } },
        { "an active-sensing byte inside passes", { { 0xF0, 0x01, 0x25, 0x0F }, { 0xFE }, { 0x05, 0x01, 0xF7 } }, { dump } },
        { "a note inside ends it", { { 0xF0, 0x01, 0x25 }, { 0x90, 0x40, 0x7F }, { 0x0F, 0x05, 0x01, 0xF7 } }, {} },
        { "a controller inside ends it", { { 0xF0, 0x01 }, { 0xB0, 0x26, 0x01 }, { 0x25, 0x0F, 0x05, 0x01, 0xF7 } }, {} },
        { "a song-position byte inside ends it", { { 0xF0, 0x01 }, { 0xF2, 0x00, 0x00 }, { 0x25, 0x0F, 0xF7 } }, {} },
        { "a new start replaces the unfinished one", { { 0xF0, 0x7E, 0x00 }, { 0xF0, 0x01, 0x25 }, { 0x0F, 0x05, 0x01, 0xF7 } }, { dump } },
        { "pieces without a start are nothing", { { 0x01, 0x25 }, { 0x0F, 0xF7 } }, {} },
        { "an end alone is nothing", { { 0xF7 } }, {} },
        { "two in a row", { dump, { 0xF0, 0x01 }, { 0xF7 } }, { dump, { 0xF0, 0x01, 0xF7 } } },
        { "after a completed one, a piece starts nothing", { dump, { 0x05, 0xF7 } }, { dump } },
        { "the bound itself is kept", { sysExOfSize (SysExAssembler::kMaxBytes) }, { sysExOfSize (SysExAssembler::kMaxBytes) } },
        { "one past the bound in one message is dropped", { sysExOfSize (SysExAssembler::kMaxBytes + 1) }, {} },
        { "growing past the bound drops it and what follows",
          { { 0xF0 }, Bytes ((size_t) SysExAssembler::kMaxBytes - 1, 0x11), { 0x11, 0xF7 } }, {} },
        { "an empty message changes nothing", { { 0xF0, 0x01, 0x25 }, {}, { 0x0F, 0x05, 0x01, 0xF7 } }, { dump } },
    };

    for (const auto& c : cases)
        EXPECT_EQ (assemble (c.input), c.completed) << c.what;
}

TEST (SysExAssembler, OnlyTheFirstByteOfANoticedMessageCounts)
{
    struct Case
    {
        juce::uint8 first;
        bool ends;
    };

    const Case cases[] = { { 0x80, true },  { 0x9F, true },  { 0xB0, true },  { 0xE5, true }, { 0xF1, true },
                           { 0xF6, true },  { 0xF0, false }, { 0xF7, false }, { 0xF8, false }, { 0xFA, false },
                           { 0xFF, false }, { 0x00, false }, { 0x7F, false } };

    for (const auto& c : cases)
    {
        SysExAssembler assembler;
        const Bytes start { 0xF0, 0x01 };
        assembler.add (start.data(), (int) start.size());

        assembler.notice (c.first);

        EXPECT_EQ (assembler.isAssembling(), ! c.ends) << std::hex << (int) c.first;
        EXPECT_EQ (SysExAssembler::endsSysEx (c.first), c.ends) << std::hex << (int) c.first;
    }
}
