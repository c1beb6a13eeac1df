// Draws the plug-in's widget images and writes them as PNG files into
// assets/images, from where the build embeds them. Run it after changing a
// drawing here:  build/tests/tools/brindlemark_artwork assets/images
#include "SetupArtwork.h"

#include <juce_graphics/juce_graphics.h>
#include <juce_events/juce_events.h>

#include "BankArtwork.h"

#include <cmath>
#include <functional>
#include <iostream>

// The program editor's painters, in EditorArtwork.cpp.
void envelopeScreen (juce::Graphics& g, int w, int h);
void envelopeGloss (juce::Graphics& g, int w, int h);
// The sequencer's painters, in SequencerArtwork.cpp.
void sequencerTrackFace (juce::Graphics& g, int w, int h);

namespace
{
using Painter = std::function<void (juce::Graphics&, int width, int height)>;

// The wheels' film strip: frames 55 pixels wide, one every 54.
constexpr int kWheelFrames = 35, kWheelFrameWidth = 55, kWheelFrameStep = 54;

struct Artwork
{
    const char* fileName;
    int width, height;
    bool opaque;
    Painter paint;
};

void whiteKey (juce::Graphics& g, int w, int h, bool pressed)
{
    const auto top = pressed ? juce::Colour (0xffd4dae3) : juce::Colour (0xfff7f7f4);
    const auto bottom = pressed ? juce::Colour (0xffb9c3d1) : juce::Colour (0xffe4e4df);

    g.setGradientFill (juce::ColourGradient (top, 0.0f, 0.0f, bottom, 0.0f, (float) h, false));
    g.fillAll();

    // Shadow at the top where the key meets the panel, deeper when pressed.
    g.setGradientFill (juce::ColourGradient (juce::Colour (pressed ? 0x66000000u : 0x33000000u), 0.0f, 0.0f,
                                             juce::Colours::transparentBlack, 0.0f, pressed ? 14.0f : 8.0f, false));
    g.fillRect (0, 0, w, pressed ? 14 : 8);

    if (! pressed)
    {
        g.setColour (juce::Colour (0xffcfcfc9));
        g.fillRect (1, h - 7, w - 2, 6);
    }

    g.setColour (juce::Colour (0xff5a5f66));
    g.drawRect (0, 0, w, h, 1);
}

void blackKey (juce::Graphics& g, int w, int h, bool pressed)
{
    const auto body = juce::Rectangle<float> (0.0f, -4.0f, (float) w, (float) h + 4.0f);
    const auto top = pressed ? juce::Colour (0xff3a3f47) : juce::Colour (0xff23262b);
    const auto bottom = pressed ? juce::Colour (0xff2a2e35) : juce::Colour (0xff0d0e10);

    g.setGradientFill (juce::ColourGradient (top, 0.0f, 0.0f, bottom, 0.0f, (float) h, false));
    g.fillRoundedRectangle (body, 2.5f);

    // A lighter cap at the front edge, shorter when the key is down.
    const float capHeight = pressed ? 5.0f : 10.0f;
    g.setColour (juce::Colour (pressed ? 0xff4a505a : 0xff3b4048));
    g.fillRoundedRectangle (2.0f, (float) h - capHeight - 2.0f, (float) w - 4.0f, capHeight, 2.0f);

    g.setColour (juce::Colour (0x40ffffff));
    g.fillRect (3.0f, 2.0f, 1.5f, (float) h - capHeight - 8.0f);
}

// A small lamp in a black bezel, amber like the front panel's lit keys.
void indicator (juce::Graphics& g, int w, int h, bool lit)
{
    const auto bezel = juce::Rectangle<float> (0.0f, 0.0f, (float) w, (float) h);
    g.setColour (juce::Colour (0xff0b0c0e));
    g.fillRoundedRectangle (bezel, 2.5f);
    g.setColour (juce::Colour (0xff3b4048));
    g.drawRoundedRectangle (bezel.reduced (0.5f), 2.5f, 1.0f);

    const auto lens = bezel.reduced (2.5f, 2.5f);
    const auto top = lit ? juce::Colour (0xffffc466) : juce::Colour (0xff4a3414);
    const auto bottom = lit ? juce::Colour (0xffd97a06) : juce::Colour (0xff2a1d0c);
    g.setGradientFill (juce::ColourGradient (top, 0.0f, lens.getY(), bottom, 0.0f, lens.getBottom(), false));
    g.fillRoundedRectangle (lens, 1.5f);

    // Glass reflection, brighter on the lit lamp.
    g.setColour (juce::Colour (lit ? 0x90ffffff : 0x30ffffff));
    g.fillRoundedRectangle (lens.getX() + 1.0f, lens.getY() + 0.5f, lens.getWidth() - 2.0f, 1.5f, 0.75f);
}

// The image style's face: the white keys' colours, so both read as one panel.
// Column 0 and column 119 are the outline; the widget copies column 119 to its
// right end, so the face between stays a plain gradient for every width.
void buttonFace (juce::Graphics& g, int w, int h, bool pressed)
{
    const auto top = pressed ? juce::Colour (0xffd4dae3) : juce::Colour (0xfff7f7f4);
    const auto bottom = pressed ? juce::Colour (0xffb9c3d1) : juce::Colour (0xffdcdcd6);
    g.setGradientFill (juce::ColourGradient (top, 0.0f, 0.0f, bottom, 0.0f, (float) h, false));
    g.fillAll();

    if (pressed)
    {
        g.setGradientFill (juce::ColourGradient (juce::Colour (0x55000000), 0.0f, 0.0f,
                                                 juce::Colours::transparentBlack, 0.0f, 6.0f, false));
        g.fillRect (0, 0, w, 6);
    }
    else
    {
        g.setColour (juce::Colour (0xccffffff));
        g.fillRect (1, 1, w - 2, 1);
        g.setColour (juce::Colour (0xffc4c4bd));
        g.fillRect (1, h - 3, w - 2, 2);
    }

    const auto outline = juce::Colour (0xff5a5f66);
    g.setColour (outline);
    g.fillRect (0, 0, w, 1);
    g.fillRect (0, h - 1, w, 1);
    g.fillRect (0, 0, 1, h);
    g.fillRect (119, 0, 1, h);
    g.fillRect (w - 1, 0, 1, h);
}

enum class CheckState { unticked, ticked, pressed };

// A dark slot like the plain buttons' fill, with an amber tick when on.
void checkBox (juce::Graphics& g, int w, int h, CheckState state)
{
    const auto slot = juce::Rectangle<float> (0.0f, 0.0f, (float) w, (float) h);
    const auto fill = state == CheckState::pressed ? juce::Colour (0xff34454b) : juce::Colour (0xff202d31);
    g.setGradientFill (juce::ColourGradient (fill.darker (0.4f), 0.0f, 0.0f, fill, 0.0f, (float) h, false));
    g.fillRoundedRectangle (slot, 2.0f);
    g.setColour (state == CheckState::pressed ? juce::Colour (0xffc87003) : juce::Colour (0xff000000));
    g.drawRoundedRectangle (slot.reduced (0.5f), 2.0f, 1.0f);

    if (state == CheckState::unticked)
        return;

    juce::Path tick;
    tick.startNewSubPath (6.0f, 5.5f);
    tick.lineTo (9.0f, 8.0f);
    tick.lineTo (14.5f, 2.5f);
    g.setColour (state == CheckState::ticked ? juce::Colour (0xffffa733) : juce::Colour (0xffc87003));
    g.strokePath (tick, juce::PathStrokeType (1.8f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}

// The library buttons' face, dark like the setup page's frame, drawn at twice
// the size it shows at. The face is the button's left part, the cap its right end.
void libButtonPart (juce::Graphics& g, int w, int h, bool cap)
{
    const float corner = 8.0f;
    // Reaching past the side that another part continues hides its rounding.
    const auto body = cap ? juce::Rectangle<float> (-corner * 2.0f, 0.0f, (float) w + corner * 2.0f, (float) h)
                          : juce::Rectangle<float> (0.0f, 0.0f, (float) w + corner * 2.0f, (float) h);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff3c4a52), 0.0f, 0.0f, juce::Colour (0xff172026), 0.0f,
                                             (float) h, false));
    g.fillRoundedRectangle (body, corner);
    g.setColour (juce::Colour (0x30ffffff));
    g.fillRect (body.getX() + corner, 2.0f, body.getWidth() - corner * 2.0f, 2.0f);
    g.setColour (juce::Colour (0xff0b0c0e));
    g.drawRoundedRectangle (body.reduced (1.0f), corner, 2.0f);
}

