#pragma once

#include "core/model/ProgramImage.h"

// The Mopho's SysEx messages and the controllers that carry its NRPN.
namespace MophoSysEx
{
constexpr juce::uint8 kUniversalNonRealTime = 0x7E;
constexpr juce::uint8 kGeneralInformation = 0x06;
constexpr juce::uint8 kProgramDumpRequest = 0x05;
constexpr juce::uint8 kEditBufferRequest = 0x06;
constexpr juce::uint8 kGlobalParameterRequest = 0x0E;
constexpr juce::uint8 kGlobalParameterDump = 0x0F;
constexpr int kGlobalDumpHeaderSize = 4;

// Types of MidiCntrState::sendDumpRequest.
enum SysExRequestType : int
{
    kRequestProgram = 5,
    kRequestEditBuffer = 6,
    kRequestGlobals = 14,
    kRequestNothing = 100
};

// Longer than any message the synthesizer sends; an unterminated SysEx is
// dropped once it grows past this.
constexpr int kMaxAssembledBytes = 4096;

constexpr int kNrpnNumberMsb = 99;
constexpr int kNrpnNumberLsb = 98;
constexpr int kDataEntryMsb = 6;
constexpr int kDataEntryLsb = 38;
constexpr int kBankSelect = 32;
constexpr int kModWheel = 1;

// The controllers the model reads itself (NRPN and bank select): never passed
// on as they stand.
constexpr bool isModelController (int controller) noexcept
{
    return controller == kNrpnNumberMsb || controller == kNrpnNumberLsb || controller == kDataEntryMsb
        || controller == kDataEntryLsb || controller == kBankSelect;
}
} // namespace MophoSysEx
