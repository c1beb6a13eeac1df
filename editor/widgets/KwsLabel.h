#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A text label with its own typeface and an optional background or frame;
// a click inside it sends a change message.
class KwsLabel : public juce::Component,
                 public juce::ChangeBroadcaster
{
public:
    enum FrameStyle : int
    {
        noFrame = 0,
        filled = 1,
        filledOutlined = 2
    };

    KwsLabel();

    void setTextStyle (const juce::String& text, const juce::String& typefaceName, float fontHeight, int justification);
    void setFrame (int frameStyle, juce::Colour background, juce::Colour outline);
    void setLabelText (const juce::String& text);
    const juce::String& getLabelText() const noexcept { return text; }

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;

private:
    int frameStyle = noFrame;
    float fontHeight = 13.0f;
    juce::Colour textColour = juce::Colours::white;
    juce::String typefaceName, text;
    int justification = juce::Justification::centredLeft;
    int fontStyleFlags = juce::Font::plain;
    juce::Colour background, outline;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KwsLabel)
};
