#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The about box, laid over the whole editor. A click, or the end of its
// automatic close, asks the editor to close it with a change message.
class AboutPanel : public juce::Component,
                   public juce::ChangeBroadcaster,
                   public juce::Timer
{
public:
    static constexpr const char* kVersion = "3.0.0";
    static constexpr const char* kDate = " - Dec 18, 2023";
    static constexpr const char* kTitle = "For Mopho Desktops";

    // autoCloseMs above 0 closes the box by itself after that time.
    explicit AboutPanel (int autoCloseMs);

    bool isAutoClosing() const noexcept { return autoClose; }

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void timerCallback() override;

private:
    juce::Image box, picture;
    bool autoClose = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AboutPanel)
};
