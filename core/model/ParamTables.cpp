#include "core/model/ParamTables.h"

namespace ParamTables
{
// clang-format off
const std::array<Row, kNumListedPositions> kListedPositions { {
    /*   0 */ {   0, 120, kKindOscFreq,     "OSC1 Freq" },
    /*   1 */ {   1, 100, kKindFineTune,    "OSC1 Fine Tune" },
    /*   2 */ {   2, 103, kKindOscShape,    "OSC1 Shape" },
    /*   3 */ {   3, 127, kKindPlain,       "OSC1 Glide" },
    /*   4 */ {   4,   1, kKindOnOff,       "OSC1 Kbd On/Off" },
    /*   5 */ { 114, 127, kKindPlain,       "Sub OSC 1" },
    /*   6 */ {   5, 120, kKindOscFreq,     "OSC2 Freq" },
    /*   7 */ {   6, 100, kKindFineTune,    "OSC2 Fine Tune" },
    /*   8 */ {   7, 103, kKindOscShape,    "OSC2 Shape" },
    /*   9 */ {   8, 127, kKindPlain,       "OSC2 Glide" },
    /*  10 */ {   9,   1, kKindOnOff,       "OSC2 Kbd On/Off" },
    /*  11 */ { 115, 127, kKindPlain,       "Sub OSC 2" },
    /*  12 */ {  10,   1, kKindOnOff,       "Sync Osc 2->1" },
    /*  13 */ {  11,   3, kKindGlideMode,   "Glide Mode" },
    /*  14 */ {  12,   5, kKindPlain,       "OSC Slop" },
    /*  15 */ {  93,  12, kKindBendRange,   "P-Bend Range" },
    /*  16 */ {  96,   5, kKindKeyMode,     "Key Mode" },
    /*  17 */ {  13, 127, kKindPlain,       "OSC 1->2 Mix" },
    /*  18 */ {  14, 127, kKindPlain,       "Noise Level" },
    /*  19 */ { 116, 127, kKindPlain,       "Ext In Volume" },
    /*  20 */ {  15, 164, kKindPlain,       "Filter Freq" },
    /*  21 */ {  16, 127, kKindPlain,       "Resonance" },
    /*  22 */ {  17, 127, kKindPlain,       "Flt Kbd Amt" },
    /*  23 */ {  18, 127, kKindPlain,       "Flt Audio Mod" },
    /*  24 */ {  19,   1, kKindOnOff,       "Flt Poles" },
    /*  25 */ {  20, 254, kKindBipolar,     "Flt Env Amt" },
    /*  26 */ {  21, 127, kKindPlain,       "Flt Vel Amt" },
    /*  27 */ {  22, 127, kKindPlain,       "Flt Env Delay" },
    /*  28 */ {  23, 127, kKindPlain,       "Flt Env Attack" },
    /*  29 */ {  24, 127, kKindPlain,       "Flt Env Decay" },
    /*  30 */ {  25, 127, kKindPlain,       "Flt Env Sustain" },
    /*  31 */ {  26, 127, kKindPlain,       "Flt Env Release" },
    /*  32 */ {  27, 127, kKindPlain,       "VCA Level" },
    /*  33 */ {  30, 127, kKindPlain,       "VCA Env Amt" },
    /*  34 */ {  31, 127, kKindPlain,       "VCA Vel Amt" },
    /*  35 */ {  32, 127, kKindPlain,       "VCA Env Delay" },
    /*  36 */ {  33, 127, kKindPlain,       "VCA Env Attack" },
    /*  37 */ {  34, 127, kKindPlain,       "VCA Env Decay" },
    /*  38 */ {  35, 127, kKindPlain,       "VCA Env Sustain" },
    /*  39 */ {  36, 127, kKindPlain,       "VCA Env Release" },
    /*  40 */ {  29, 127, kKindPlain,       "Program Volume" },
    /*  41 */ {  37, 166, kKindLfoFreq,     "LFO 1 Freq" },
    /*  42 */ {  38,   4, kKindLfoShape,    "LFO 1 Shape" },
    /*  43 */ {  39, 127, kKindPlain,       "LFO 1 Amount" },
    /*  44 */ {  40,  46, kKindModDest,     "LFO 1 Mod Dst" },
    /*  45 */ {  41,   1, kKindOnOff,       "LFO 1 Key Sync" },
    /*  46 */ {  42, 166, kKindLfoFreq,     "LFO 2 Freq" },
    /*  47 */ {  43,   4, kKindLfoShape,    "LFO 2 Shape" },
    /*  48 */ {  44, 127, kKindPlain,       "LFO 2 Amount" },
    /*  49 */ {  45,  46, kKindModDest,     "LFO 2 Mod Dst" },
    /*  50 */ {  46,   1, kKindOnOff,       "LFO 2 Key Sync" },
    /*  51 */ {  47, 166, kKindLfoFreq,     "LFO 3 Freq" },
    /*  52 */ {  48,   4, kKindLfoShape,    "LFO 3 Shape" },
    /*  53 */ {  49, 127, kKindPlain,       "LFO 3 Amount" },
    /*  54 */ {  50,  46, kKindModDest,     "LFO 3 Mod Dst" },
    /*  55 */ {  51,   1, kKindOnOff,       "LFO 3 Key Sync" },
    /*  56 */ {  52, 166, kKindLfoFreq,     "LFO 4 Freq" },
    /*  57 */ {  53,   4, kKindLfoShape,    "LFO 4 Shape" },
    /*  58 */ {  54, 127, kKindPlain,       "LFO 4 Amount" },
    /*  59 */ {  55,  46, kKindModDest,     "LFO 4 Mod Dst" },
    /*  60 */ {  56,   1, kKindOnOff,       "LFO 4 Key Sync" },
    /*  61 */ {  57,  46, kKindModDest,     "Env 3 Mod Dst" },
    /*  62 */ {  58, 254, kKindBipolar,     "Env 3 Amt" },
    /*  63 */ {  59, 127, kKindPlain,       "Env 3 Vel Amt" },
    /*  64 */ {  60, 127, kKindPlain,       "Env 3 Delay" },
    /*  65 */ {  61, 127, kKindPlain,       "Env 3 Attack" },
    /*  66 */ {  62, 127, kKindPlain,       "Env 3 Decay" },
    /*  67 */ {  63, 127, kKindPlain,       "Env 3 Sustain" },
    /*  68 */ {  64, 127, kKindPlain,       "Env 3 Release" },
    /*  69 */ {  98,   1, kKindOnOff,       "Repeat Mode" },
    /*  70 */ {  65,  22, kKindModSource,   "Mod 1 Source" },
    /*  71 */ {  66, 254, kKindBipolar,     "Mod 1 Amount" },
    /*  72 */ {  67,  46, kKindModDest,     "Mod 1 Dest" },
    /*  73 */ {  68,  22, kKindModSource,   "Mod 2 Source" },
    /*  74 */ {  69, 254, kKindBipolar,     "Mod 2 Amount" },
    /*  75 */ {  70,  46, kKindModDest,     "Mod 2 Dest" },
    /*  76 */ {  71,  22, kKindModSource,   "Mod 3 Source" },
    /*  77 */ {  72, 254, kKindBipolar,     "Mod 3 Amount" },
    /*  78 */ {  73,  46, kKindModDest,     "Mod 3 Dest" },
    /*  79 */ {  74,  22, kKindModSource,   "Mod 4 Source" },
    /*  80 */ {  75, 254, kKindBipolar,     "Mod 4 Amount" },
    /*  81 */ {  76,  46, kKindModDest,     "Mod 4 Dest" },
    /*  82 */ {  81, 254, kKindBipolar,     "Mod Wheel Amt" },
    /*  83 */ {  82,  46, kKindModDest,     "Mod Wheel Dst" },
    /*  84 */ {  83, 254, kKindBipolar,     "Pressure Amt" },
    /*  85 */ {  84,  46, kKindModDest,     "Pressure Dst" },
    /*  86 */ {  85, 254, kKindBipolar,     "Breath Amt" },
    /*  87 */ {  86,  46, kKindModDest,     "Breath Dst" },
    /*  88 */ {  87, 254, kKindBipolar,     "Velocity Amt" },
    /*  89 */ {  88,  46, kKindModDest,     "Velocity Dst" },
    /*  90 */ {  89, 254, kKindBipolar,     "Foot Cntr Amt" },
    /*  91 */ {  90,  46, kKindModDest,     "Foot Cntr Dst" },
    /*  92 */ { 111, 127, kKindNoteName,    "PushIt Sw Note" },
    /*  93 */ { 112, 127, kKindPlain,       "PushIt Sw Vel" },
    /*  94 */ { 113,   2, kKindPushItMode,  "PushIt Sw Mode" },
    /*  95 */ {  91, 250, kKindBpm,         "BPM Tempo" },
    /*  96 */ {  92,  12, kKindClockDivide, "Clock Divide" },
    /*  97 */ {  97,  14, kKindArpMode,     "Arp Mode" },
    /*  98 */ { 100,   1, kKindOnOff,       "Arp On/Off" },
    /*  99 */ {  94,   5, kKindSeqTrigger,  "Seq Trigger" },
    /* 100 */ { 101,   1, kKindOnOff,       "Seq On/Off" },
    /* 101 */ {  77,  46, kKindModDest,     "Seq 1 Dest" },
    /* 102 */ {  78,  47, kKindModDest,     "Seq 2 Dest" },
    /* 103 */ {  79,  46, kKindModDest,     "Seq 3 Dest" },
    /* 104 */ {  80,  47, kKindModDest,     "Seq 4 Dest" },
    /* 105 */ { 105, 199, kKindKnobAssign,  "Knob 1" },
    /* 106 */ { 106, 199, kKindKnobAssign,  "Knob 2" },
    /* 107 */ { 107, 199, kKindKnobAssign,  "Knob 3" },
    /* 108 */ { 108, 199, kKindKnobAssign,  "Knob 4" },
    /* 109 */ { 109, 199, kKindNumber,      "" },
    /* 110 */ { 110, 199, kKindNumber,      "" },
    /* 111 */ { 111, 127, kKindNumber,      "" },
    /* 112 */ { 112, 127, kKindNumber,      "" },
    /* 113 */ { 113, 127, kKindNumber,      "" },
    /* 114 */ { 114, 127, kKindNumber,      "" },
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
        paramDisplayKindTable[(std::size_t) p] = kKindNumber;
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
        paramDisplayKindTable[(std::size_t) p] = kKindSeqStep;
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
    return inRange (position) ? paramDisplayKindTable[(std::size_t) position] : kKindNumber;
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
