#pragma once

#include "core/model/ParamDisplayKind.h"
#include "editor/widgets/KwsCont.h"

#include <array>

class ParameterTables;

// The program editor's layout: where each program byte's control sits, how it
// looks and which section frames it. Pages build their controls from these
// rows; the rows are generated from editor/layout/EditorControls.txt.
namespace EditorTables
{
constexpr int kNumControls = 115; // one per program byte 0-114
constexpr int kNumRows = 111;     // bytes 111-114 have no place on the panel
constexpr int kNumSections = 10;
constexpr int kNoSection = -1;

struct ControlRow
{
    int position;
    const char* label;
    int x, y, w, h; // design units; the control's top edge lies at y - 16
    int minimum, maximum;
    int style;      // a KwsContStyle
    int kind;       // a ParamDisplayKind
    int section;    // an EditorSectionTable index, or kNoSection
};

struct SectionRow
{
    int x, y, w, h;
    const char* caption;
};

// The envelope views: the first of each one's four stage bytes (attack,
// decay, sustain, release); view i belongs to section i.
constexpr int kNumEnvelopes = 3;
constexpr int kEnvelopeStages = 4;
constexpr std::array<int, kNumEnvelopes> kEnvelopeFirstPosition { 28, 36, 65 };

// The envelope view that shows a program byte, or -1.
constexpr int envelopeOf (int position) noexcept
{
    for (int i = 0; i < kNumEnvelopes; ++i)
        if (position >= kEnvelopeFirstPosition[(size_t) i] && position < kEnvelopeFirstPosition[(size_t) i] + kEnvelopeStages)
            return i;
    return -1;
}

extern const std::array<ControlRow, kNumRows> EditorControlTable;
extern const std::array<SectionRow, kNumSections> EditorSectionTable;

// The row a page sets up control [position] from: the table's for 0-110; for
// the unplaced bytes 111-114 their range and kind from the parameter tables,
// at no place and with no size, so they are never seen.
ControlRow rowFor (int position, const ParameterTables& tables);
} // namespace EditorTables
