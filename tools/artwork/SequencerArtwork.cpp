// The sequencer track's face, for the artwork generator.
#include <juce_graphics/juce_graphics.h>

// A dark well in the colour of the panel's sections, the reset row set off
// along the top, and every fourth step column a shade lighter so the beats
// read at a glance; the track stretches it to any size.
void sequencerTrackFace (juce::Graphics& g, int w, int h)
{
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff23272b), 0.0f, 0.0f, juce::Colour (0xff15181b), 0.0f, (float) h, false));
    g.fillAll();

    const float column = (float) w / 16.0f;
    for (int beat = 0; beat < 4; beat += 2)
    {
        g.setColour (juce::Colour (0x0cffffff));
        g.fillRect (juce::Rectangle<float> ((float) (beat + 1) * 4.0f * column, 0.0f, 4.0f * column, (float) h));
    }

    const float resetRow = (float) h * 15.0f / 155.0f;
    g.setColour (juce::Colour (0x55000000));
    g.fillRect (juce::Rectangle<float> (0.0f, 0.0f, (float) w, resetRow));
    g.setColour (juce::Colour (0x30ffffff));
    g.fillRect (juce::Rectangle<float> (0.0f, resetRow, (float) w, 1.0f));

    g.setGradientFill (juce::ColourGradient (juce::Colour (0x40000000), 0.0f, (float) h - 10.0f, juce::Colours::transparentBlack, 0.0f, (float) h - 30.0f, false));
    g.fillRect (0, h - 30, w, 30);

    g.setColour (juce::Colour (0xff0b0c0e));
    g.drawRect (0, 0, w, h, 1);
}
