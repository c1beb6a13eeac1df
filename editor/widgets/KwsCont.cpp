#include "editor/widgets/KwsCont.h"

#include "core/VellixAudioProcessor.h"
#include "core/model/ParDes.h"
#include "editor/EditorLook.h"

#include <BrindlemarkAssets.h>

#include <cmath>

namespace
{
// The knob's travel: 290 degrees over the strip, 5.35 degrees a frame.
constexpr double kKnobTravel = 290.0;
constexpr double kDegreesPerFrame = 5.35;

const juce::String notOffered ("*/*");

juce::Image decode (const char* data, int size)
{
    return juce::ImageCache::getFromMemory (data, size);
}
} // namespace

KwsCont::KwsCont (VellixAudioProcessor& p) : processor (p)
{
}

KwsCont::~KwsCont() = default;

void KwsCont::setup (int pos, const juce::String& text, int x, int y, int w, int h, int min, int max, int styleCode,
                     int kind)
{
    position = pos;
    label = text;
    designX = (float) x;
    designTop = (float) (y - 16);
    width = w;
    height = h;
    minimum = min;
    maximum = max;
    style = styleCode;
    displayKind = kind;
    displayedValue = 0;
    setBounds (x, y - 16, w, h);

    using namespace BrindlemarkAssets;
    if (style == kwsContKnob)
    {
        knobStrip = decode (knob_strip_png, knob_strip_pngSize);
        knobRange = maximum - minimum;
        knobFrame = 0;
    }
    else if (style == kwsContList)
    {
        listBox = decode (list_box_png, list_box_pngSize);
        listArrow = decode (list_arrow_png, list_arrow_pngSize);
        listGloss = decode (list_gloss_png, list_gloss_pngSize);
    }
    else if (style == kwsContCheck || style == kwsContSwitch)
    {
        ledPair = decode (led_pair_png, led_pair_pngSize);
    }
}

void KwsCont::setBackgroundFill()
{
    fillBackground = true;
    setOpaque (artPage == nullptr);
}

void KwsCont::leaveArtTo (PageArt* page)
{
    artPage = page;
    setOpaque (fillBackground && artPage == nullptr);
    repaint();
}

void KwsCont::visibilityChanged()
{
    if (artPage != nullptr)
        artPage->childArtChanged();
}

juce::Rectangle<int> KwsCont::scaled (int x, int y, int w, int h) const noexcept
{
    return EditorLook::scaled (juce::Rectangle<float> ((float) x, (float) y, (float) w, (float) h), scale);
}

void KwsCont::applyBounds()
{
    setBounds (EditorLook::scaled (juce::Rectangle<float> (designX, designTop, (float) width, (float) height), scale));
}

void KwsCont::setScale (float s)
{
    scale = s;
    applyBounds();
}

void KwsCont::setPosition (int x, int y)
{
    designX = (float) x;
    designTop = (float) (y - 16);
    applyBounds();
}

void KwsCont::setLabel (const juce::String& text)
{
    if (label != text)
    {
        label = text;
        repaint();
        if (artPage != nullptr)
            artPage->childArtChanged();
    }
}

void KwsCont::setRepaintEnabled (bool enabled)
{
    repaintEnabled = enabled;

    if (enabled && repaintPending)
    {
        repaintPending = false;
        repaint();
    }
}

int KwsCont::knobFrameFor (int value, int min, int range) noexcept
{
    // A one-value knob has no travel: it rests at its first frame.
    if (range <= 0)
        return 0;

    const double f = (kKnobTravel - (range - (value - min)) * (kKnobTravel / range)) / kDegreesPerFrame;
    return (int) std::nearbyint (juce::jlimit (0.0, (double) (kNumKnobFrames - 1), f));
}

int KwsCont::dragValue (int dx, int dy, int startValue, int max) noexcept
{
    const int divisor = max < kSlowDragBelow ? kSlowDragBelow : 1;
    return dx / divisor + startValue - dy / divisor;
}

