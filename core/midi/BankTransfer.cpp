#include "core/midi/BankTransfer.h"

void BankTransfer::setPending (int bank, int program) noexcept
{
    pendingBank = bank;
    pendingProgram = program;
}

bool BankTransfer::start (int newOperation, int startBank) noexcept
{
    operation = newOperation;
    busy = true;

    const bool receives = newOperation == kReceiveOneBank || newOperation == kReceiveAllBanks;
    if (! receives || startBank < 0 || startBank >= kNumBanks)
        return false;

    fetching = true;
    setPending (startBank, 0);
    return true;
}

void BankTransfer::end() noexcept
{
    busy = false;
    fetching = false;
    operation = kNoTransfer;
    setPending (-1, -1);
}

BankTransfer::Step BankTransfer::onProgramDump (int bank, int program) noexcept
{
    if (! fetching)
        return {};

    // Only the answer to the pending request moves the transfer on; a dump
    // sent from the synthesizer's panel meanwhile is just stored.
    if (bank != pendingBank || program != pendingProgram || ! busy)
        return { Step::ignore, {} };

    if (program < kNumPrograms - 1)
        setPending (bank, program + 1);
    else if (operation != kReceiveAllBanks || bank == kNumBanks - 1)
        setPending (-1, -1);
    else
        setPending (bank + 1, 0);

    if (pendingBank < 0)
        return { Step::finish, {} };

    return { Step::requestNext, getPending() };
}
