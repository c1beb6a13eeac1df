#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The application bar's menu button, three horizontal bars. It reacts to the
// release, wherever the pointer is by then.
class AppSetBarBut : public juce::Component,
                     public juce::ChangeBroadcaster
{
public:
    static constexpr int kReleasedCode = 128;
    static constexpr int kSize = 36;

    AppSetBarBut();

    int getCode() const noexcept { return code; }

    void paint (juce::Graphics& g) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void resized() override {}

private:
    int code = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AppSetBarBut)
};