// The category buttons' face: its top nine rows, a light key-like face with
// two-pixel edges that keep their width when the middle stretches.
void categoryFace (juce::Graphics& g, int w, int)
{
    const int rows = 9;
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xfff4f4f0), 0.0f, 0.0f, juce::Colour (0xffd2d4d0), 0.0f,
                                             (float) rows, false));
    g.fillRect (0, 0, w, rows);
    g.setColour (juce::Colour (0xff5a5f66));
    g.fillRect (0, 0, 2, rows);
    g.fillRect (w - 2, 0, 2, rows);
}

// The window tools: only the close glyph is in use, at (36, 0); hovered below it.
void windowTools (juce::Graphics& g, int, int)
{
    for (const bool hovered : { false, true })
    {
        const auto box = juce::Rectangle<float> (36.0f, hovered ? 15.0f : 0.0f, 17.0f, 15.0f).reduced (1.0f);
        g.setColour (juce::Colour (hovered ? 0xff5a2a22 : 0xff2a3338));
        g.fillRoundedRectangle (box, 3.0f);
        g.setColour (juce::Colour (0xff0b0c0e));
        g.drawRoundedRectangle (box, 3.0f, 1.0f);

        const auto cross = box.reduced (4.5f, 4.0f);
        juce::Path x;
        x.startNewSubPath (cross.getTopLeft());
        x.lineTo (cross.getBottomRight());
        x.startNewSubPath (cross.getTopRight());
        x.lineTo (cross.getBottomLeft());
        g.setColour (juce::Colour (0xffe6e6e6));
        g.strokePath (x, juce::PathStrokeType (1.6f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }
}

// One arrow end of the latency slider, 18 x 18, pointing left or right.
void sliderArrow (juce::Graphics& g, float x, bool pointsLeft, bool pressed)
{
    const auto key = juce::Rectangle<float> (x, 0.0f, 18.0f, 18.0f).reduced (0.5f);
    const auto top = pressed ? juce::Colour (0xff1c2226) : juce::Colour (0xff4a555c);
    const auto bottom = pressed ? juce::Colour (0xff2c353b) : juce::Colour (0xff262d32);
    g.setGradientFill (juce::ColourGradient (top, 0.0f, 0.0f, bottom, 0.0f, 18.0f, false));
    g.fillRoundedRectangle (key, 2.5f);
    g.setColour (juce::Colour (0xff0b0c0e));
    g.drawRoundedRectangle (key, 2.5f, 1.0f);

    const float cx = x + 9.0f, tip = pointsLeft ? -3.5f : 3.5f;
    juce::Path arrow;
    arrow.addTriangle (cx + tip, 9.0f, cx - tip, 5.0f, cx - tip, 13.0f);
    g.setColour (pressed ? juce::Colour (0xffffa733) : juce::Colour (0xffe6e6e6));
    g.fillPath (arrow);
}

// The latency slider's face with its bar full; the widget hides the bar
// right of the value in black.
void sliderTrack (juce::Graphics& g, int w, int h)
{
    g.fillAll (juce::Colour (0xff0b0c0e));
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff3d86a6), 0.0f, 1.0f, juce::Colour (0xff1f4a5e), 0.0f,
                                             (float) h - 1.0f, false));
    g.fillRect (18, 1, w - 36, h - 2);
    g.setColour (juce::Colour (0x40ffffff));
    g.fillRect (18, 1, w - 36, 1);
    sliderArrow (g, 0.0f, true, false);
    sliderArrow (g, (float) w - 18.0f, false, false);
}

