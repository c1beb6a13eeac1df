// The program editor's envelope screens, for the artwork tool.
#include <juce_graphics/juce_graphics.h>

// The envelope's screen: a dark, slightly blue glass in a black bezel, with a
// dotted grid every eight pixels that the outline is read against.
void envelopeScreen (juce::Graphics& g, int w, int h)
{
    const auto frame = juce::Rectangle<float> (0.0f, 0.0f, (float) w, (float) h);
    g.setColour (juce::Colour (0xff08090a));
    g.fillRoundedRectangle (frame, 5.0f);

    const auto glass = frame.reduced (3.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff1a2128), 0.0f, glass.getY(), juce::Colour (0xff0c1014),
                                             0.0f, glass.getBottom(), false));
    g.fillRoundedRectangle (glass, 3.0f);

    g.setColour (juce::Colour (0xff3a4650));
    for (float y = glass.getY() + 4.0f; y < glass.getBottom() - 2.0f; y += 8.0f)
        for (float x = glass.getX() + 4.0f; x < glass.getRight() - 2.0f; x += 4.0f)
            g.fillRect (x, y, 1.0f, 1.0f);
    for (float x = glass.getX() + 4.0f; x < glass.getRight() - 2.0f; x += 8.0f)
        for (float y = glass.getY() + 4.0f; y < glass.getBottom() - 2.0f; y += 4.0f)
            g.fillRect (x, y, 1.0f, 1.0f);

    g.setColour (juce::Colour (0xff2c3238));
    g.drawRoundedRectangle (glass.expanded (0.5f), 3.0f, 1.0f);
}

// Laid over the screen at 30 %: a reflection strongest at the top edge,
// fading to almost nothing at the bottom.
void envelopeGloss (juce::Graphics& g, int w, int h)
{
    g.setGradientFill (juce::ColourGradient (juce::Colour (0x5effffff), 0.0f, 0.0f, juce::Colour (0x06ffffff), 0.0f,
                                             (float) h, false));
    g.fillRoundedRectangle (0.0f, 0.0f, (float) w, (float) h, 4.0f);

    // A brighter band across the upper third, as glass catches a ceiling light.
    g.setGradientFill (juce::ColourGradient (juce::Colour (0x40ffffff), 0.0f, 2.0f, juce::Colour (0x00ffffff), 0.0f,
                                             (float) h * 0.35f, false));
    g.fillRoundedRectangle (3.0f, 2.0f, (float) w - 6.0f, (float) h * 0.35f, 3.0f);
}
