#include "windows/setup/AboutPanel.h"

#include "editor/EditorLook.h"

#include <BrindlemarkAssets.h>

namespace
{
using L = EditorLook;

// Pixels in the editor, not scaled.
const juce::Rectangle<int> boxArea { 344, 100, 460, 260 };
const juce::Rectangle<int> pictureArea { 378, 400, 389, 162 };
} // namespace

AboutPanel::AboutPanel (int autoCloseMs)
    : box (juce::ImageCache::getFromMemory (BrindlemarkAssets::about_box_png, BrindlemarkAssets::about_box_pngSize)),
      picture (juce::ImageCache::getFromMemory (BrindlemarkAssets::about_picture_png, BrindlemarkAssets::about_picture_pngSize))
{
    if (autoCloseMs > 0)
    {
        autoClose = true;
        startTimer (juce::jmax (1, autoCloseMs));
    }
}

void AboutPanel::mouseDown (const juce::MouseEvent&)
{
    sendChangeMessage();
}

void AboutPanel::timerCallback()
{
    autoClose = false;
    stopTimer();
    sendChangeMessage();
}

void AboutPanel::paint (juce::Graphics& g)
{
    g.fillAll (L::aboutShade);
    g.drawImage (box, boxArea.toFloat());

    g.setColour (L::aboutText);
    g.setFont (L::font (15.0f));
    g.drawText (juce::String ("Version: ") + kVersion + kDate, 380, 230, 200, 30, juce::Justification::centredLeft);

    g.drawImage (picture, pictureArea.toFloat());

    g.setColour (L::aboutTitle);
    g.setFont (L::font (20.5f, juce::Font::bold | juce::Font::italic));
    g.drawText (kTitle, 380, 200, 240, 30, juce::Justification::centredLeft);
}
