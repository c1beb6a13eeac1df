#include "editor/widgets/WinMovCan.h"

#include <BrindlemarkAssets.h>

WinMovCan::WinMovCan()
    : glyphs (juce::ImageCache::getFromMemory (BrindlemarkAssets::wintool_glyphs_png, BrindlemarkAssets::wintool_glyphs_pngSize))
{
    setSize (kWidth, kHeight);
}

void WinMovCan::addListener (winToolListener* listener)
{
    const juce::ScopedLock sl (lock);
    listeners.addIfNotAlreadyThere (listener);
}

void WinMovCan::notifyToolListeners (int code)
{
    // The listener hides the window that holds the strip, and may delete it.
    const juce::Component::SafePointer<WinMovCan> alive (this);

    for (int i = listeners.size(); --i >= 0 && alive != nullptr;)
        listeners.getUnchecked (i)->winToolClicked (this, code);
}

void WinMovCan::mouseDown (const juce::MouseEvent&)
{
    pressedCode = kWinToolHide;
}

void WinMovCan::mouseUp (const juce::MouseEvent&)
{
    // Wherever the release happens: the press already chose the tool.
    lastReleasedCode = kWinToolHide;
    notifyToolListeners (kWinToolHide);
}

void WinMovCan::mouseMove (const juce::MouseEvent&)
{
    if (! hovered)
    {
        hovered = true;
        repaint();
    }
}

void WinMovCan::mouseExit (const juce::MouseEvent&)
{
    hovered = false;
    repaint();
}

void WinMovCan::paint (juce::Graphics& g)
{
    g.drawImage (glyphs, 0, 0, kWidth, kGlyphSize, kCloseGlyphX, 0, kWidth, kGlyphSize);
}
