#pragma once

#include <atomic>

// Where a bank transfer stands, and what each arriving program dump means for
// it. A receive asks for the programs of a bank one by one, each request sent
// only when the answer to the previous one has arrived.
// Started and ended by the editor (message thread), moved on by the dumps
// (MIDI input thread); every field is atomic on its own.
class BankTransfer
{
public:
    // Operations: 0 receives one bank, 7 every bank from the starting one up
    // to C; 100 transmits one bank, 107 every bank from the starting one.
    static constexpr int kReceiveOneBank = 0;
    static constexpr int kReceiveAllBanks = 7;
    static constexpr int kTransmitOneBank = 100;
    static constexpr int kTransmitAllBanks = 107;
    static constexpr int kNoTransfer = -1;
    static constexpr int kNumBanks = 3;
    static constexpr int kNumPrograms = 128;

    struct Request
    {
        int bank = -1, program = -1;
    };

    // True when the operation receives and the bank exists: the first request
    // is then pending and is the caller's to send.
    bool start (int operation, int startBank) noexcept;
    void end() noexcept;

    struct Step
    {
        enum Kind
        {
            notFetching,  // no receive under way: the dump is the caller's as usual
            ignore,       // stored, but not the awaited answer
            requestNext,  // the answer: send the request in next, now pending
            finish        // the answer, and the last one
        };

        Kind kind = notFetching;
        Request next;
    };

    // A program dump for a bank of ours has arrived and been stored.
    Step onProgramDump (int bank, int program) noexcept;

    bool isBusy() const noexcept { return busy; }
    bool isFetching() const noexcept { return fetching; }
    int getOperation() const noexcept { return operation; }
    Request getPending() const noexcept { return { pendingBank, pendingProgram }; }

private:
    void setPending (int bank, int program) noexcept;

    std::atomic<bool> busy { false }, fetching { false };
    std::atomic<int> operation { kNoTransfer };
    std::atomic<int> pendingBank { -1 }, pendingProgram { -1 };
};
