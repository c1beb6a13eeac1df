#include "core/model/ParDes.h"

#include <gtest/gtest.h>

TEST (ParDes, HostNamesOfPositions)
{
    const std::pair<int, const char*> cases[] = {
        { 0, "OSC1 Freq" }, { 95, "BPM Tempo" }, { 104, "Seq 4 Dest" }, { 105, "Knob 1" }, { 108, "Knob 4" },
        { 109, "Reserved 109" }, { 119, "Reserved 119" },
        { 120, "Seq 1 Step 1" }, { 136, "Seq 2 Step 1" }, { 183, "Seq 4 Step 16" }, { 184, "" },
        { 199, "" }, { -5, "" }, { 1000, "" },
    };

    for (auto [position, name] : cases)
        EXPECT_EQ (ParDes::getParameterName (position), juce::String (name)) << position;
}

struct TextCase
{
    int kind, value;
    const char* text;
};

class ValueText : public testing::TestWithParam<TextCase> {};

TEST_P (ValueText, ShowsTheValueAsTheSynthesizerNamesIt)
{
    const auto& c = GetParam();
    EXPECT_EQ (ParDes::getValueText (c.kind, c.value), juce::String::fromUTF8 (c.text));
}

INSTANTIATE_TEST_SUITE_P (Kinds, ValueText, testing::Values (
    TextCase { 0, 7, "7" }, TextCase { 222, -3, "-3" }, TextCase { 567, 126, "126" }, TextCase { 1234, 7, "7" },
    TextCase { 2, 0, "OFF" }, TextCase { 2, 3, "SAW/TRI" }, TextCase { 2, 4, "PW 00" }, TextCase { 2, 9, "PW 05" },
    TextCase { 2, 13, "PW 09" }, TextCase { 2, 14, "PW 10" }, TextCase { 2, 103, "PW 99" }, TextCase { 2, -1, "" },
    TextCase { 11, 3, "Fixed Time Auto" }, TextCase { 11, 4, "*/*" }, TextCase { 11, -1, "*/*" },
    TextCase { 37, 150, "150" }, TextCase { 37, 151, "32 st" }, TextCase { 37, 166, "1/16 st" }, TextCase { 37, 167, "167" },
    TextCase { 38, 3, "Pulse (square)" }, TextCase { 38, 5, "*/*" },
    TextCase { 40, 0, "OFF" }, TextCase { 40, 46, "Sub Osc 2" }, TextCase { 40, 47, "" }, TextCase { 40, -1, "" },
    TextCase { 4009, 47, "Sequencer 1 Slew" }, TextCase { 4011, 47, "Sequencer 2 Slew" }, TextCase { 4009, 9, "Low Pass" },
    TextCase { 65, 22, "Peak Hold" }, TextCase { 65, 23, "*/*" },
    TextCase { 92, 12, "64th N T" }, TextCase { 92, 13, "*/*" },
    TextCase { 93, 12, "Range   12" },
    TextCase { 94, 5, "Audio In" }, TextCase { 94, 6, "*/*" },
    TextCase { 96, 0, "Low Note " }, TextCase { 96, 2, "High Note " }, TextCase { 96, 5, "Last Note Hit RT" }, TextCase { 96, 6, "*/*" },
    TextCase { 97, 14, "3 Oct Random" }, TextCase { 97, 15, "*/*" },
    TextCase { 105, 40, "Preset Volume" }, TextCase { 105, 44, "LFO 1 Mod  Destin" }, TextCase { 105, 95, "BMP Tempo" },
    TextCase { 105, 108, "Knob 4" }, TextCase { 105, 110, "  Reserved" }, TextCase { 105, 120, "Seq 1 Step 1" },
    TextCase { 105, 184, "Name Character 1" }, TextCase { 105, 199, "Name Character 16" }, TextCase { 105, 200, "" },
    TextCase { 105, -1, "" },
    TextCase { 111, 0, "C0" }, TextCase { 111, 60, "C5" }, TextCase { 111, 61, "C#5" }, TextCase { 111, -1, "" },
    TextCase { 113, 1, "TOGGLE" }, TextCase { 113, 2, "*/*" },
    TextCase { 333, 0, "OFF" }, TextCase { 333, 2, "ON" },
    TextCase { 444, 120, "120 bpm" },
    TextCase { 555, 0, "-127" }, TextCase { 555, 127, "0" }, TextCase { 555, 254, "127" },
    TextCase { 777, 0, "C2" }, TextCase { 777, 11, "B2" }, TextCase { 777, 120, "C12" }, TextCase { 777, -30, "" },
    TextCase { 888, 0, "-50" }, TextCase { 888, 100, "50" }));
