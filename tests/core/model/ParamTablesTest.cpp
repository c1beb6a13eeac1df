#include "core/model/ParamTables.h"

#include <gtest/gtest.h>

namespace
{
ParameterTables builtTables()
{
    ParameterTables tables;
    tables.buildParameterTables();
    return tables;
}
} // namespace

TEST (ParamTables, EveryNrpnAPositionSendsComesBackToIt)
{
    const auto tables = builtTables();

    for (int position = 0; position <= 108; ++position)
        EXPECT_EQ (tables.nrpnToParam (tables.getNrpn (position)), position) << position;
}

TEST (ParamTables, ReceivedNumbersAndTheirPositions)
{
    const auto tables = builtTables();

    const std::pair<int, int> cases[] = {
        { 114, 5 }, { 29, 40 }, { 28, 28 }, { 95, 95 }, { 99, 99 }, { 102, 102 },
        { 111, 92 }, { 112, 93 }, { 113, 94 }, { 115, 11 }, { 116, 19 },
        { 205, 206 }, { 383, 383 }, { 384, 200 }, { 450, 200 }, { -1, 200 },
    };

    for (auto [nrpn, position] : cases)
        EXPECT_EQ (tables.nrpnToParam (nrpn), position) << "NRPN " << nrpn;
}

TEST (ParamTables, SentNumbersOfSharedPositions)
{
    const auto tables = builtTables();

    EXPECT_EQ (tables.getNrpn (5), 114);
    EXPECT_EQ (tables.getNrpn (40), 29);
    EXPECT_EQ (tables.getNrpn (28), 23);
    for (int position = 109; position < ParamTables::kNumPositions; ++position)
        EXPECT_EQ (tables.getNrpn (position), position);
}

TEST (ParamTables, MaximaAndKindsCoverEveryImagePosition)
{
    const auto tables = builtTables();

    struct Case
    {
        int position, max, kind;
    };
    const Case cases[] = {
        { 0, 120, 777 }, { 20, 164, 222 }, { 25, 254, 555 }, { 40, 127, 222 }, { 95, 250, 444 },
        { 102, 47, 40 }, { 105, 199, 105 }, { 110, 199, 0 }, { 111, 127, 0 }, { 119, 127, 0 },
        { 120, 127, 567 }, { 135, 127, 567 }, { 136, 126, 567 }, { 183, 126, 567 }, { 184, 126, 567 },
        { 185, 127, 0 }, { 199, 127, 0 }, { 200, 127, 0 }, { 255, 127, 0 },
        { -1, 127, 0 }, { 256, 127, 0 }, { 100000, 127, 0 },
    };

    for (const auto& c : cases)
    {
        EXPECT_EQ (tables.getMax (c.position), c.max) << c.position;
        EXPECT_EQ (tables.getDisplayKind (c.position), c.kind) << c.position;
    }
}

TEST (ParamTables, GlobalNumbersMapToTheirSlots)
{
    const std::pair<int, int> cases[] = { { 384, 0 }, { 387, -1 }, { 392, 21 }, { 396, 14 }, { 406, 9 }, { 407, -1 }, { 0, -1 } };

    for (auto [nrpn, slot] : cases)
        EXPECT_EQ (ParameterTables::globalNrpnToSlot (nrpn), slot) << nrpn;
}
