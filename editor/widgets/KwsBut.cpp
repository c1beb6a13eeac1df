#include "editor/widgets/KwsBut.h"

#include "editor/EditorLook.h"

#include <BrindlemarkAssets.h>

namespace
{
struct StyleLook
{
    int style;
    float fontHeight;
    EditorLook::Named text, downText, normalFill, downFill, edges;
    EditorLook::Named innerColour, innerOnColour;
    int innerTop, innerExtraHeight;
};

using L = EditorLook;
constexpr auto none = EditorLook::transparent; // a colour the style does not use

// clang-format off
constexpr StyleLook styleLooks[] = {
    { kwsButToggle, 13.0f, L::faceText,      L::faceDownText, L::faceFill, L::faceDownFill, L::faceEdge, none,        none,          0, 0 },
    { kwsButPlain,  13.0f, L::faceText,      L::faceText,     L::faceFill, L::faceDownFill, L::faceEdge, none,        none,          0, 0 },
    { kwsButImage,  12.0f, L::imageFaceText, none,            none,        none,            none,        none,        none,          0, 0 },
    // The inner button reaches past the top and bottom so its rounded ends are clipped.
    { kwsButBar,    12.0f, L::imageFaceText, L::faceText,     none,        none,            none,        L::barFace,    L::barFaceOn,    -3, 6 },
    { kwsButBank,   12.0f, L::imageFaceText, L::faceText,     none,        none,            none,        L::barFace,    L::barFaceOn,    -3, 6 },
    // Ends two pixels short of the bottom: that strip is pressed on the button itself.
    { kwsButDialog, 13.0f, L::faceText,      L::faceText,     none,        none,            none,        L::dialogFace, L::dialogFaceOn, -5, 3 },
};
// clang-format on

const StyleLook* findLook (int style)
{
    for (const auto& look : styleLooks)
        if (look.style == style)
            return &look;

    return nullptr;
}

juce::Image decode (const char* data, int size)
{
    return juce::ImageCache::getFromMemory (data, size);
}

} // namespace

KwsBut::KwsBut (juce::String captionText, int buttonId, int buttonStyle)
    : caption (std::move (captionText)), id (buttonId), style (buttonStyle)
{
}

KwsBut::~KwsBut()
{
    if (innerButton != nullptr)
        innerButton->removeListener (this);
}

bool KwsBut::hasInnerButton() const noexcept
{
    return style == kwsButBar || style == kwsButBank || style == kwsButDialog;
}

void KwsBut::placeWithStyleImages (int x, int y, int w, int h, bool applyBounds)
{
    if (const auto* look = findLook (style))
    {
        fontHeight = look->fontHeight;
        textColour = look->text;
        downTextColour = look->downText;
        normalFill = look->normalFill;
        downFill = look->downFill;
        edgeA = edgeB = look->edges;

        if (style == kwsButToggle && indicatorOff.isNull())
        {
            indicatorOff = decode (BrindlemarkAssets::button_indicator_off_png, BrindlemarkAssets::button_indicator_off_pngSize);
            indicatorOn = decode (BrindlemarkAssets::button_indicator_on_png, BrindlemarkAssets::button_indicator_on_pngSize);
        }

        if (style == kwsButImage && faceNormal.isNull())
        {
            faceNormal = decode (BrindlemarkAssets::button_face_up_png, BrindlemarkAssets::button_face_up_pngSize);
            facePressed = decode (BrindlemarkAssets::button_face_down_png, BrindlemarkAssets::button_face_down_pngSize);
        }

        if (hasInnerButton())
        {
            if (innerButton == nullptr)
            {
                innerButton = std::make_unique<juce::TextButton> (juce::String());
                innerButton->setConnectedEdges (juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight);
                innerButton->addListener (this);
                addAndMakeVisible (*innerButton);
            }

            innerButton->setColour (juce::TextButton::buttonColourId, look->innerColour);
            innerButton->setColour (juce::TextButton::buttonOnColourId, look->innerOnColour);
            innerButton->setBounds (0, look->innerTop, w, h + look->innerExtraHeight);
        }
    }

    if (applyBounds)
        setBounds (x, y, w, h);
}

void KwsBut::addListener (kwsbutListener* listener)
{
    const juce::ScopedLock sl (lock);
    idListeners.addIfNotAlreadyThere (listener);
}

void KwsBut::addChangeListener (kwsbutChangeListener* listener)
{
    const juce::ScopedLock sl (lock);
    changeListeners.addIfNotAlreadyThere (listener);
}

