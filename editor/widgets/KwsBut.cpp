#include "editor/widgets/KwsBut.h"

#include <BrindlemarkAssets.h>

namespace
{
struct StyleLook
{
    int style;
    float fontHeight;
    juce::uint32 text, downText, normalFill, downFill, edges;
    juce::uint32 innerColour, innerOnColour;
    int innerTop, innerExtraHeight;
};

// Colours left at 0 stay transparent, as the style does not use them.
constexpr StyleLook styleLooks[] = {
    { kwsButToggle, 13.0f, 0xffffffff, 0xfff0f0f0, 0xff202d31, 0xff040405, 0xff000000, 0, 0, 0, 0 },
    { kwsButPlain, 13.0f, 0xffffffff, 0xffffffff, 0xff202d31, 0xff040405, 0xff000000, 0, 0, 0, 0 },
    { kwsButImage, 12.0f, 0xff000000, 0, 0, 0, 0, 0, 0, 0, 0 },
    // The inner button reaches past the top and bottom so its rounded ends are clipped.
    { kwsButBar, 12.0f, 0xff000000, 0xffffffff, 0, 0, 0, 0xffc87003, 0xff8b4916, -3, 6 },
    { kwsButBank, 12.0f, 0xff000000, 0xffffffff, 0, 0, 0, 0xffc87003, 0xff8b4916, -3, 6 },
    // Ends two pixels short of the bottom: that strip is pressed on the button itself.
    { kwsButDialog, 13.0f, 0xffffffff, 0xffffffff, 0, 0, 0, 0xff5a6163, 0xff000000, -5, 3 },
};

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

juce::Font arial (float height)
{
    return juce::Font ("Arial", height, juce::Font::plain);
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
        textColour = juce::Colour (look->text);
        downTextColour = juce::Colour (look->downText);
        normalFill = juce::Colour (look->normalFill);
        downFill = juce::Colour (look->downFill);
        edgeA = edgeB = juce::Colour (look->edges);

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

            innerButton->setColour (juce::TextButton::buttonColourId, juce::Colour (look->innerColour));
            innerButton->setColour (juce::TextButton::buttonOnColourId, juce::Colour (look->innerOnColour));
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
    for (int i = changeListeners.size(); --i >= 0;)
        changeListeners.getUnchecked (i)->kwsButtonChanged (this);

    for (int i = idListeners.size(); --i >= 0;)
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
    g.setFont (arial (fontHeight));

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
    g.setFont (arial (fontHeight));
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
        g.setFont (arial ((float) imageFontHeight));
        g.setColour (textColour);
        g.drawText (caption, 0, top, w, imageHeight, juce::Justification::centred, false);
    }
}

void KwsBut::paintOverChildren (juce::Graphics& g)
{
    if (style < kwsButBar)
        return;

    const int w = getWidth(), h = getHeight();
    g.setFont (arial (fontHeight));
    g.setColour (textColour);
    g.drawText (caption, 0, 0, w, h, juce::Justification::centred, false);

    if (style == kwsButBar)
    {
        g.setColour (juce::Colours::black);
        g.drawLine (0.0f, (float) h, (float) w, (float) h);
    }
}
