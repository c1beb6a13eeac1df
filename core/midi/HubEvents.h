#pragma once

#include <juce_core/juce_core.h>

// The words the hub speaks to views and the processor: event codes, the
// controller-change code, and the two listener interfaces. A page includes
// this, not the hub, to understand what it is told.

class MidiCntrState;

// Told of every interface event the hub posts. Called on the posting thread
// (audio, MIDI input or message thread): only wake the message thread here.
class MidiCntrStateListener
{
public:
    virtual ~MidiCntrStateListener() = default;
    virtual void midiCntrStateChanged (MidiCntrState* hub) = 0;
};

// Told of key commands; the hub calls only stateCommandPosted.
class stateListener
{
public:
    virtual ~stateListener() = default;
    virtual void stateCommandPosted() = 0;
    virtual void auxStateChanged() = 0;
};

// Interface event types carried in bits 44-59 of a UiEventCode.
enum UiEventType : int
{
    kUiNoteOn = 16,
    kUiNoteOff = 17,
    kUiController = 18,
    kUiProgramByteChanged = 23,
    kUiGlobalReceived = 24,
    kUiBankTransferFinished = 25,
    kUiHostProgramSelected = 32,
    kUiEditBufferReplaced = 33,
    kUiSynthOnLine = 34,
    kUiSynthOffLine = 35,
    kUiTransferProgress = 37,
    kUiBankContentsChanged = 39,
    kUiKeyCommand = 40,
    kUiPitchBend = 153
};

// type x 2^44 + channel x 2^28 + position x 2^16 + value
namespace UiEventCode
{
constexpr juce::int64 make (int type, int channel, int position, int value) noexcept
{
    return ((juce::int64) (type & 0xFFFF) << 44) | ((juce::int64) (channel & 0xFFFF) << 28)
         | ((juce::int64) (position & 0xFFF) << 16) | (juce::int64) (value & 0xFFFF);
}
constexpr int type (juce::int64 code) noexcept { return (int) ((code >> 44) & 0xFFFF); }
constexpr int channel (juce::int64 code) noexcept { return (int) ((code >> 28) & 0xFFFF); }
constexpr int position (juce::int64 code) noexcept { return (int) ((code >> 16) & 0xFFF); }
constexpr int value (juce::int64 code) noexcept { return (int) (code & 0xFFFF); }
} // namespace UiEventCode

// Host parameter position x 65536 + value, queued for the host.
namespace ControllerChangeCode
{
constexpr int make (int position, int value) noexcept { return position * 65536 + (value & 0xFFFF); }
constexpr int position (int code) noexcept { return code / 65536; }
constexpr int value (int code) noexcept { return code % 65536; }
} // namespace ControllerChangeCode
