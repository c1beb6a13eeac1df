#include "editor/widgets/SwitchLED.h"

#include "editor/EditorLook.h"

#include <BrindlemarkAssets.h>

SwitchLED::SwitchLED (const juce::String& labelText, float height)
    : label (labelText), textColour (EditorLook::switchText), fontHeight (height)
{
    ledImage = juce::ImageCache::getFromMemory (BrindlemarkAssets::led_switch_png, BrindlemarkAssets::led_switch_pngSize);
    setBounds (10, 10, 100, 30);
}

void SwitchLED::mouseDown (const juce::MouseEvent&)
{
    on = ! on;
    sendChangeMessage();
    repaint();
}

void SwitchLED::paint (juce::Graphics& g)
{
    g.drawImage (ledImage, 0, 5, kLedWidth, kLedHeight, on ? kOnLedX : 0, 0, kLedWidth, kLedHeight);

    g.setColour (textColour);
    g.setFont (EditorLook::font (fontHeight));
    g.drawText (label, 20, 0, 140, 18, juce::Justification::centredLeft, true);
}
