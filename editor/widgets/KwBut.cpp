#include "editor/widgets/KwBut.h"

#include "editor/EditorLook.h"

#include <BrindlemarkAssets.h>

KwBut::KwBut (juce::String captionText, int buttonIndex) : caption (std::move (captionText)), index (buttonIndex)
{
}

void KwBut::loadImages()
{
    faceHeight = 18;
    designX = 0;
    width = 100;
    height = 18;
    face = juce::ImageCache::getFromMemory (BrindlemarkAssets::kwbut_face_png, BrindlemarkAssets::kwbut_face_pngSize);
    fontHeight = 12.0f;
    setBounds (0, 0, width, height);
}

void KwBut::setPosition (int x, int y)
{
    designX = x;
    designY = y;
    setBounds (x, y, width, height);
}

void KwBut::mouseDown (const juce::MouseEvent&)
{
    pressed = true;
    repaint();
}

void KwBut::mouseUp (const juce::MouseEvent& e)
{
    if (! pressed)
        return;

    pressed = false;

    // Edges count as inside: a release exactly on the right edge still clicks.
    if (e.x >= 0 && e.x <= width && e.y >= 0 && e.y <= height)
    {
        repaint();
        sendChangeMessage();
    }
}

void KwBut::mouseEnter (const juce::MouseEvent&)
{
    hovered = true;
    repaint();
}

void KwBut::mouseExit (const juce::MouseEvent&)
{
    hovered = false;
    repaint();
}

void KwBut::paint (juce::Graphics& g)
{
    const int w = getWidth(), h = getHeight();
    const int top = (h - faceHeight) / 2;

    // The face's middle stretches; its two-pixel edges keep their width.
    if (w >= 100)
    {
        g.drawImage (face, 0, top, w, h, 2, 0, 10, kFaceRows);
        g.drawImage (face, 0, top, 2, h, 0, 0, 2, kFaceRows);
    }
    else
    {
        g.drawImage (face, 0, top, w, h, 0, 0, w, kFaceRows);
    }
    g.drawImage (face, w - 2, top, 2, h, 98, 0, 2, kFaceRows);

    if (hovered)
    {
        g.setColour (EditorLook::kwButHoverShade);
        g.fillRect (0, 0, w, h);
    }
    if (pressed)
    {
        g.setColour (EditorLook::kwButPressShade);
        g.fillRect (0, 0, w, h);
    }

    g.setColour (pressed ? juce::Colour (EditorLook::text) : juce::Colour (EditorLook::imageFaceText));
    g.setFont (EditorLook::font (fontHeight));
    g.drawText (caption, 0, 0, w, h, juce::Justification::centred, false);
}
