#pragma once

// The last NRPN sent to the synthesizer, so that a repeat is dropped and a
// change of the same parameter goes out shortened: the synthesizer keeps the
// number (and value MSB) of the last NRPN it received.
// Not thread-safe: its owner guards it together with the sending.
class NrpnOutputCache
{
public:
    // Which of the four controller messages (number MSB and LSB, value MSB
    // and LSB) a send needs.
    enum class Form
    {
        none,          // the same value of the same parameter: nothing
        valueLsb,      // same parameter and MSB
        valueMsbAndLsb, // same parameter
        full
    };

    // For a send of this value to this number, arriving at the due time (ms).
    Form formFor (int number, int value, double due) const noexcept;

    // After a send in the form formFor gave.
    void sent (int number, int value, double due) noexcept;
    // After a full sequence sent outside the cache, which it leaves empty.
    void sentUncached (double due) noexcept;
    void forget() noexcept { number = kNone; }

    int getNumber() const noexcept { return number; }
    int getMsb() const noexcept { return msb; }
    int getLsb() const noexcept { return lsb; }
    double getDue() const noexcept { return due; }

    static constexpr int kNone = -1;

private:
    int number = kNone, msb = 0, lsb = 0;
    double due = 0, latestDue = 0;
};
