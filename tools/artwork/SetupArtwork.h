#pragma once

#include <juce_graphics/juce_graphics.h>

// The drawings of the setup windows: the global panel's knob strip, value
// field, switch and close box, and the about box with its picture.
namespace SetupArtwork
{
constexpr int kKnobFrames = 57, kKnobPitch = 58, kKnobSize = 56;

void knobStrip (juce::Graphics& g, int w, int h);
void valueField (juce::Graphics& g, int w, int h);
void switchStates (juce::Graphics& g, int w, int h);
void closeBox (juce::Graphics& g, int w, int h);
void aboutBox (juce::Graphics& g, int w, int h);
void aboutPicture (juce::Graphics& g, int w, int h);
} // namespace SetupArtwork
