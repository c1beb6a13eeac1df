#include "SetupArtwork.h"

namespace SetupArtwork
{
namespace
{
const juce::Colour amber (0xffe8920c), amberDim (0xff4a3414), bezel (0xff0b0c0e), edge (0xff3b4048);

void knob (juce::Graphics& g, juce::Rectangle<float> area, float position)
{
    const auto centre = area.getCentre();
    const float radius = area.getWidth() / 2.0f;
    constexpr float start = -2.4f, end = 2.4f;
    const float angle = start + position * (end - start);

    // The ring of the value, lit up to the knob's position.
    juce::Path track, lit;
    track.addCentredArc (centre.x, centre.y, radius - 2.0f, radius - 2.0f, 0.0f, start, end, true);
    g.setColour (amberDim);
    g.strokePath (track, juce::PathStrokeType (3.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    if (position > 0.0f)
    {
        lit.addCentredArc (centre.x, centre.y, radius - 2.0f, radius - 2.0f, 0.0f, start, angle, true);
        g.setColour (amber);
        g.strokePath (lit, juce::PathStrokeType (3.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }

    const auto body = area.reduced (7.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff4a5058), body.getX(), body.getY(), juce::Colour (0xff15171a),
                                             body.getRight(), body.getBottom(), false));
    g.fillEllipse (body);
    g.setColour (edge);
    g.drawEllipse (body, 1.0f);

    const float inner = body.getWidth() / 2.0f - 3.0f;
    g.setColour (juce::Colour (0xfff3f3f3));
    g.drawLine (centre.x + std::sin (angle) * inner * 0.35f, centre.y - std::cos (angle) * inner * 0.35f,
                centre.x + std::sin (angle) * inner, centre.y - std::cos (angle) * inner, 2.0f);
}
} // namespace

void knobStrip (juce::Graphics& g, int, int)
{
    for (int frame = 0; frame < kKnobFrames; ++frame)
        knob (g, juce::Rectangle<float> ((float) (frame * kKnobPitch), 0.0f, (float) kKnobSize, (float) kKnobSize).reduced (2.0f),
              (float) frame / (float) (kKnobFrames - 1));
}

void valueField (juce::Graphics& g, int w, int h)
{
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff2b3036), 0.0f, 0.0f, juce::Colour (0xff101215), 0.0f, (float) h, false));
    g.fillRoundedRectangle (0.5f, 0.5f, (float) w - 1.0f, (float) h - 1.0f, 3.0f);
    g.setColour (juce::Colour (0xff5b6b78));
    g.drawRoundedRectangle (0.5f, 0.5f, (float) w - 1.0f, (float) h - 1.0f, 3.0f, 1.0f);
}

void switchStates (juce::Graphics& g, int, int h)
{
    for (const bool on : { false, true })
    {
        const auto frame = juce::Rectangle<float> (on ? 36.0f : 0.0f, 0.0f, 35.0f, (float) h).reduced (1.5f, 3.5f);
        g.setColour (on ? amber : juce::Colour (0xff2a2e35));
        g.fillRoundedRectangle (frame, frame.getHeight() / 2.0f);
        g.setColour (edge);
        g.drawRoundedRectangle (frame, frame.getHeight() / 2.0f, 1.0f);

        const float d = frame.getHeight() - 4.0f;
        const float x = on ? frame.getRight() - d - 2.0f : frame.getX() + 2.0f;
        g.setColour (juce::Colour (on ? 0xfffdf6ea : 0xff8a9099));
        g.fillEllipse (x, frame.getY() + 2.0f, d, d);
    }
}

void closeBox (juce::Graphics& g, int w, int h)
{
    const auto area = juce::Rectangle<float> ((float) w, (float) h).reduced (1.5f);
    g.setColour (juce::Colour (0xff15222a));
    g.fillEllipse (area);
    g.setColour (juce::Colour (0xff8fb3c8));
    g.drawEllipse (area, 2.5f);
    const auto cross = area.reduced (9.0f);
    g.drawLine (cross.getX(), cross.getY(), cross.getRight(), cross.getBottom(), 3.0f);
    g.drawLine (cross.getRight(), cross.getY(), cross.getX(), cross.getBottom(), 3.0f);
}

void aboutBox (juce::Graphics& g, int w, int h)
{
    const auto area = juce::Rectangle<float> ((float) w, (float) h);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xfff4f1ea), 0.0f, 0.0f, juce::Colour (0xffd9d4c8), 0.0f, (float) h, false));
    g.fillRoundedRectangle (area, 12.0f);

    // The top band with the name, in the bar's amber.
    juce::Path band;
    band.addRoundedRectangle (0.0f, 0.0f, (float) w, 80.0f, 12.0f, 12.0f, true, true, false, false);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xffd69000), 0.0f, 0.0f, juce::Colour (0xffa85f05), 0.0f, 80.0f, false));
    g.fillPath (band);
    g.setColour (juce::Colour (0xff1b1d22));
    g.setFont (juce::Font ("Arial", 40.0f, juce::Font::bold));
    g.drawText ("Brindlemark", 30, 14, w - 60, 52, juce::Justification::centredLeft);

    // A calm wave on the right, away from the texts on the left.
    juce::Path wave;
    wave.startNewSubPath (250.0f, 175.0f);
    for (int x = 250; x <= w - 20; x += 2)
        wave.lineTo ((float) x, 175.0f - 28.0f * std::sin ((float) (x - 250) / 26.0f) * std::exp (-(float) (x - 250) / 160.0f));
    g.setColour (juce::Colour (0xff457089));
    g.strokePath (wave, juce::PathStrokeType (2.5f));

    g.setColour (juce::Colour (0xff8a8478));
    g.drawRoundedRectangle (area.reduced (1.0f), 12.0f, 2.0f);
}

void aboutPicture (juce::Graphics& g, int w, int h)
{
    // A small desktop synthesizer seen from the front.
    const auto body = juce::Rectangle<float> (10.0f, 30.0f, (float) w - 20.0f, (float) h - 50.0f);
    g.setColour (juce::Colour (0x66000000));
    g.fillRoundedRectangle (body.translated (4.0f, 6.0f), 8.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff2e3238), 0.0f, body.getY(), juce::Colour (0xff141619), 0.0f, body.getBottom(), false));
    g.fillRoundedRectangle (body, 8.0f);
    g.setColour (edge);
    g.drawRoundedRectangle (body, 8.0f, 1.5f);

    g.setColour (juce::Colour (0xffd69000));
    g.fillRect (body.getX() + 14.0f, body.getY() + 12.0f, 90.0f, 4.0f);

    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 8; ++col)
            knob (g, { body.getX() + 18.0f + (float) col * 42.0f, body.getY() + 26.0f + (float) row * 40.0f, 30.0f, 30.0f },
                  (float) ((col * 5 + row * 3) % 9) / 8.0f);

    g.setColour (bezel);
    g.fillRoundedRectangle (body.getX() + 8.0f, body.getBottom() - 6.0f, 24.0f, 10.0f, 2.0f);
    g.fillRoundedRectangle (body.getRight() - 32.0f, body.getBottom() - 6.0f, 24.0f, 10.0f, 2.0f);
}
} // namespace SetupArtwork
