#pragma once

#include "core/midi/MophoSysEx.h"

#include <vector>

// Puts a SysEx back together from the pieces a driver delivers. MIDI lets only
// real-time bytes into a SysEx: they pass without joining it, and any other
// status byte ends the one being assembled, which would otherwise swallow the
// message and be corrupted. One that grows past the bound is dropped.
// One thread only (the MIDI input thread); no allocation after construction.
class SysExAssembler
{
public:
    static constexpr int kMaxBytes = MophoSysEx::kMaxAssembledBytes;

    SysExAssembler();

    // True for a byte that ends the SysEx being assembled.
    static constexpr bool endsSysEx (juce::uint8 byte) noexcept
    {
        return byte >= 0x80 && byte < 0xF8 && byte != ProgramImage::kSysExStart && byte != ProgramImage::kSysExEnd;
    }

    // Every message that arrives, whatever else becomes of it: only its first
    // byte counts here.
    void notice (juce::uint8 firstByte) noexcept;

    // A message or piece of one that belongs to a SysEx. True when it completes
    // one, which getMessage() then holds until the next call.
    bool add (const juce::uint8* data, int size);

    const juce::uint8* getMessage() const noexcept { return buffer.data(); }
    int getMessageSize() const noexcept { return (int) buffer.size(); }
    bool isAssembling() const noexcept { return ! buffer.empty() && ! complete; }

private:
    void dropCompleted() noexcept;

    std::vector<juce::uint8> buffer;
    bool complete = false;
};