void KwsBut::notifyListeners()
{
    // A listener may delete the button (a page closing on its CANCEL).
    const juce::Component::SafePointer<KwsBut> alive (this);

    for (int i = changeListeners.size(); --i >= 0 && alive != nullptr;)
        changeListeners.getUnchecked (i)->kwsButtonChanged (this);

    for (int i = alive != nullptr ? idListeners.size() : 0; --i >= 0 && alive != nullptr;)
        idListeners.getUnchecked (i)->kwsButtonClicked (id);
}

void KwsBut::buttonClicked (juce::Button* button)
{
    if (button != nullptr && button == innerButton.get())
        notifyListeners();
}

void KwsBut::mouseDown (const juce::MouseEvent& e)
{
    // The inner button covers these styles and reports its own clicks.
    if (style == kwsButBar || style == kwsButBank)
        return;

    if (style == kwsButToggle && e.x > kIndicatorZoneRight)
        return;

    pressed = true;

    // A listener may delete the button (a dialog closing on its OK).
    const juce::Component::SafePointer<KwsBut> alive (this);
    notifyListeners();

    if (alive != nullptr)
        repaint();
}

void KwsBut::mouseUp (const juce::MouseEvent&)
{
    if (style == kwsButBar || style == kwsButBank)
        return;

    pressed = false;
    repaint();

    if (style == kwsButToggle)
    {
        toggled = ! toggled;
        repaint();
    }
}

void KwsBut::paint (juce::Graphics& g)
{
    if (style > 100)
        return;

    if (style == kwsButToggle)
        paintToggle (g);
    else if (style == kwsButImage)
        paintImage (g);
    else
        paintPlain (g);
}

void KwsBut::paintPlain (juce::Graphics& g)
{
    const int w = getWidth(), h = getHeight();
    g.setFont (EditorLook::font (fontHeight));

    if (pressed || toggled)
    {
        g.setColour (downFill);
        g.fillRoundedRectangle (0.0f, 0.0f, (float) w, (float) h, 4.0f);
        g.setColour (edgeB);
        g.drawHorizontalLine (0, 1.0f, (float) (w - 1));
        g.drawVerticalLine (0, 1.0f, (float) (h - 1));
        g.setColour (edgeA);
        g.drawHorizontalLine (h - 1, 1.0f, (float) (w - 1));
        g.drawVerticalLine (w - 1, 1.0f, (float) (h - 1));
        // Shifted a pixel down and right, so the caption sinks with the face.
        g.setColour (downTextColour);
        g.drawText (caption, 1, 1, w, h, juce::Justification::centred, false);
        return;
    }

    g.setColour (normalFill);
    g.fillRoundedRectangle (1.0f, 1.0f, (float) (w - 2), (float) (h - 2), 1.0f);
    g.setColour (textColour);
    g.drawText (caption, 0, 0, w, h, juce::Justification::centred, false);
    g.setColour (edgeA);
    g.drawHorizontalLine (0, 1.0f, (float) (w - 1));
    g.drawVerticalLine (0, 1.0f, (float) (h - 1));
    g.setColour (edgeB);
    g.drawHorizontalLine (h - 1, 1.0f, (float) (w - 1));
    g.drawVerticalLine (w - 1, 1.0f, (float) (h - 1));
}

void KwsBut::paintToggle (juce::Graphics& g)
{
    g.setFont (EditorLook::font (fontHeight));
    g.drawImage (toggled ? indicatorOn : indicatorOff, 2, 5, 15, 11, 0, 0, 15, 11);
    g.setColour (textColour);
    g.drawText (caption, kIndicatorZoneRight, 1, getWidth(), getHeight(), juce::Justification::left, false);
}

void KwsBut::paintImage (juce::Graphics& g)
{
    const int w = getWidth();
    imageHeight = 22;
    const int top = (getHeight() - imageHeight) / 2;
    const auto& face = pressed ? facePressed : faceNormal;

    // Any width up to the image's: the face's left part, then its right edge.
    g.drawImage (face, 0, top, w, imageHeight, 0, 0, w, imageHeight);
    g.drawImage (face, w - 1, top, 1, imageHeight, kFaceEdgeColumn, 0, 1, imageHeight);

    if (caption.isNotEmpty())
    {
        g.setFont (EditorLook::font ((float) imageFontHeight));
        g.setColour (textColour);
        g.drawText (caption, 0, top, w, imageHeight, juce::Justification::centred, false);
    }
}

void KwsBut::paintOverChildren (juce::Graphics& g)
{
    if (style < kwsButBar)
        return;

    const int w = getWidth(), h = getHeight();
    g.setFont (EditorLook::font (fontHeight));
    g.setColour (textColour);
    g.drawText (caption, 0, 0, w, h, juce::Justification::centred, false);

    if (style == kwsButBar)
    {
        g.setColour (EditorLook::faceEdge);
        g.drawLine (0.0f, (float) h, (float) w, (float) h);
    }
}
