#pragma once

#include "core/model/ProgramImage.h"

#include <juce_core/juce_core.h>

#include <functional>
#include <vector>

// Sends program dumps to the synthesizer one after another from a thread of
// its own, spaced so that the synthesizer has stored each program before the
// next one reaches it. Started and stopped on the message thread; the send and
// finish functions run on the transmit thread.
class BankTransmitter : private juce::Thread
{
public:
    // The silence the synthesizer gets after each dump before the next one
    // starts arriving. It writes every program it receives into its memory and
    // takes no MIDI in meanwhile; a dump that arrives during the write is lost.
    // 100 ms covers the write with room to spare, and costs 13 s of a bank's 25.
    static constexpr double kGapBetweenDumpsMs = 100.0;

    // The synthesizer's only MIDI connection is the DIN socket: 31250 baud, ten
    // bits a byte. A dump handed to the interface is still on the cable for its
    // size at this rate, which the spacing waits out as well: the interface does
    // not tell when the last byte has left.
    static constexpr double kDinBytesPerSecond = 3125.0;

    // From handing one dump over to handing over the next.
    static double spacingMs (int dumpSize) noexcept { return dumpSize * 1000.0 / kDinBytesPerSecond + kGapBetweenDumpsMs; }

    struct Dump
    {
        int bank = 0, program = 0;
        ByteArray bytes;
    };

    // send returns false when the dump could not leave (the output closed): the
    // transmission stops there and finished is not called.
    using SendFunction = std::function<bool (const Dump&)>;
    using FinishFunction = std::function<void()>;

    BankTransmitter();
    ~BankTransmitter() override;

    // A running transmission is stopped first.
    void start (std::vector<Dump> dumps, SendFunction send, FinishFunction finished);

    // Returns once the thread is gone: a dump being handed over leaves whole,
    // none after it.
    void stop();

    bool isRunning() const { return isThreadRunning(); }

private:
    void run() override;
    bool waitUntil (double dueMs);

    // Written on the message thread only while no thread runs; read by the thread.
    std::vector<Dump> queued;
    SendFunction send;
    FinishFunction finish;

    JUCE_DECLARE_NON_COPYABLE (BankTransmitter)
};
