#include "BankArtwork.h"

// A faint sheen from the upper left and fine horizontal rules every 26
// pixels: the grid lays it over its rows at low opacity, so it only tints.
void gridBackground (juce::Graphics& g, int w, int h)
{
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff3c4650), 0.0f, 0.0f, juce::Colour (0xff0c0f12), (float) w,
                                             (float) h, false));
    g.fillAll();

    g.setGradientFill (juce::ColourGradient (juce::Colour (0x30ffffff), 0.0f, 0.0f, juce::Colours::transparentWhite,
                                             (float) w * 0.6f, (float) h * 0.35f, false));
    g.fillRect (0, 0, w, h);

    g.setColour (juce::Colour (0x18000000));
    for (int y = 25; y < h; y += 26)
        g.fillRect (0, y, w, 1);
}

void thumbCapsule (juce::Graphics& g, int w, int h, juce::Colour left, juce::Colour right, juce::Colour edge, juce::Colour grip)
{
    const auto body = juce::Rectangle<float> (1.0f, 1.0f, (float) w - 2.0f, (float) h - 2.0f);
    g.setGradientFill (juce::ColourGradient (left, body.getX(), 0.0f, right, body.getRight(), 0.0f, false));
    g.fillRoundedRectangle (body, 6.0f);
    g.setColour (edge);
    g.drawRoundedRectangle (body, 6.0f, 1.2f);

    g.setColour (grip);
    for (int i = -1; i <= 1; ++i)
        g.fillRect (7.0f, (float) h / 2.0f + (float) i * 4.0f - 0.5f, (float) w - 14.0f, 1.0f);
}

// The grid's thumb: blue, beside the library's grey one.
void gridThumb (juce::Graphics& g, int w, int h)
{
    thumbCapsule (g, w, h, juce::Colour (0xff4fa7c4), juce::Colour (0xff1f5a6e), juce::Colour (0xff0b1a20), juce::Colour (0x90ffffff));
}

namespace
{
void ledLamp (juce::Graphics& g, float left, bool lit)
{
    const auto bezel = juce::Rectangle<float> (left, 0.0f, 14.0f, 9.0f);
    g.setColour (juce::Colour (0xff08090a));
    g.fillRoundedRectangle (bezel, 4.0f);

    const auto lens = bezel.reduced (1.5f);
    const auto top = lit ? juce::Colour (0xffa0ffb0) : juce::Colour (0xff5e6468);
    const auto bottom = lit ? juce::Colour (0xff16c43a) : juce::Colour (0xff2c3034);
    g.setGradientFill (juce::ColourGradient (top, 0.0f, lens.getY(), bottom, 0.0f, lens.getBottom(), false));
    g.fillRoundedRectangle (lens, 3.0f);
    g.setColour (juce::Colour (lit ? 0xa0ffffff : 0x40ffffff));
    g.fillRoundedRectangle (lens.getX() + 2.0f, lens.getY() + 0.6f, lens.getWidth() - 4.0f, 1.2f, 0.6f);
}
} // namespace

// Off in the left 14 x 9, on from x 15.
void ledSwitch (juce::Graphics& g, int, int)
{
    ledLamp (g, 0.0f, false);
    ledLamp (g, 15.0f, true);
}
