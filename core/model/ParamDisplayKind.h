#pragma once

// Display kinds: how a parameter value turns into text.
enum ParamDisplayKind : int
{
    kKindNumber = 0,
    kKindOscShape = 2,
    kKindGlideMode = 11,
    kKindLfoFreq = 37,
    kKindLfoShape = 38,
    kKindModDest = 40,
    kKindModSource = 65,
    kKindClockDivide = 92,
    kKindBendRange = 93,
    kKindSeqTrigger = 94,
    kKindKeyMode = 96,
    kKindArpMode = 97,
    kKindKnobAssign = 105,
    kKindNoteName = 111,
    kKindPushItMode = 113,
    kKindPlain = 222,
    kKindOnOff = 333,
    kKindBpm = 444,
    kKindBipolar = 555,
    kKindSeqStep = 567,
    kKindOscFreq = 777,
    kKindFineTune = 888,
    kKindSeq2Dest = 4009,
    kKindSeq4Dest = 4011
};
