#include "editor/EditorControlTable.h"

#include "core/model/ParamTables.h"

#include <gtest/gtest.h>

using namespace EditorTables;

// A few rows spelled out from editor/layout/EditorControls.txt; the generator's
// check keeps the rest equal to the text.
TEST (EditorControlTable, RowsReadAsTheLayoutTextHasThem)
{
    struct Case
    {
        int position;
        const char* label;
        int x, y, w, h, minimum, maximum, style, kind, section;
    };
    const Case cases[] = {
        { 0, "Osc 1 Freq", 20, 42, 65, 64, 0, 120, kwsContKnob, kKindOscFreq, 7 },
        { 12, "Sync Osc 2->1", 133, 20, 105, 20, 0, 1, kwsContCheck, kKindOnOff, 7 },
        { 24, "4 Pole", 20, 274, 65, 45, 0, 1, kwsContSwitch, kKindOnOff, 0 },
        { 95, "Tempo", 1040, 27, 65, 64, 30, 250, kwsContKnob, kKindBpm, 6 },
        { 98, "", 890, 132, 28, 16, 0, 1, kwsContCheck, kKindOnOff, 6 },
        { 102, "Sequence 2 Dest", 1174, -2000, 110, 32, 0, 47, kwsContList, kKindModDest, kNoSection },
        { 110, "Rev", -1017, 459, 110, 32, 0, 199, kwsContList, kKindNumber, kNoSection },
    };

    for (const auto& c : cases)
    {
        const auto& row = EditorControlTable[(size_t) c.position];
        EXPECT_EQ (row.position, c.position);
        EXPECT_STREQ (row.label, c.label) << c.position;
        EXPECT_EQ (juce::Rectangle<int> (row.x, row.y, row.w, row.h), juce::Rectangle<int> (c.x, c.y, c.w, c.h)) << c.position;
        EXPECT_EQ (std::make_pair (row.minimum, row.maximum), std::make_pair (c.minimum, c.maximum)) << c.position;
        EXPECT_EQ (row.style, c.style) << c.position;
        EXPECT_EQ (row.kind, c.kind) << c.position;
        EXPECT_EQ (row.section, c.section) << c.position;
    }

    EXPECT_STREQ (EditorSectionTable[4].caption, "CONTROLS");
    EXPECT_STREQ (EditorSectionTable[6].caption, "");
    EXPECT_STREQ (EditorSectionTable[8].caption, " PUSH IT!");
    EXPECT_EQ (juce::Rectangle<int> (EditorSectionTable[9].x, EditorSectionTable[9].y, EditorSectionTable[9].w,
                                     EditorSectionTable[9].h),
               juce::Rectangle<int> (1008, 318, 128, 164));
}

TEST (EditorControlTable, EveryPlacedControlLiesInItsSectionAndTheParkedOnesOffTheCanvas)
{
    const juce::Rectangle<int> canvas (0, 0, 1148, 700);
    int parked = 0;

    for (const auto& row : EditorControlTable)
    {
        const juce::Rectangle<int> control (row.x, row.y - 16, row.w, row.h);

        if (row.section == kNoSection)
        {
            EXPECT_FALSE (canvas.intersects (control)) << row.position;
            ++parked;
            continue;
        }

        const auto& s = EditorSectionTable[(size_t) row.section];
        EXPECT_TRUE (juce::Rectangle<int> (s.x, s.y, s.w, s.h).contains (control)) << row.position;
    }

    EXPECT_EQ (parked, 6);
}

TEST (EditorControlTable, RangesAgreeWithTheParameterTablesAndTheUnplacedBytesTakeTheirs)
{
    ParameterTables tables;
    tables.buildParameterTables();

    for (const auto& row : EditorControlTable)
        EXPECT_EQ (row.maximum, tables.getMax (row.position)) << row.position;

    for (int position = kNumRows; position < kNumControls; ++position)
    {
        const auto row = rowFor (position, tables);
        EXPECT_EQ (row.position, position);
        EXPECT_EQ (row.maximum, tables.getMax (position));
        EXPECT_EQ (row.kind, tables.getDisplayKind (position));
        EXPECT_EQ (row.section, kNoSection);
        EXPECT_EQ (row.w * row.h, 0) << "never seen, never pressed";
    }

    EXPECT_EQ (rowFor (5, tables).label, EditorControlTable[5].label);
}
