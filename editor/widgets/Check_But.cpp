#include "editor/widgets/Check_But.h"

#include "editor/EditorLook.h"

#include <BrindlemarkAssets.h>

Check_But::Check_But()
    : tickedImage (juce::ImageCache::getFromMemory (BrindlemarkAssets::check_ticked_png,
                                                    BrindlemarkAssets::check_ticked_pngSize)),
      untickedImage (juce::ImageCache::getFromMemory (BrindlemarkAssets::check_unticked_png,
                                                      BrindlemarkAssets::check_unticked_pngSize)),
      pressedImage (juce::ImageCache::getFromMemory (BrindlemarkAssets::check_pressed_png,
                                                     BrindlemarkAssets::check_pressed_pngSize))
{
}

void Check_But::placeWithCaption (const juce::String& newCaption, int y, int newWidth, float newCaptionHeight)
{
    captionColour = juce::Colours::white;
    caption = newCaption;
    captionHeight = newCaptionHeight;
    width = newWidth;
    height = kHeight;
    setBounds (kX, y, width, height);
}

void Check_But::setChecked (bool shouldBeTicked)
{
    ticked = shouldBeTicked;
    repaint();
}

void Check_But::paintCaption (juce::Graphics& g) const
{
    g.setColour (captionColour);
    g.setFont (EditorLook::font (captionHeight));
    g.drawText (caption, getX() + kCaptionOffset, getY(), kCaptionWidth, kHeight, juce::Justification::centredLeft, true);
}

void Check_But::mouseDown (const juce::MouseEvent&)
{
    pressed = true;
    ticked = ! ticked;
    repaint();
    sendChangeMessage();
}

void Check_But::mouseUp (const juce::MouseEvent&)
{
    pressed = false;
    repaint();
}

void Check_But::paint (juce::Graphics& g)
{
    const auto& image = pressed ? pressedImage : (ticked ? tickedImage : untickedImage);
    g.drawImage (image, 2, 2, kImageWidth, kImageHeight, 0, 0, image.getWidth(), image.getHeight());
}
