#pragma once

#include <juce_core/juce_core.h>

#include <array>

// Hardware notes on their way to the host: written by the MIDI input thread,
// read by the audio thread, without a lock between them. Stamps are the
// system's millisecond counter; only their differences are used, so its wrap
// after 49 days does no harm.
class DeviceInputFifo
{
public:
    static constexpr int kCapacity = 1024;

    struct Note
    {
        juce::uint32 stamp = 0;
        juce::uint8 size = 0;
        std::array<juce::uint8, 3> bytes {};
    };

    // MIDI input thread. False when full (the host has stopped taking notes).
    bool push (const juce::uint8* data, int size, juce::uint32 stamp) noexcept
    {
        if (size <= 0 || size > 3)
            return false;

        const auto scope = fifo.write (1);
        if (scope.blockSize1 == 0)
            return false;

        auto& note = notes[(size_t) scope.startIndex1];
        note.stamp = stamp;
        note.size = (juce::uint8) size;
        std::copy (data, data + size, note.bytes.begin());
        return true;
    }

    // The consuming thread (audio, or the message thread while no audio runs).
    // Takes every note waiting, oldest first, into dest; returns how many.
    int popAll (Note* dest) noexcept
    {
        const auto scope = fifo.read (fifo.getNumReady());
        int n = 0;
        for (int i = 0; i < scope.blockSize1; ++i)
            dest[n++] = notes[(size_t) (scope.startIndex1 + i)];
        for (int i = 0; i < scope.blockSize2; ++i)
            dest[n++] = notes[(size_t) (scope.startIndex2 + i)];
        return n;
    }

    void clear() noexcept { fifo.read (fifo.getNumReady()); }

private:
    juce::AbstractFifo fifo { kCapacity };
    std::array<Note, kCapacity> notes {};
};
