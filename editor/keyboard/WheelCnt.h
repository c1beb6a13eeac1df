#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MidiCntrState;

// The pitch wheel (springs back to its centre, sends pitch bend) or the
// modulation wheel (stays, sends controller 1). Each tells the host too.
class WheelCnt : public juce::Component,
                 public juce::ChangeBroadcaster
{
public:
    static constexpr int kPitchCentre = 64;
    static constexpr int kBendPerStep = 128;
    static constexpr int kFrames = 35, kFrameWidth = 55, kFrameHeight = 200, kFrameStep = 54;
    static constexpr int kPitchDesignX = 90, kModDesignX = 140;
    static constexpr int kDesignY = 45, kDesignWidth = 31, kDesignHeight = 112;

    WheelCnt (MidiCntrState& hub, int initialValue, bool springBack);

    void setValue (int value, bool send);
    int getValue() const noexcept { return value; }
    int getFrameIndex() const noexcept { return frameFor (value); }
    static int frameFor (int value) noexcept { return value * (kFrames - 1) / 127; }
    bool springsBack() const noexcept { return springBack; }

    void setScale (float scale);

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;

private:
    MidiCntrState& hub;
    bool springBack;
    int value = 0;
    float scale = 1.0f;
    int pressY = 0, pressValue = 0;
    juce::Image strip;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WheelCnt)
};
