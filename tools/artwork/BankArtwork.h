#pragma once

#include <juce_graphics/juce_graphics.h>

// Painters for the bank and write pages: the program grid's background and
// scroll thumb, and the LED switch's two lamps.
// The scroll thumbs of the lists: a raised capsule with three grip lines.
void thumbCapsule (juce::Graphics& g, int w, int h, juce::Colour left, juce::Colour right, juce::Colour edge, juce::Colour grip);
void gridBackground (juce::Graphics& g, int w, int h);
void gridThumb (juce::Graphics& g, int w, int h);
void ledSwitch (juce::Graphics& g, int w, int h);
