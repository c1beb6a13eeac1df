#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// One painted line of text on a filled background.
class SimpleLabel : public juce::Component
{
public:
    // Text is drawn in this many top pixels, whatever the label's height.
    static constexpr int kTextHeight = 20;

    SimpleLabel (float fontHeight, juce::Colour background, int fontStyleFlags, int justification);

    void setText (const juce::String& newText);
    // Counts below 1 show nothing rather than a zero.
    void setNumberText (int number);
    const juce::String& getText() const noexcept { return text; }

    void paint (juce::Graphics& g) override;
    void resized() override {}

private:
    juce::Colour background;
    juce::Colour textColour = juce::Colours::white;
    float fontHeight;
    int fontStyleFlags;
    int justification;
    juce::String text;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SimpleLabel)
};