void sliderArrowsPressed (juce::Graphics& g, int w, int)
{
    sliderArrow (g, 0.0f, true, true);
    sliderArrow (g, (float) w - 18.0f, false, true);
}

// The scroll thumb of the library's program lists.
void listThumb (juce::Graphics& g, int w, int h)
{
    thumbCapsule (g, w, h, juce::Colour (0xff8a8f9c), juce::Colour (0xff5b5f6b), juce::Colour (0xff1c1d21), juce::Colour (0x80ffffff));
}

// The drawer's top edge: a brushed strip with a grip in the middle. Plain
// along its length, since the drawer stretches it over the whole width.
void drawerHandle (juce::Graphics& g, int w, int h)
{
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff4a4f57), 0.0f, 0.0f, juce::Colour (0xff1d2025), 0.0f,
                                             (float) h, false));
    g.fillAll();
    g.setColour (juce::Colour (0x50ffffff));
    g.fillRect (0, 0, w, 1);
    g.setColour (juce::Colour (0xff08090b));
    g.fillRect (0, h - 1, w, 1);

    for (int i = 0; i < 3; ++i)
    {
        const float y = (float) h * 0.5f - 4.0f + (float) i * 3.0f;
        g.setColour (juce::Colour (0xff0d0e10));
        g.fillRect ((float) w * 0.5f - 5.0f, y, 10.0f, 1.0f);
        g.setColour (juce::Colour (0x40ffffff));
        g.fillRect ((float) w * 0.5f - 5.0f, y + 1.0f, 10.0f, 1.0f);
    }
}

