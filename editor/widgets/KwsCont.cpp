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

//==============================================================================
void KwsCont::paint (juce::Graphics& g)
{
    const bool ownArt = artPage == nullptr;
    if (ownArt && fillBackground)
        g.fillAll (EditorLook::controlFill);

    switch (style)
    {
        case kwsContKnob:
            paintKnob (g);
            if (ownArt)
                paintCaption (g, scaled (0, 21, width, height), juce::Justification::centred);
            break;

        case kwsContList:
            if (ownArt)
                paintListArt (g);
            paintListValue (g);
            if (ownArt)
                paintCaption (g, scaled (0, 10, width, height), juce::Justification::centred);
            break;

        case kwsContCheck:
            paintLed (g, 0);
            paintCaption (g, scaled (36, 0, width, height), juce::Justification::topLeft);
            break;

        case kwsContSwitch:
            paintLed (g, (width - kLedWidth) / 2);
            paintCaption (g, scaled (0, 10, width, height), juce::Justification::centred);
            break;

        default:
            break;
    }
}

// The captions of knobs and lists share no pixel with what the value changes
// (a knob's pointer ends above its caption, a list's box above its own), so
// painting them first, with the page, leaves the picture as it was. An LED's
// caption starts on the lamp's edge, so it stays with the lamp.
void KwsCont::paintArt (juce::Graphics& g)
{
    if (fillBackground)
        g.fillAll (EditorLook::controlFill);

    if (style == kwsContKnob)
    {
        paintCaption (g, scaled (0, 21, width, height), juce::Justification::centred);
    }
    else if (style == kwsContList)
    {
        paintListArt (g);
        paintCaption (g, scaled (0, 10, width, height), juce::Justification::centred);
    }
}

void KwsCont::paintCaption (juce::Graphics& g, juce::Rectangle<int> area, juce::Justification where)
{
    const auto font = EditorLook::font (12.0f * scale);
    g.setColour (EditorLook::text);
    g.setFont (font);

    // A caption centred on an area that reaches past the control's bottom
    // ends on that edge; where the typeface's descenders go deeper than its
    // metrics say, they would be cut, so the caption is lifted just enough.
    if (where.testFlags (juce::Justification::verticallyCentred))
    {
        const int bottom = area.getY() + (int) std::ceil ((area.getHeight() + font.getHeight()) * 0.5f) + 1;
        if (bottom > getHeight())
            area.translate (0, getHeight() - bottom);
    }

    // A caption wider than its place is narrowed a little rather than cut.
    g.drawFittedText (label, area, where, 1, 0.8f);
}

// The images are drawn resampled to the control's scale. Resampling at every
// paint costs more than the rest of the page, so the pictures are made once
// for a size and shared with every control that draws the same.
void KwsCont::drawScaled (juce::Graphics& g, const juce::Image& image, juce::Rectangle<int> source,
                          juce::Rectangle<int> design)
{
    const auto area = scaled (design.getX(), design.getY(), design.getWidth(), design.getHeight());
    if (area.isEmpty() || image.isNull())
        return;

    if (area.getWidth() == source.getWidth() && area.getHeight() == source.getHeight())
    {
        g.drawImage (image, area.getX(), area.getY(), area.getWidth(), area.getHeight(), source.getX(), source.getY(),
                     source.getWidth(), source.getHeight());
        return;
    }

    g.drawImageAt (scaledArt->get (image, source, area.getWidth(), area.getHeight()), area.getX(), area.getY());
}

void KwsCont::paintKnob (juce::Graphics& g)
{
    drawScaled (g, knobStrip, { knobFrame * kKnobFrameStride, 0, kKnobFrameSize, kKnobFrameSize },
                { width / 2 - 15, 0, 50, 50 });

    g.setColour (EditorLook::text);
    g.setFont (EditorLook::font (11.0f * scale));
    g.drawText (valueText, scaled (0, 9, width, height), juce::Justification::centred, false);
}

void KwsCont::paintListArt (juce::Graphics& g)
{
    drawScaled (g, listBox, { 0, 0, 200, kListStripHeight }, { 0, 0, 200, kListStripHeight });
    drawScaled (g, listArrow, { 0, 0, kListArrowWidth, kListStripHeight },
               { width - kListArrowWidth, 0, kListArrowWidth, kListStripHeight });
    drawScaled (g, listGloss, { 0, 0, 100, 17 }, { 0, 0, width, kListStripHeight });
}

void KwsCont::paintListValue (juce::Graphics& g)
{
    g.setColour (EditorLook::valueText);
    const auto font = EditorLook::font (12.0f * scale);
    g.setFont (font);
    // Centred over the whole box, unless it would then run into the arrow, as
    // a long text in a wide box or any text in a narrow one can: then centred
    // in what the arrow leaves, and narrowed if it must be.
    const float textWidth = font.getStringWidthFloat (valueText) / juce::jmax (scale, 0.01f);
    if (4.0f + (float) width / 2.0f + textWidth / 2.0f <= (float) (width - kListArrowWidth))
        g.drawText (valueText, scaled (4, 0, width, 20), juce::Justification::centred, false);
    else
        g.drawFittedText (valueText, scaled (2, 0, width - kListArrowWidth - 2, 20), juce::Justification::centred, 1,
                          0.6f);
}

void KwsCont::paintLed (juce::Graphics& g, int left)
{
    const bool lit = displayedValue == 1;
    drawScaled (g, ledPair, { lit ? kLedOnSourceX : 0, 0, kLedWidth, kLedHeight }, { left, 0, kLedWidth, kLedHeight });

    if (lit)
    {
        g.setColour (EditorLook::ledTint);
        // The switch's tint is a pixel narrower than its lamp.
        g.fillRect (scaled (left, 0, style == kwsContSwitch ? kLedWidth - 1 : kLedWidth, kLedHeight));
    }
}
