#include "editor/widgets/KwsCont.h"

#include "editor/EditorLook.h"

#include <cmath>

// KwsCont's drawing; its set-up, values and gestures are in KwsCont.cpp.

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
