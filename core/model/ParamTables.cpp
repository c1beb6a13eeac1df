#include "core/model/ParamTables.h"

namespace ParamTables
{
// clang-format off
const std::array<Row, kNumListedPositions> kListedPositions { {
    /*   0 */ {   0, 120, 777, "OSC1 Freq" },       { 1, 100, 888, "OSC1 Fine Tune" },    {   2, 103,   2, "OSC1 Shape" },
    /*   3 */ {   3, 127, 222, "OSC1 Glide" },      { 4,   1, 333, "OSC1 Kbd On/Off" },   { 114, 127, 222, "Sub OSC 1" },
    /*   6 */ {   5, 120, 777, "OSC2 Freq" },       { 6, 100, 888, "OSC2 Fine Tune" },    {   7, 103,   2, "OSC2 Shape" },
    /*   9 */ {   8, 127, 222, "OSC2 Glide" },      { 9,   1, 333, "OSC2 Kbd On/Off" },   { 115, 127, 222, "Sub OSC 2" },
    /*  12 */ {  10,   1, 333, "Sync Osc 2->1" },   { 11,  3,  11, "Glide Mode" },        {  12,   5, 222, "OSC Slop" },
    /*  15 */ {  93,  12,  93, "P-Bend Range" },    { 96,  5,  96, "Key Mode" },          {  13, 127, 222, "OSC 1->2 Mix" },
    /*  18 */ {  14, 127, 222, "Noise Level" },     { 116, 127, 222, "Ext In Volume" },   {  15, 164, 222, "Filter Freq" },
    /*  21 */ {  16, 127, 222, "Resonance" },       { 17, 127, 222, "Flt Kbd Amt" },      {  18, 127, 222, "Flt Audio Mod" },
    /*  24 */ {  19,   1, 333, "Flt Poles" },       { 20, 254, 555, "Flt Env Amt" },      {  21, 127, 222, "Flt Vel Amt" },
    /*  27 */ {  22, 127, 222, "Flt Env Delay" },   { 23, 127, 222, "Flt Env Attack" },   {  24, 127, 222, "Flt Env Decay" },
    /*  30 */ {  25, 127, 222, "Flt Env Sustain" }, { 26, 127, 222, "Flt Env Release" },  {  27, 127, 222, "VCA Level" },
    /*  33 */ {  30, 127, 222, "VCA Env Amt" },     { 31, 127, 222, "VCA Vel Amt" },      {  32, 127, 222, "VCA Env Delay" },
    /*  36 */ {  33, 127, 222, "VCA Env Attack" },  { 34, 127, 222, "VCA Env Decay" },    {  35, 127, 222, "VCA Env Sustain" },
    /*  39 */ {  36, 127, 222, "VCA Env Release" }, { 29, 127, 222, "Program Volume" },   {  37, 166,  37, "LFO 1 Freq" },
    /*  42 */ {  38,   4,  38, "LFO 1 Shape" },     { 39, 127, 222, "LFO 1 Amount" },     {  40,  46,  40, "LFO 1 Mod Dst" },
    /*  45 */ {  41,   1, 333, "LFO 1 Key Sync" },  { 42, 166,  37, "LFO 2 Freq" },       {  43,   4,  38, "LFO 2 Shape" },
    /*  48 */ {  44, 127, 222, "LFO 2 Amount" },    { 45,  46,  40, "LFO 2 Mod Dst" },    {  46,   1, 333, "LFO 2 Key Sync" },
    /*  51 */ {  47, 166,  37, "LFO 3 Freq" },      { 48,   4,  38, "LFO 3 Shape" },      {  49, 127, 222, "LFO 3 Amount" },
    /*  54 */ {  50,  46,  40, "LFO 3 Mod Dst" },   { 51,   1, 333, "LFO 3 Key Sync" },   {  52, 166,  37, "LFO 4 Freq" },
    /*  57 */ {  53,   4,  38, "LFO 4 Shape" },     { 54, 127, 222, "LFO 4 Amount" },     {  55,  46,  40, "LFO 4 Mod Dst" },
    /*  60 */ {  56,   1, 333, "LFO 4 Key Sync" },  { 57,  46,  40, "Env 3 Mod Dst" },    {  58, 254, 555, "Env 3 Amt" },
    /*  63 */ {  59, 127, 222, "Env 3 Vel Amt" },   { 60, 127, 222, "Env 3 Delay" },      {  61, 127, 222, "Env 3 Attack" },
    /*  66 */ {  62, 127, 222, "Env 3 Decay" },     { 63, 127, 222, "Env 3 Sustain" },    {  64, 127, 222, "Env 3 Release" },
    /*  69 */ {  98,   1, 333, "Repeat Mode" },     { 65,  22,  65, "Mod 1 Source" },     {  66, 254, 555, "Mod 1 Amount" },
    /*  72 */ {  67,  46,  40, "Mod 1 Dest" },      { 68,  22,  65, "Mod 2 Source" },     {  69, 254, 555, "Mod 2 Amount" },
    /*  75 */ {  70,  46,  40, "Mod 2 Dest" },      { 71,  22,  65, "Mod 3 Source" },     {  72, 254, 555, "Mod 3 Amount" },
    /*  78 */ {  73,  46,  40, "Mod 3 Dest" },      { 74,  22,  65, "Mod 4 Source" },     {  75, 254, 555, "Mod 4 Amount" },
    /*  81 */ {  76,  46,  40, "Mod 4 Dest" },      { 81, 254, 555, "Mod Wheel Amt" },    {  82,  46,  40, "Mod Wheel Dst" },
    /*  84 */ {  83, 254, 555, "Pressure Amt" },    { 84,  46,  40, "Pressure Dst" },     {  85, 254, 555, "Breath Amt" },
    /*  87 */ {  86,  46,  40, "Breath Dst" },      { 87, 254, 555, "Velocity Amt" },     {  88,  46,  40, "Velocity Dst" },
    /*  90 */ {  89, 254, 555, "Foot Cntr Amt" },   { 90,  46,  40, "Foot Cntr Dst" },    { 111, 127, 111, "PushIt Sw Note" },
    /*  93 */ { 112, 127, 222, "PushIt Sw Vel" },   { 113,  2, 113, "PushIt Sw Mode" },   {  91, 250, 444, "BPM Tempo" },
    /*  96 */ {  92,  12,  92, "Clock Divide" },    { 97,  14,  97, "Arp Mode" },         { 100,   1, 333, "Arp On/Off" },
    /*  99 */ {  94,   5,  94, "Seq Trigger" },     { 101,  1, 333, "Seq On/Off" },       {  77,  46,  40, "Seq 1 Dest" },
    /* 102 */ {  78,  47,  40, "Seq 2 Dest" },      { 79,  46,  40, "Seq 3 Dest" },       {  80,  47,  40, "Seq 4 Dest" },
    /* 105 */ { 105, 199, 105, "Knob 1" },          { 106, 199, 105, "Knob 2" },          { 107, 199, 105, "Knob 3" },
    /* 108 */ { 108, 199, 105, "Knob 4" },          { 109, 199,   0, "" },                { 110, 199,   0, "" },
    /* 111 */ { 111, 127,   0, "" },                { 112, 127,   0, "" },                { 113, 127,   0, "" },
    /* 114 */ { 114, 127,   0, "" },
} };

const std::array<NrpnRun, 21> kNrpnExceptions { {
    { 5, 9, 6 },     { 10, 12, 12 },  { 13, 14, 17 },  { 15, 27, 20 },  { 29, 29, 40 },  { 30, 36, 33 },
    { 37, 64, 41 },  { 65, 76, 70 },  { 77, 80, 101 }, { 81, 90, 82 },  { 91, 92, 95 },  { 93, 93, 15 },
    { 94, 94, 99 },  { 96, 96, 16 },  { 98, 98, 69 },  { 100, 100, 98 }, { 101, 101, 100 },
    { 111, 113, 92 }, { 114, 114, 5 }, { 115, 115, 11 }, { 116, 116, 19 },
} };

const std::array<GlobalNrpn, 12> kGlobalNrpnMap { {
    { 384, 0 }, { 385, 1 }, { 386, 2 }, { 388, 3 }, { 390, 4 }, { 391, 5 },
    { 392, 21 }, { 394, 6 }, { 395, 7 }, { 396, 14 }, { 405, 8 }, { 406, 9 },
} };
// clang-format on
} // namespace ParamTables

