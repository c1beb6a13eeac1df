#pragma once

#include "core/model/ParamDisplayKind.h"

#include <juce_gui_basics/juce_gui_basics.h>

// Names of program positions for the host, and value texts by display kind.
// Keeps no data: every text is fixed.
class ParDes : public juce::Component
{
public:
    ParDes() = default;
    ~ParDes() override = default;

    static juce::String getParameterName (int position);
    static juce::String getValueText (int kind, int value);

    static juce::String noteName (int note);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ParDes)
};