// The recess a wheel turns in: a dark slot with a bevelled rim.
void wheelWell (juce::Graphics& g, int w, int h)
{
    const auto rim = juce::Rectangle<float> (0.0f, 0.0f, (float) w, (float) h);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff101114), 0.0f, 0.0f, juce::Colour (0xff3b4048), 0.0f,
                                             (float) h, false));
    g.fillRoundedRectangle (rim, 8.0f);

    const auto slot = rim.reduced (5.0f);
    g.setColour (juce::Colour (0xff050506));
    g.fillRoundedRectangle (slot, 5.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0x90000000), 0.0f, slot.getY(), juce::Colours::transparentBlack,
                                             0.0f, slot.getY() + 16.0f, false));
    g.fillRoundedRectangle (slot, 5.0f);
    g.setColour (juce::Colour (0xff5a5f66));
    g.drawRoundedRectangle (rim.reduced (0.5f), 8.0f, 1.0f);
}

// One turn of a wheel: a rubber cylinder, its ribs and its white mark rolled
// by the frame's share of the travel.
void wheelFrame (juce::Graphics& g, int w, int h, float turn)
{
    const float cw = (float) w;
    const float ch = (float) h;
    juce::ColourGradient body (juce::Colour (0xff0c0d0f), 0.0f, 0.0f, juce::Colour (0xff0c0d0f), 0.0f, ch, false);
    body.addColour (0.5, juce::Colour (0xff4a4f57));
    g.setGradientFill (body);
    g.fillRoundedRectangle (2.0f, 0.0f, cw - 4.0f, ch, 4.0f);

    // A rib at angle a lies at y = centre - radius x cos(a): dense at the ends.
    const float radius = ch * 0.5f;
    constexpr int ribs = 24;
    for (int i = 0; i < ribs; ++i)
    {
        const float angle = juce::MathConstants<float>::pi * ((float) i + turn * 4.0f) / (float) ribs;
        const float y = radius - radius * std::cos (angle);
        const float shade = std::sin (angle);
        g.setColour (juce::Colour (0xff000000).withAlpha (0.25f + 0.35f * shade));
        g.fillRect (4.0f, y, cw - 8.0f, 1.0f + shade);
    }

    // The mark travels from the bottom (0) over the top of the roll to 127.
    const float markAngle = juce::MathConstants<float>::pi * (0.15f + 0.7f * turn);
    const float markY = radius + radius * std::cos (markAngle);
    const float markHeight = 2.0f + 5.0f * std::sin (markAngle);
    g.setColour (juce::Colour (0xffe8e8e2));
    g.fillRoundedRectangle (5.0f, markY - markHeight * 0.5f, cw - 10.0f, markHeight, 1.0f);

    g.setColour (juce::Colour (0x30ffffff));
    g.fillRect (6.0f, 0.0f, 2.0f, ch);
}

