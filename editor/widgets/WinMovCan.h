#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class WinMovCan;

// What a window tool asks of the editor.
enum WinToolCode : int
{
    kWinToolHide = 122 // hide the library window
};

class winToolListener
{
public:
    virtual ~winToolListener() = default;
    virtual void winToolClicked (WinMovCan* sender, int code) = 0;
};

// The window tool strip in the library window's corner: only the close tool.
class WinMovCan : public juce::Component
{
public:
    static constexpr int kWidth = 17, kHeight = 30;
    static constexpr int kGlyphSize = 15;
    static constexpr int kCloseGlyphX = 36; // in the glyph image

    WinMovCan();

    void addListener (winToolListener* listener);
    void notifyToolListeners (int code);

    int getLastReleasedCode() const noexcept { return lastReleasedCode; }
    int getPressedCode() const noexcept { return pressedCode; }
    bool isHovered() const noexcept { return hovered; }

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void mouseMove (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;

private:
    // Message thread only, apart from additions, which the lock guards;
    // notification walks the array without it.
    juce::Array<winToolListener*> listeners;
    juce::CriticalSection lock;

    int lastReleasedCode = 0, pressedCode = 0;
    juce::Image glyphs;
    bool hovered = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WinMovCan)
};
