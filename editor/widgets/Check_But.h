#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A check box whose caption its parent paints (through paintCaption), so the
// caption can reach beyond the box's bounds. Every click flips it and sends a
// change message; owners read isChecked() when the message arrives.
class Check_But : public juce::Component,
                  public juce::ChangeBroadcaster
{
public:
    static constexpr int kX = 20, kHeight = 15;
    static constexpr int kImageWidth = 20, kImageHeight = 11;
    static constexpr int kCaptionOffset = 30, kCaptionWidth = 300;

    Check_But();

    void placeWithCaption (const juce::String& caption, int y, int width, float captionHeight);
    void setChecked (bool shouldBeTicked);
    bool isChecked() const noexcept { return ticked; }
    const juce::String& getCaption() const noexcept { return caption; }

    // Called by the parent from its own paint, with the parent's Graphics.
    void paintCaption (juce::Graphics& g) const;

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;

private:
    bool ticked = false;
    juce::Colour captionColour = juce::Colours::black;
    float captionHeight = 14.0f;
    juce::String caption;
    bool pressed = false;
    int width = 0, height = kHeight;
    juce::Image tickedImage, untickedImage, pressedImage;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Check_But)
};
