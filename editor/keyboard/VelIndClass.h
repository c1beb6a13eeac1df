#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MidiCntrState;

// The piano's note velocity as a bar to drag; below 6 the height of each
// press on a key decides instead.
class VelIndClass : public juce::Component
{
public:
    static constexpr int kDesignX = 20, kDesignY = 38, kDesignWidth = 120;
    // Tall enough for the whole bar, which ends 119 units down.
    static constexpr int kDesignHeight = 120;
    static constexpr int kBarGrabWidth = 40;

    explicit VelIndClass (MidiCntrState& hub);

    void setValue (int value);
    int getValue() const noexcept { return value; }
    void setScale (float scale);

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    MidiCntrState& hub;
    float scale = 1.0f;
    int value = -1;
    bool dragging = false;
    juce::Image frame;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VelIndClass)
};
