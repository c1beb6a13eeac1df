#include "editor/widgets/SimpleLabel.h"

#include "editor/EditorLook.h"

SimpleLabel::SimpleLabel (float height, juce::Colour backgroundColour, int styleFlags, int textJustification)
    : background (backgroundColour), fontHeight (height), fontStyleFlags (styleFlags), justification (textJustification)
{
    setSize (100, kTextHeight);
}

void SimpleLabel::setText (const juce::String& newText)
{
    text = newText;
    repaint();
}

void SimpleLabel::setNumberText (int number)
{
    setText (number < 1 ? juce::String() : juce::String (number));
}

void SimpleLabel::paint (juce::Graphics& g)
{
    g.fillAll (background);

    if (text.isEmpty())
        return;

    g.setColour (textColour);
    g.setFont (EditorLook::font (fontHeight, fontStyleFlags));
    // A font taller than the line would spill below it; the line is all it owns.
    g.reduceClipRegion (0, 0, getWidth(), kTextHeight);
    g.drawText (text, 0, 0, getWidth(), kTextHeight, juce::Justification (justification), true);
}
