#pragma once

// The host's parameter indexes: the program's bytes first, then one parameter
// for the program number, the 128 MIDI controllers, the 128 keys' pressure,
// pitch bend and channel pressure.
namespace HostParameter
{
constexpr int kNumProgramParameters = 184; // 0-183: program bytes; all the VST2 build has
constexpr int kProgram = 184;
constexpr int kFirstController = 185;      // controller n at 185 + n
constexpr int kLastController = kFirstController + 127;
constexpr int kFirstPolyPressure = 313;    // key n at 313 + n
constexpr int kLastPolyPressure = kFirstPolyPressure + 127;
constexpr int kPitchBend = 441;
constexpr int kChannelPressure = 442;
constexpr int kCount = 443;

constexpr int kModWheel = kFirstController + 1;
constexpr int kVolume = kFirstController + 7;
constexpr int kBank = kFirstController + 32;

constexpr int kVolumeStartValue = 100; // before the synthesizer or the host sets it

constexpr int forController (int controller) noexcept { return kFirstController + controller; }
constexpr int forPolyPressure (int key) noexcept { return kFirstPolyPressure + key; }
constexpr bool isProgramByte (int index) noexcept { return index >= 0 && index < kNumProgramParameters; }

static_assert (kLastController + 1 == kFirstPolyPressure && kLastPolyPressure + 1 == kPitchBend);
static_assert (kModWheel == 186 && kVolume == 192 && kBank == 217);
} // namespace HostParameter
