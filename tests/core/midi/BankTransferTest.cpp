#include "core/midi/BankTransfer.h"

#include <gtest/gtest.h>

namespace
{
using Step = BankTransfer::Step;

bool operator== (BankTransfer::Request a, BankTransfer::Request b) { return a.bank == b.bank && a.program == b.program; }
} // namespace

TEST (BankTransfer, StartingAsksForTheFirstProgramOnlyWhenItReceivesFromABankOfOurs)
{
    struct Case
    {
        int operation, startBank;
        bool fetches;
    };

    const Case cases[] = { { BankTransfer::kReceiveOneBank, 0, true }, { BankTransfer::kReceiveAllBanks, 2, true },
                           { BankTransfer::kReceiveOneBank, 3, false }, { BankTransfer::kReceiveAllBanks, -1, false },
                           { 100, 0, false },                          { 107, 1, false } };

    for (const auto& c : cases)
    {
        BankTransfer transfer;

        EXPECT_EQ (transfer.start (c.operation, c.startBank), c.fetches) << c.operation << " from " << c.startBank;

        EXPECT_TRUE (transfer.isBusy()) << "a transmission shows its progress too";
        EXPECT_EQ (transfer.getOperation(), c.operation);
        EXPECT_EQ (transfer.isFetching(), c.fetches);
        const BankTransfer::Request first { c.startBank, 0 }, none {};
        EXPECT_TRUE (transfer.getPending() == (c.fetches ? first : none));
    }
}

// Each case starts a transfer, lets it reach the pending request given, then
// hands it one dump.
TEST (BankTransfer, EachDumpIsIgnoredOrMovesTheTransferOn)
{
    struct Case
    {
        const char* what;
        int operation, startBank;
        BankTransfer::Request pending, dump;
        Step::Kind kind;
        BankTransfer::Request next;
    };

    const Case cases[] = {
        { "the answer asks for the next program", BankTransfer::kReceiveOneBank, 1, { 1, 0 }, { 1, 0 }, Step::requestNext, { 1, 1 } },
        { "mid-bank", BankTransfer::kReceiveOneBank, 0, { 0, 64 }, { 0, 64 }, Step::requestNext, { 0, 65 } },
        { "one bank ends with its last program", BankTransfer::kReceiveOneBank, 1, { 1, 127 }, { 1, 127 }, Step::finish, {} },
        { "all banks go on to the next", BankTransfer::kReceiveAllBanks, 0, { 0, 127 }, { 0, 127 }, Step::requestNext, { 1, 0 } },
        { "all banks end after C", BankTransfer::kReceiveAllBanks, 1, { 2, 127 }, { 2, 127 }, Step::finish, {} },
        { "a panel dump of another program", BankTransfer::kReceiveOneBank, 0, { 0, 5 }, { 0, 9 }, Step::ignore, { 0, 5 } },
        { "a panel dump of another bank", BankTransfer::kReceiveAllBanks, 0, { 0, 5 }, { 2, 5 }, Step::ignore, { 0, 5 } },
    };

    for (const auto& c : cases)
    {
        BankTransfer transfer;
        ASSERT_TRUE (transfer.start (c.operation, c.startBank));
        for (auto at = BankTransfer::Request { c.startBank, 0 }; ! (at == c.pending);)
            at = transfer.onProgramDump (at.bank, at.program).next;

        const auto step = transfer.onProgramDump (c.dump.bank, c.dump.program);

        EXPECT_EQ (step.kind, c.kind) << c.what;
        if (c.kind == Step::requestNext)
            EXPECT_TRUE (step.next == c.next) << c.what;
        const BankTransfer::Request none {};
        EXPECT_TRUE (transfer.getPending() == (c.kind == Step::finish ? none : c.next)) << c.what;
    }
}

TEST (BankTransfer, WithoutAReceiveOrAfterTheEndDumpsAreNotItsBusiness)
{
    BankTransfer idle;
    EXPECT_EQ (idle.onProgramDump (0, 0).kind, Step::notFetching);

    BankTransfer sending;
    sending.start (100, 0);
    EXPECT_EQ (sending.onProgramDump (0, 0).kind, Step::notFetching);

    BankTransfer ended;
    ended.start (BankTransfer::kReceiveOneBank, 0);
    ended.end();
    EXPECT_EQ (ended.onProgramDump (0, 0).kind, Step::notFetching);
    EXPECT_FALSE (ended.isBusy());
    EXPECT_EQ (ended.getOperation(), BankTransfer::kNoTransfer);
}