using namespace ParamTables;

void ParameterTables::buildParameterTables()
{
    for (int p = 0; p < kNumPositions; ++p)
    {
        paramMaxTable[(std::size_t) p] = kDefaultMax;
        paramNrpnTable[(std::size_t) p] = (int16_t) p;
        paramDisplayKindTable[(std::size_t) p] = kDefaultKind;
    }

    buildDisplayKindTable();
    setParameterRanges();

    for (int p = 0; p < kFirstUnlistedNrpn; ++p)
        paramNrpnTable[(std::size_t) p] = kListedPositions[(std::size_t) p].nrpn;

    buildNrpnParamTable();
}

void ParameterTables::buildDisplayKindTable()
{
    for (int p = 0; p < kNumListedPositions; ++p)
        paramDisplayKindTable[(std::size_t) p] = kListedPositions[(std::size_t) p].kind;
}

void ParameterTables::setParameterRanges()
{
    for (int p = kSequencerFirst; p <= kSequencerLast; ++p)
    {
        paramMaxTable[(std::size_t) p] = p < kSequencerTrack2First ? 127 : 126;
        paramDisplayKindTable[(std::size_t) p] = kSequencerKind;
    }

    for (int p = 0; p < kFirstUnlistedMax; ++p)
        paramMaxTable[(std::size_t) p] = kListedPositions[(std::size_t) p].max;
}

void ParameterTables::buildNrpnParamTable()
{
    for (int n = 0; n < kNumNrpnRows; ++n)
        nrpnParamTable[(std::size_t) n] = (int16_t) n;

    for (const auto& run : kNrpnExceptions)
        for (int n = run.first; n <= run.last; ++n)
            nrpnParamTable[(std::size_t) n] = (int16_t) (run.firstPosition + n - run.first);
}

int ParameterTables::getMax (int position) const noexcept
{
    return inRange (position) ? paramMaxTable[(std::size_t) position] : kDefaultMax;
}

int ParameterTables::getNrpn (int position) const noexcept
{
    return inRange (position) ? paramNrpnTable[(std::size_t) position] : position;
}

int ParameterTables::getDisplayKind (int position) const noexcept
{
    return inRange (position) ? paramDisplayKindTable[(std::size_t) position] : kDefaultKind;
}

int ParameterTables::nrpnToParam (int nrpn) const noexcept
{
    if (nrpn >= 0 && nrpn < kNumHostPositions)
        return nrpnParamTable[(std::size_t) nrpn];

    if (nrpn >= kNumHostPositions && nrpn < 384)
        return kNumHostPositions + nrpnParamTable[(std::size_t) (nrpn - kNumHostPositions)];

    return kNoPosition;
}

int ParameterTables::globalNrpnToSlot (int nrpn) noexcept
{
    for (const auto& global : kGlobalNrpnMap)
        if (global.nrpn == nrpn)
            return global.slot;

    return kNotAGlobal;
}
