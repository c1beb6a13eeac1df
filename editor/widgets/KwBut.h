#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The small button of the category filter. A press followed by a release
// inside sends a change message; its owner tells the buttons apart by pointer.
class KwBut : public juce::Component,
              public juce::ChangeBroadcaster
{
public:
    static constexpr int kFaceRows = 9; // the image's top rows are the face

    KwBut (juce::String caption, int index);

    void loadImages();
    void setPosition (int x, int y);

    const juce::String& getCaption() const noexcept { return caption; }
    int getIndex() const noexcept { return index; }
    bool isPressed() const noexcept { return pressed; }
    bool isHovered() const noexcept { return hovered; }

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void mouseEnter (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;

private:
    int designX = 0, designY = 0, width = 100, height = 18;
    juce::String caption;
    int index;
    int faceHeight = 18;
    float fontHeight = 12.0f;
    bool pressed = false, hovered = false;
    juce::Image face;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KwBut)
};