void wheelStrip (juce::Graphics& g, int, int h)
{
    for (int frame = 0; frame < kWheelFrames; ++frame)
    {
        juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (frame * kWheelFrameStep, 0, kWheelFrameWidth, h);
        g.setOrigin (frame * kWheelFrameStep, 0);
        wheelFrame (g, kWheelFrameWidth, h, (float) frame / (float) (kWheelFrames - 1));
    }
}

// The small display the velocity value is written in.
void velocityFrame (juce::Graphics& g, int w, int h)
{
    const auto bezel = juce::Rectangle<float> (0.0f, 0.0f, (float) w, (float) h);
    g.setColour (juce::Colour (0xff050607));
    g.fillRoundedRectangle (bezel, 2.0f);
    g.setColour (juce::Colour (0xff4d5051));
    g.drawRoundedRectangle (bezel.reduced (0.5f), 2.0f, 1.0f);
}

// The whole MIDI keyboard, 25 pixels an octave, on which the drawer darkens
// what the piano does not reach.
void octaveOverview (juce::Graphics& g, int w, int h)
{
    g.fillAll (juce::Colour (0xff1d2025));
    const float whiteWidth = 25.0f / 7.0f;
    const int whites = (int) std::ceil ((float) w / whiteWidth);

    for (int i = 0; i < whites; ++i)
    {
        const float x = (float) i * whiteWidth;
        g.setColour (juce::Colour (0xffe4e4df));
        g.fillRect (x, 0.0f, whiteWidth - 0.6f, (float) h);
        if (i % 7 == 0)
        {
            g.setColour (juce::Colour (0xffc87003));
            g.fillRect (x, (float) h - 5.0f, whiteWidth - 0.6f, 2.0f); // above the two rows the drawer crops
        }
    }

    constexpr float blackOffsets[] = { 2.3f, 5.9f, 12.6f, 16.1f, 19.7f };
    for (int octave = 0; octave * 25 < w; ++octave)
        for (const float offset : blackOffsets)
        {
            g.setColour (juce::Colour (0xff0d0e10));
            g.fillRect ((float) octave * 25.0f + offset, 0.0f, 2.2f, (float) h * 0.6f);
        }
}

// The program display's glass: a backlit yellow-green LCD, darker towards its
// edges, with the shadow its bezel casts along the top.
void lcdBackground (juce::Graphics& g, int w, int h)
{
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xffd3e09a), 0.0f, 0.0f, juce::Colour (0xffaebf6c), 0.0f, (float) h, false));
    g.fillAll();

    // The backlight is brightest in the middle.
    juce::ColourGradient glow (juce::Colour (0x30ffffe0), (float) w * 0.5f, (float) h * 0.45f,
                               juce::Colours::transparentWhite, 0.0f, (float) h * 0.45f, true);
    g.setGradientFill (glow);
    g.fillAll();

    g.setGradientFill (juce::ColourGradient (juce::Colour (0x50303818), 0.0f, 0.0f, juce::Colours::transparentBlack, 0.0f, 5.0f, false));
    g.fillRect (0, 0, w, 5);

    g.setColour (juce::Colour (0xff6f7c44));
    g.drawRect (0, 0, w, h, 1);
}

// Laid over the display at half opacity: the bezel's rounded frame and a
// reflection on the upper half of the glass.
void lcdOverlay (juce::Graphics& g, int w, int h)
{
    const auto frame = juce::Rectangle<float> (0.0f, 0.0f, (float) w, (float) h);

    juce::Path bezel;
    bezel.addRectangle (frame);
    bezel.addRoundedRectangle (frame.reduced (4.0f), 5.0f);
    bezel.setUsingNonZeroWinding (false);
    g.setColour (juce::Colour (0xff15171a));
    g.fillPath (bezel);

    g.setColour (juce::Colour (0xff3b4048));
    g.drawRoundedRectangle (frame.reduced (4.5f), 5.0f, 1.0f);

    g.setGradientFill (juce::ColourGradient (juce::Colour (0x60ffffff), 0.0f, 5.0f, juce::Colours::transparentWhite, 0.0f,
                                             (float) h * 0.5f, false));
    g.fillRoundedRectangle (frame.reduced (6.0f).withHeight ((float) h * 0.42f), 4.0f);
}

