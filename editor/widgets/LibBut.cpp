#include "editor/widgets/LibBut.h"

#include "editor/EditorLook.h"

#include <BrindlemarkAssets.h>

LibBut::LibBut (juce::String captionText, int buttonId, float height)
    : caption (std::move (captionText)), id (buttonId), fontHeight (height),
      face (juce::ImageCache::getFromMemory (BrindlemarkAssets::libbut_face_png, BrindlemarkAssets::libbut_face_pngSize)),
      cap (juce::ImageCache::getFromMemory (BrindlemarkAssets::libbut_cap_png, BrindlemarkAssets::libbut_cap_pngSize))
{
    setSize (60, 40);
}

void LibBut::placeAt (int x, int y)
{
    setBounds (x, y, kWidth, kHeight);
    repaint();
}

void LibBut::setCaption (juce::String newCaption)
{
    caption = std::move (newCaption);
    repaint();
}

void LibBut::addListener (LibButListener* listener)
{
    const juce::ScopedLock sl (lock);
    listeners.addIfNotAlreadyThere (listener);
}

template <typename Call>
void LibBut::notify (Call call)
{
    // A listener may delete the button (a page closing on its DONE).
    const juce::Component::SafePointer<LibBut> alive (this);

    for (int i = listeners.size(); --i >= 0 && alive != nullptr;)
        call (listeners.getUnchecked (i));
}

void LibBut::mouseDown (const juce::MouseEvent&)
{
    triggerClick();
}

void LibBut::triggerClick()
{
    notify ([this] (LibButListener* l) { l->libButtonClicked (this, id); });
}

void LibBut::mouseEnter (const juce::MouseEvent&)
{
    notify ([this] (LibButListener* l) { l->libButtonEntered (this, id); });
}

void LibBut::mouseExit (const juce::MouseEvent&)
{
    notify ([this] (LibButListener* l) { l->libButtonExited (this, id); });
}

void LibBut::paint (juce::Graphics& g)
{
    const int w = getWidth(), h = getHeight();
    const int top = (h - kFaceHeight) / 2;

    // The images are drawn at twice the size they show at, for sharp edges on dense screens.
    g.drawImage (face, 0, top, kWidth, kFaceHeight, 0, 0, face.getWidth(), face.getHeight());
    g.drawImage (cap, w - kCapWidth, top, kCapWidth, kFaceHeight, 0, 0, cap.getWidth(), cap.getHeight());

    if (caption.isNotEmpty())
    {
        g.setColour (EditorLook::libButText);
        g.setFont (EditorLook::font (fontHeight));
        g.drawText (caption, 0, 0, w, h, juce::Justification::centred, true);
    }
}
