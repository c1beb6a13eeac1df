#pragma once

#include "core/model/ParamDisplayKind.h"

#include <array>
#include <cstddef>
#include <cstdint>

// The Mopho's program parameters: where each program byte travels as NRPN, its
// largest value, how its value is shown, and the synthesizer's global NRPNs.
namespace ParamTables
{
// Every table covers each position a program image can hold.
constexpr int kNumPositions = 256;
constexpr int kNumNrpnRows = 256;
constexpr int kNumHostPositions = 200;
constexpr int kNumListedPositions = 115; // positions with their own row below

// Positions not listed: NRPN = position, maximum 127, shown as a number.
constexpr int kDefaultMax = 127;

struct Row
{
    int16_t nrpn;
    int16_t max;
    int16_t kind; // a ParamDisplayKind
    const char* hostName;
};

extern const std::array<Row, kNumListedPositions> kListedPositions;

// Rows whose maximum and NRPN come from the listed table (the rest keep defaults).
constexpr int kFirstUnlistedMax = 111;
constexpr int kFirstUnlistedNrpn = 109;

// Sequencer steps (and the first name byte): shown as steps; track 1 up to 127, tracks 2-4 up to 126.
constexpr int kSequencerFirst = 120;
constexpr int kSequencerLast = 184;
constexpr int kSequencerTrack2First = 136;

// Received NRPN numbers that do not write the position of the same number:
// numbers first..last write positions from firstPosition on.
struct NrpnRun
{
    int16_t first, last, firstPosition;
};
extern const std::array<NrpnRun, 21> kNrpnExceptions;

struct GlobalNrpn
{
    int16_t nrpn, slot;
};
extern const std::array<GlobalNrpn, 12> kGlobalNrpnMap;

constexpr int kNoPosition = 200;   // nrpnToParam's answer for numbers that reach no program byte
constexpr int kNotAGlobal = -1;
} // namespace ParamTables

// The four look-up tables built at start-up from the data above. Built once,
// then only read, from any thread.
class ParameterTables
{
public:
    void buildParameterTables();
    void buildDisplayKindTable();
    void setParameterRanges();
    void buildNrpnParamTable();

    // Positions outside the tables read as an unlisted position would.
    int getMax (int position) const noexcept;
    int getNrpn (int position) const noexcept;
    int getDisplayKind (int position) const noexcept;

    // The program position a received NRPN number writes: numbers 200-383
    // address positions 200 and up; 384 and above reach no position.
    int nrpnToParam (int nrpn) const noexcept;

    // False for a position whose NRPN number the synthesizer applies to
    // another position (the uninterpreted bytes 111-116): sending it would
    // change the wrong parameter.
    bool sendsOwnNrpn (int position) const noexcept { return nrpnToParam (getNrpn (position)) == position; }
    static int globalNrpnToSlot (int nrpn) noexcept;

private:
    static bool inRange (int position) noexcept { return position >= 0 && position < ParamTables::kNumPositions; }

    std::array<int16_t, ParamTables::kNumPositions> paramMaxTable {};
    std::array<int16_t, ParamTables::kNumPositions> paramNrpnTable {};
    std::array<int16_t, ParamTables::kNumPositions> paramDisplayKindTable {};
    std::array<int16_t, ParamTables::kNumNrpnRows> nrpnParamTable {};
};