// The parameter knob: a dark skirt and cap with an amber pointer and value arc,
// lit from the top left, its shadow to the lower right. Frame i of 55 sits at
// x = 58 i; the pointer turns clockwise from the lower left through the top.
// The control draws a frame off-centre, so the knob sits in its upper left.
void knobFrame (juce::Graphics& g, int frame)
{
    const float cx = 17.0f, cy = 18.0f;
    const float angle = juce::degreesToRadians (-145.0f + 290.0f * (float) frame / 54.0f);

    g.setGradientFill (juce::ColourGradient (juce::Colour (0x70000000), cx + 3.0f, cy + 4.0f,
                                             juce::Colours::transparentBlack, cx + 3.0f + 17.0f, cy + 4.0f, true));
    g.fillEllipse (cx - 14.0f, cy - 13.0f, 34.0f, 34.0f);

    juce::Path track, value;
    track.addCentredArc (cx, cy, 16.0f, 16.0f, 0.0f, juce::degreesToRadians (-145.0f), juce::degreesToRadians (145.0f), true);
    g.setColour (juce::Colour (0xff1a1c1f));
    g.strokePath (track, juce::PathStrokeType (2.0f));
    value.addCentredArc (cx, cy, 16.0f, 16.0f, 0.0f, juce::degreesToRadians (-145.0f), angle, true);
    g.setColour (juce::Colour (0xffe08a1e));
    g.strokePath (value, juce::PathStrokeType (2.0f));

    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff2c2f34), cx, cy - 13.0f, juce::Colour (0xff0e0f11),
                                             cx, cy + 13.0f, false));
    g.fillEllipse (cx - 13.5f, cy - 13.5f, 27.0f, 27.0f);
    g.setColour (juce::Colour (0xff050506));
    g.drawEllipse (cx - 13.5f, cy - 13.5f, 27.0f, 27.0f, 1.0f);

    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff5d636b), cx - 5.0f, cy - 9.0f, juce::Colour (0xff25282d),
                                             cx + 5.0f, cy + 9.0f, false));
    g.fillEllipse (cx - 10.0f, cy - 10.0f, 20.0f, 20.0f);
    g.setColour (juce::Colour (0x40ffffff));
    g.drawEllipse (cx - 9.5f, cy - 9.5f, 19.0f, 19.0f, 0.8f);

    const auto tip = juce::Point<float> (cx, cy).getPointOnCircumference (12.5f, angle);
    const auto root = juce::Point<float> (cx, cy).getPointOnCircumference (4.0f, angle);
    g.setColour (juce::Colour (0xfffff3e0));
    g.drawLine ({ root, tip }, 2.2f);
}

void knobStrip (juce::Graphics& g, int, int)
{
    for (int frame = 0; frame < 55; ++frame)
    {
        juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (frame * 58, 0, 56, 56);
        g.setOrigin (frame * 58, 0);
        knobFrame (g, frame);
    }
}

// The value list's box: a dark display slot in a light frame, open at the
// right, where the arrow's end closes it.
void listBox (juce::Graphics& g, int w, int h)
{
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff0b0d0f), 0.0f, 0.0f, juce::Colour (0xff1b1f23), 0.0f,
                                             (float) h, false));
    g.fillAll();
    g.setColour (juce::Colour (0xffaab0b8));
    g.fillRect (0, 0, w, 1);
    g.fillRect (0, h - 1, w, 1);
    g.fillRect (0, 0, 1, h);
}

void listArrow (juce::Graphics& g, int w, int h)
{
    listBox (g, w, h);
    g.setColour (juce::Colour (0xffaab0b8));
    g.fillRect (w - 1, 0, 1, h);
    g.fillRect (0, 3, 1, h - 6);

    juce::Path mark;
    mark.addTriangle (3.5f, 7.0f, 10.5f, 7.0f, 7.0f, 11.5f);
    g.setColour (juce::Colour (0xffe08a1e));
    g.fillPath (mark);
}

// A faint reflection over the top half of the box.
void listGloss (juce::Graphics& g, int w, int h)
{
    g.setGradientFill (juce::ColourGradient (juce::Colour (0x19ffffff), 0.0f, 0.0f, juce::Colour (0x04ffffff), 0.0f,
                                             (float) h * 0.5f, false));
    g.fillRect (1, 1, w - 1, h / 2);
}

