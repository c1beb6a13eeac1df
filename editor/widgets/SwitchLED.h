#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// An on/off switch drawn as an LED beside its label. Every press flips it and
// sends a change message; the owner decides what a flip means, and may set
// the state itself without a message. Message thread only.
class SwitchLED : public juce::Component,
                  public juce::ChangeBroadcaster
{
public:
    static constexpr int kLedWidth = 14, kLedHeight = 9, kOnLedX = 15;

    SwitchLED (const juce::String& label, float fontHeight);

    bool on = false;

    const juce::String& getLabel() const noexcept { return label; }

    void mouseDown (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;

private:
    juce::String label;
    juce::Colour textColour;
    float fontHeight;
    juce::Image ledImage;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SwitchLED)
};
