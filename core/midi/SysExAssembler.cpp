#include "core/midi/SysExAssembler.h"

using namespace ProgramImage;

SysExAssembler::SysExAssembler()
{
    buffer.reserve ((size_t) kMaxBytes);
}

void SysExAssembler::dropCompleted() noexcept
{
    if (complete)
    {
        buffer.clear();
        complete = false;
    }
}

void SysExAssembler::notice (juce::uint8 firstByte) noexcept
{
    dropCompleted();

    if (endsSysEx (firstByte))
        buffer.clear();
}

bool SysExAssembler::add (const juce::uint8* data, int size)
{
    dropCompleted();

    if (data == nullptr || size <= 0)
        return false;

    if (data[0] == kSysExStart)
    {
        if (size > kMaxBytes)
        {
            buffer.clear();
            return false;
        }
        buffer.assign (data, data + size);
    }
    else if (data[0] >= 0xF8)
    {
        return false;
    }
    else if (endsSysEx (data[0]))
    {
        buffer.clear();
        return false;
    }
    else if (! buffer.empty())
    {
        if (buffer.size() + (size_t) size > (size_t) kMaxBytes)
        {
            buffer.clear();
            return false;
        }
        buffer.insert (buffer.end(), data, data + size);
    }

    complete = buffer.size() >= 2 && buffer.front() == kSysExStart && buffer.back() == kSysExEnd;
    return complete;
}