// A round-ended lamp in a black bezel: grey when off, red and glowing when on.
void led (juce::Graphics& g, float left, bool lit)
{
    const auto bezel = juce::Rectangle<float> (left + 8.0f, 5.0f, 21.0f, 10.0f);
    if (lit)
    {
        g.setGradientFill (juce::ColourGradient (juce::Colour (0x80ff2a1a), bezel.getCentreX(), bezel.getCentreY(),
                                                 juce::Colours::transparentBlack, bezel.getCentreX() + 16.0f,
                                                 bezel.getCentreY(), true));
        g.fillEllipse (bezel.expanded (7.0f, 5.0f));
    }

    g.setColour (juce::Colour (0xff08090a));
    g.fillRoundedRectangle (bezel, 5.0f);
    const auto lens = bezel.reduced (2.0f);
    const auto top = lit ? juce::Colour (0xffff8a70) : juce::Colour (0xff6a6e74);
    const auto bottom = lit ? juce::Colour (0xffe01808) : juce::Colour (0xff3a3d42);
    g.setGradientFill (juce::ColourGradient (top, 0.0f, lens.getY(), bottom, 0.0f, lens.getBottom(), false));
    g.fillRoundedRectangle (lens, 3.0f);
    g.setColour (juce::Colour (lit ? 0x90ffffff : 0x40ffffff));
    g.fillRoundedRectangle (lens.getX() + 2.0f, lens.getY() + 0.8f, lens.getWidth() - 4.0f, 1.4f, 0.7f);
}

void ledPair (juce::Graphics& g, int, int)
{
    led (g, 0.0f, false);
    led (g, 36.0f, true);
}

// Wordmarks in the panel's print: the synthesizer's on the orange panel, ours
// on a dark section.
void wordmark (juce::Graphics& g, int w, int h, const char* name, const char* line, juce::Colour ink, juce::Colour accent)
{
    const auto nameArea = juce::Rectangle<int> (0, 0, w, h * 2 / 3);
    g.setColour (ink);
    g.setFont (juce::Font (juce::Font::getDefaultSansSerifFontName(), (float) nameArea.getHeight() * 0.95f, juce::Font::bold)
                   .withExtraKerningFactor (0.06f));
    g.drawFittedText (name, nameArea, juce::Justification::centred, 1);

    g.setColour (accent);
    g.fillRect (4, h * 2 / 3 + 1, w - 8, 2);
    g.setColour (ink);
    g.setFont (juce::Font (juce::Font::getDefaultSansSerifFontName(), (float) h * 0.22f, juce::Font::plain)
                   .withExtraKerningFactor (0.45f));
    g.drawFittedText (line, 0, h * 2 / 3 + 3, w, h / 3 - 3, juce::Justification::centred, 1);
}

