#pragma once

#include <juce_core/juce_core.h>

// How a global's value reads on the panel.
enum GlobalDisplayType : int
{
    kGlobalNumber = 0,
    kGlobalTranspose = 1,   // value - 12
    kGlobalFineTune = 2,    // value - 50
    kGlobalChannel = 3,
    kGlobalClockMode = 4,
    kGlobalParamSend = 6,
    kGlobalParamReceive = 7,
    kGlobalOnOff = 8,
    kGlobalMidiOut = 10,
    kGlobalPedalMode = 12,
    kGlobalAudioOut = 16
};

enum GlbContStyle : int
{
    kGlbMenu = 0,      // a click opens a menu of the value texts
    kGlbSwitch = 1,    // a click toggles 0 and 1
    kGlbKnob = 3,      // drag and wheel
    kGlbToggle = 5,    // toggles like a switch
    kGlbToggleAlt = 101
};

// One global the panel shows: its place in GlobalValues, the NRPN that sets
// it on the synthesizer, its range and look, and its place on the panel
// (pixels). The label offset is how far left of the control its name goes.
struct GlobalDescriptor
{
    int index;
    const char* name;
    int nrpn;
    int maximum;
    GlobalDisplayType display;
    GlbContStyle style;
    int x, y, width, height;
    int labelOffset;
};

namespace GlobalDescriptorTable
{
constexpr int kNumRows = 40;
constexpr int kNumShown = 12;
constexpr int kNoNrpn = -1;

// clang-format off
constexpr GlobalDescriptor rows[kNumShown] = {
    { 0,  "COARSE",              384, 24,  kGlobalTranspose,    kGlbKnob,   44,  50,  64,  65, 0 },
    { 1,  "FINE",                385, 100, kGlobalFineTune,     kGlbKnob,   114, 50,  64,  65, 0 },
    { 2,  "MIDI CHANNEL:",       386, 16,  kGlobalChannel,      kGlbMenu,   340, 50,  100, 30, 120 },
    { 3,  "MIDI CLOCK MODE",     388, 3,   kGlobalClockMode,    kGlbMenu,   142, 128, 100, 30, 120 },
    { 4,  "MIDI PARAM SEND",     390, 2,   kGlobalParamSend,    kGlbMenu,   142, 162, 100, 30, 120 },
    { 5,  "MIDI PARAM RECV",     391, 3,   kGlobalParamReceive, kGlbMenu,   142, 196, 100, 30, 120 },
    { 6,  "MIDI CONTROLLER ENA", 394, 1,   kGlobalOnOff,        kGlbSwitch, 430, 128, 40,  30, 150 },
    { 7,  "MIDI SYSEX ENABLE",   395, 1,   kGlobalOnOff,        kGlbSwitch, 172, 230, 40,  30, 150 },
    { 8,  "AUDIO OUTPUT",        405, 1,   kGlobalAudioOut,     kGlbMenu,   340, 78,  100, 30, 120 },
    { 9,  "MIDI OUT SELECT",     406, 1,   kGlobalMidiOut,      kGlbMenu,   400, 196, 100, 30, 120 },
    { 14, "PEDAL MODE",          396, 2,   kGlobalPedalMode,    kGlbMenu,   400, 230, 100, 30, 120 },
    { 21, "MIDI PROGRAM ENA",    392, 1,   kGlobalOnOff,        kGlbSwitch, 430, 162, 40,  24, 150 },
};
// clang-format on

// The row of a global, or one with no name, no NRPN and no range.
const GlobalDescriptor& find (int index) noexcept;

// The globals that the help page asks the user to set by hand.
enum Global : int
{
    kMidiParamSend = 4,
    kMidiParamReceive = 5,
    kMidiControllerEnable = 6,
    kMidiOutSelect = 9
};
} // namespace GlobalDescriptorTable

juce::String getGlobalParamName (int index);
juce::String getParamValueText (int displayType, int value);

// The panel's maths, kept apart so that the numbers can be checked alone.
namespace GlobalPanelMaths
{
// The knob's film-strip frame for a value, 0..56.
int knobFrame (int value, int maximum) noexcept;
// A knob's value after a drag from start: right and up raise it.
int dragValue (int start, int dx, int dy, int maximum) noexcept;
} // namespace GlobalPanelMaths
