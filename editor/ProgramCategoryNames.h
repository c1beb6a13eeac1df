#pragma once

#include <juce_core/juce_core.h>

// The name of a program's category (byte 117), or an empty text for a value
// outside the 26 named ones.
juce::String getCategoryName (int category);
