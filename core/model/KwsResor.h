#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The four key images of the on-screen piano, decoded once through the image
// cache and shared by every key.
class KwsResor : public juce::Component
{
public:
    static constexpr int kWhiteKeyWidth = 25, kWhiteKeyHeight = 152;
    static constexpr int kBlackKeyWidth = 16, kBlackKeyHeight = 100;

    KwsResor();
    ~KwsResor() override = default;

    void drawWhiteKey (juce::Graphics& g, bool pressed, float scale) const;
    void drawBlackKey (juce::Graphics& g, bool pressed, float scale) const;

    const juce::Image& getWhiteKey (bool pressed) const noexcept { return pressed ? whiteKeyPressed : whiteKeyReleased; }
    const juce::Image& getBlackKey (bool pressed) const noexcept { return pressed ? blackKeyPressed : blackKeyReleased; }

private:
    juce::Image whiteKeyReleased, whiteKeyPressed, blackKeyReleased, blackKeyPressed;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KwsResor)
};
