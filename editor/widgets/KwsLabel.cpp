#include "editor/widgets/KwsLabel.h"

KwsLabel::KwsLabel() = default;

void KwsLabel::setTextStyle (const juce::String& newText, const juce::String& newTypefaceName, float newFontHeight,
                             int newJustification)
{
    text = newText;
    typefaceName = newTypefaceName;
    fontHeight = newFontHeight;
    justification = newJustification;
    textColour = juce::Colours::white;
    fontStyleFlags = juce::Font::plain;
}

void KwsLabel::setFrame (int newFrameStyle, juce::Colour newBackground, juce::Colour newOutline)
{
    frameStyle = newFrameStyle;
    background = newBackground;
    outline = newOutline;

    if (frameStyle > noFrame)
        setOpaque (true);
}

void KwsLabel::setLabelText (const juce::String& newText)
{
    text = newText;
    repaint();
}

void KwsLabel::paint (juce::Graphics& g)
{
    const auto area = getLocalBounds();

    if (frameStyle > noFrame)
    {
        g.setColour (background);
        g.fillRect (area);
    }

    if (frameStyle > filled)
    {
        g.setColour (outline);
        g.drawRect (area, 1);
    }

    const auto font = typefaceName.isEmpty() ? juce::Font (fontHeight, fontStyleFlags)
                                             : juce::Font (typefaceName, fontHeight, fontStyleFlags);
    g.setFont (font);
    g.setColour (textColour);
    g.drawText (text, area, juce::Justification (justification), false);
}

void KwsLabel::mouseDown (const juce::MouseEvent& e)
{
    // Column 0 and row 0 are outside on purpose: only a press strictly inside counts.
    if (e.x >= 1 && e.x < getWidth() && e.y > 0 && e.y < getHeight())
        sendChangeMessage();
}