const Artwork artworks[] = {
    { "key_white_up.png", 25, 152, true, [] (auto& g, int w, int h) { whiteKey (g, w, h, false); } },
    { "key_white_down.png", 25, 152, true, [] (auto& g, int w, int h) { whiteKey (g, w, h, true); } },
    { "key_black_up.png", 16, 100, false, [] (auto& g, int w, int h) { blackKey (g, w, h, false); } },
    { "key_black_down.png", 16, 100, false, [] (auto& g, int w, int h) { blackKey (g, w, h, true); } },
    { "button_indicator_off.png", 15, 11, false, [] (auto& g, int w, int h) { indicator (g, w, h, false); } },
    { "button_indicator_on.png", 15, 11, false, [] (auto& g, int w, int h) { indicator (g, w, h, true); } },
    { "button_face_up.png", 200, 22, true, [] (auto& g, int w, int h) { buttonFace (g, w, h, false); } },
    { "button_face_down.png", 200, 22, true, [] (auto& g, int w, int h) { buttonFace (g, w, h, true); } },
    { "check_unticked.png", 20, 11, false, [] (auto& g, int w, int h) { checkBox (g, w, h, CheckState::unticked); } },
    { "check_ticked.png", 20, 11, false, [] (auto& g, int w, int h) { checkBox (g, w, h, CheckState::ticked); } },
    { "check_pressed.png", 20, 11, false, [] (auto& g, int w, int h) { checkBox (g, w, h, CheckState::pressed); } },
    { "libbut_face.png", 200, 48, false, [] (auto& g, int w, int h) { libButtonPart (g, w, h, false); } },
    { "libbut_cap.png", 10, 48, false, [] (auto& g, int w, int h) { libButtonPart (g, w, h, true); } },
    { "kwbut_face.png", 100, 18, false, categoryFace },
    { "wintool_glyphs.png", 54, 30, false, windowTools },
    { "rate_track.png", 200, 18, true, sliderTrack },
    { "rate_arrows.png", 200, 18, false, sliderArrowsPressed },
    { "list_thumb.png", 25, 43, false, [] (auto& g, int w, int h) { listThumb (g, w, h); } },
    { "drawer_handle.png", 100, 20, true, drawerHandle },
    { "wheel_well.png", 81, 206, false, wheelWell },
    { "wheel_strip.png", kWheelFrameStep * (kWheelFrames - 1) + kWheelFrameWidth, 200, false, wheelStrip },
    { "velocity_frame.png", 27, 13, false, velocityFrame },
    { "octave_overview.png", 269, 18, true, octaveOverview },
    { "lcd_background.png", 164, 43, true, [] (auto& g, int w, int h) { lcdBackground (g, w, h); } },
    { "lcd_overlay.png", 210, 66, false, [] (auto& g, int w, int h) { lcdOverlay (g, w, h); } },
    { "knob_strip.png", 3188, 56, false, knobStrip },
    { "list_box.png", 200, 18, false, listBox },
    { "list_arrow.png", 14, 18, false, listArrow },
    { "list_gloss.png", 113, 17, false, listGloss },
    { "led_pair.png", 74, 20, false, ledPair },
    { "grid_background.png", 246, 360, true, gridBackground },
    { "grid_thumb.png", 25, 43, false, gridThumb },
    { "led_switch.png", 28, 9, false, ledSwitch },
    { "env_screen.png", 218, 73, false, envelopeScreen },
    { "env_gloss.png", 210, 66, false, envelopeGloss },
    { "seq_track.png", 458, 155, true, sequencerTrackFace },
    { "logo_synth.png", 200, 65, false,
      [] (auto& g, int w, int h) { wordmark (g, w, h, "MOPHO", "DESKTOP", juce::Colour (0xff17191c), juce::Colour (0xff17191c)); } },
    { "logo_maker.png", 179, 52, false,
      [] (auto& g, int w, int h) { wordmark (g, w, h, "BRINDLEMARK", "PROGRAM EDITOR", juce::Colour (0xffd8dadd), juce::Colour (0xffe08a1e)); } },
    { "global_knob.png", SetupArtwork::kKnobFrames * SetupArtwork::kKnobPitch, SetupArtwork::kKnobSize, false, SetupArtwork::knobStrip },
    { "global_field.png", 200, 18, false, SetupArtwork::valueField },
    { "global_switch.png", 71, 22, false, SetupArtwork::switchStates },
    { "global_close.png", 30, 30, false, SetupArtwork::closeBox },
    { "about_box.png", 460, 260, false, SetupArtwork::aboutBox },
    { "about_picture.png", 389, 162, false, SetupArtwork::aboutPicture },
};
} // namespace

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: brindlemark_artwork <output folder>\n";
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI juce;
    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
    folder.createDirectory();

    for (const auto& art : artworks)
    {
        juce::Image image (art.opaque ? juce::Image::RGB : juce::Image::ARGB, art.width, art.height, true);
        {
            juce::Graphics g (image);
            art.paint (g, art.width, art.height);
        }

        const auto file = folder.getChildFile (art.fileName);
        file.deleteFile();
        juce::FileOutputStream out (file);
        juce::PNGImageFormat png;

        if (! out.openedOk() || ! png.writeImageToStream (image, out))
        {
            std::cerr << "could not write " << file.getFullPathName() << "\n";
            return 1;
        }

        std::cout << file.getFullPathName() << "\n";
    }

    return 0;
}
