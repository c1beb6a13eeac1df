#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The latency panel's millisecond slider: a bar with an arrow at each end
// that steps while held, and a readout. Owners read getValue() when its
// change message arrives.
class RateSlider : public juce::Component,
                   public juce::ChangeBroadcaster,
                   public juce::Timer
{
public:
    static constexpr int kWidth = 200, kHeight = 18;
    static constexpr int kArrowWidth = 18;
    static constexpr int kTrackPixels = 164; // between the arrows
    static constexpr int kStepMs = 100;

    RateSlider();

    void setValue (int newValue);
    void setValueAndNotify (int newValue);
    int getValue() const noexcept { return (int) value; }
    bool isDragging() const noexcept { return dragging; }

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void timerCallback() override;
    void paint (juce::Graphics& g) override;

private:
    bool leftHeld = false, rightHeld = false, dragging = false;
    float value = 0.0f, maximum = 1000.0f;
    // Kept in float: a drag to the right arrow's edge then gives the maximum exactly.
    float pixelsPerUnit = (float) kTrackPixels / maximum;
    int step = 1;
    int dragStartX = 0;
    juce::Image arrows, track;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RateSlider)
};
