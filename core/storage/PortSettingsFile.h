#pragma once

#include <juce_core/juce_core.h>

// The remembered ports: input name 0F output name 10 (unused) 11 SysEx
// buffer-size mode 12, one byte per character, no header.
namespace PortSettingsFile
{
constexpr juce::uint8 kAfterInput = 0x0F;
constexpr juce::uint8 kAfterOutput = 0x10;
constexpr juce::uint8 kAfterThird = 0x11;
constexpr juce::uint8 kAfterMode = 0x12;
constexpr int kNumSettings = 4;

juce::StringArray defaults(); // "NONE", "NONE", "NONE", "0"

juce::MemoryBlock build (const juce::StringArray& settings);

// Reads what the file holds into settings; items whose markers are missing or
// out of order keep their current value. Returns the mode number read, or 0.
int parse (const juce::MemoryBlock& file, juce::StringArray& settings);
} // namespace PortSettingsFile