void KwsCont::setDisplayedValue (int value, const juce::String& text)
{
    value = juce::jmax (minimum, juce::jmin (maximum, value));

    if (value == displayedValue)
        return;

    displayedValue = value;

    if (style == kwsContKnob)
        knobFrame = knobFrameFor (value, minimum, knobRange);

    valueText = text;

    if (repaintEnabled)
        repaint();
    else
        repaintPending = true;
}

void KwsCont::sendProgramParameter (int value, bool endGestureNow)
{
    processor.changeProgramParameter (position, value, endGestureNow, true);
}

void KwsCont::requestValue (int value)
{
    value = juce::jlimit (minimum, maximum, value);

    if (value != displayedValue)
        sendProgramParameter (value, false);
}

void KwsCont::toggle()
{
    sendProgramParameter (displayedValue == 0 ? 1 : 0, false);
}

juce::PopupMenu KwsCont::buildValueList() const
{
    juce::PopupMenu menu;

    for (int v = 0; v <= maximum; ++v)
    {
        const auto text = ParDes::getValueText (displayKind, v);
        if (text != notOffered)
            menu.addItem (v + 1, text);
    }

    return menu;
}

void KwsCont::showValueList()
{
    auto menu = buildValueList();
    // The editor window's look, which the menu cannot find by itself.
    menu.setLookAndFeel (&getLookAndFeel());

    juce::Component::SafePointer<KwsCont> safeThis (this);
    menu.showMenuAsync (juce::PopupMenu::Options().withTargetComponent (this), [safeThis] (int itemId) {
        if (safeThis != nullptr)
            safeThis->handleValueList (itemId);
    });
}

void KwsCont::handleValueList (int itemId)
{
    if (itemId <= 0)
        return;

    // The list starts at 0 whatever the minimum: a value below it is never sent.
    sendProgramParameter (juce::jlimit (minimum, maximum, itemId - 1), true);
}

void KwsCont::addListener (KwsContListener* listener)
{
    const juce::ScopedLock sl (lock);
    listeners.addIfNotAlreadyThere (listener);
}

void KwsCont::mouseDown (const juce::MouseEvent& e)
{
    if (e.mods.isRightButtonDown())
    {
        dragging = false;
        for (int i = listeners.size(); --i >= 0;)
            listeners.getUnchecked (i)->kwsContEvent (kRightButtonCode, position, section);
        return;
    }

    pressX = e.x;
    pressY = e.y;

    switch (style)
    {
        case kwsContList:
            if ((float) e.y < (float) kListStripHeight * scale)
                listArmed = true;
            break;

        case kwsContCheck:
            if ((float) e.x < (float) kCheckZoneWidth * scale)
                toggle();
            break;

        case kwsContKnob:
            dragStartValue = displayedValue;
            dragging = true;
            break;

        case kwsContSwitch:
        {
            const int d = (width - kSwitchZoneWidth) / 2;
            if ((float) d * scale < (float) e.x && (float) e.x < (float) (d + kSwitchZoneWidth) * scale)
                toggle();
            break;
        }

        default:
            break;
    }
}

void KwsCont::mouseDrag (const juce::MouseEvent& e)
{
    if (dragging)
        requestValue (dragValue (e.x - pressX, e.y - pressY, dragStartValue, maximum));
}

void KwsCont::mouseUp (const juce::MouseEvent& e)
{
    if (e.mods.isRightButtonDown())
        return;

    if (style == kwsContList && listArmed && (float) e.y < (float) kListStripHeight * scale)
        showValueList();

    // A knob's gesture ends by the processor's own timer after the last move.
    dragging = false;
    listArmed = false;
}

void KwsCont::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    if (wheel.deltaY > 0.0f)
        requestValue (displayedValue + 1);
    else if (wheel.deltaY < 0.0f)
        requestValue (displayedValue - 1);
}
