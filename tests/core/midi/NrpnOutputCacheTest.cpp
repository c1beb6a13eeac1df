#include "core/midi/NrpnOutputCache.h"

#include <gtest/gtest.h>

namespace
{
using Form = NrpnOutputCache::Form;

struct Send
{
    int number, value;
    double due;
};
} // namespace

// Each case sends the earlier ones as the hub would, then asks for the form of
// the last one.
TEST (NrpnOutputCache, ASequenceIsShortenedOnlyWhenTheSynthesizerStillHoldsItsNumber)
{
    struct Case
    {
        const char* what;
        std::vector<Send> before;
        Send next;
        Form form;
    };

    const Case cases[] = {
        { "nothing sent yet", {}, { 20, 5, 0 }, Form::full },
        { "the same value again", { { 20, 5, 0 } }, { 20, 5, 10 }, Form::none },
        { "a new LSB", { { 20, 5, 0 } }, { 20, 6, 10 }, Form::valueLsb },
        { "a new MSB", { { 20, 5, 0 } }, { 20, 130, 10 }, Form::valueMsbAndLsb },
        { "another number", { { 20, 5, 0 } }, { 21, 5, 10 }, Form::full },
        { "same time as the cached one", { { 20, 5, 100 } }, { 20, 6, 100 }, Form::valueLsb },
        { "due before the cached one", { { 20, 5, 100 } }, { 20, 6, 50 }, Form::full },
        { "another sequence arrives after the cached one", { { 30, 1, 500 }, { 20, 5, 100 } }, { 20, 6, 600 }, Form::full },
        { "the cached one is the last to arrive", { { 30, 1, 100 }, { 20, 5, 500 } }, { 20, 6, 500 }, Form::valueLsb },
    };

    for (const auto& c : cases)
    {
        NrpnOutputCache cache;
        for (const auto& s : c.before)
            cache.sent (s.number, s.value, s.due);

        EXPECT_EQ (cache.formFor (c.next.number, c.next.value, c.next.due), c.form) << c.what;
    }
}

TEST (NrpnOutputCache, RemembersTheLastSendAndForgetsOnRequest)
{
    NrpnOutputCache cache;
    cache.sent (300, 200, 42.0);

    EXPECT_EQ (cache.getNumber(), 300);
    EXPECT_EQ (cache.getMsb(), 1);
    EXPECT_EQ (cache.getLsb(), 72);
    EXPECT_EQ (cache.getDue(), 42.0);

    cache.forget();
    EXPECT_EQ (cache.getNumber(), NrpnOutputCache::kNone);
    EXPECT_EQ (cache.formFor (300, 200, 50.0), Form::full) << "a program change may have moved the synthesizer on";
}

TEST (NrpnOutputCache, ASendOutsideTheCacheLeavesNothingToShortenAgainst)
{
    NrpnOutputCache cache;
    cache.sent (20, 5, 100.0);

    cache.sentUncached (900.0);

    EXPECT_EQ (cache.formFor (20, 6, 950.0), Form::full);
    cache.sent (20, 6, 950.0);
    EXPECT_EQ (cache.formFor (20, 7, 950.0), Form::valueLsb);
    EXPECT_EQ (cache.formFor (20, 7, 800.0), Form::full) << "due before the send outside the cache";
}
