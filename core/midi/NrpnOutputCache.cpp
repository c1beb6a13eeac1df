#include "core/midi/NrpnOutputCache.h"

#include <algorithm>

NrpnOutputCache::Form NrpnOutputCache::formFor (int newNumber, int value, double newDue) const noexcept
{
    const int newMsb = (value >> 7) & 0x7F;
    const int newLsb = value & 0x7F;

    if (newNumber == number && newMsb == msb && newLsb == lsb)
        return Form::none;

    // A shortened sequence relies on the number (and MSB) of the cached one
    // already standing in the synthesizer: only when that sequence is the last
    // one to arrive, and this one arrives no earlier. Otherwise, with delayed
    // and immediate sends mixed, it could land on another parameter.
    const bool cacheArrivesLast = due >= latestDue && newDue >= latestDue;

    if (newNumber != number || ! cacheArrivesLast)
        return Form::full;

    return newMsb != msb ? Form::valueMsbAndLsb : Form::valueLsb;
}

void NrpnOutputCache::sent (int newNumber, int value, double newDue) noexcept
{
    number = newNumber;
    msb = (value >> 7) & 0x7F;
    lsb = value & 0x7F;
    due = newDue;
    latestDue = std::max (latestDue, newDue);
}

void NrpnOutputCache::sentUncached (double newDue) noexcept
{
    number = kNone;
    latestDue = std::max (latestDue, newDue);
}
