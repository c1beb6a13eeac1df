#include "editor/keyboard/WheelCnt.h"

#include "core/midi/MidiCntrState.h"
#include "editor/EditorLook.h"

#include <BrindlemarkAssets.h>

WheelCnt::WheelCnt (MidiCntrState& h, int initialValue, bool spring)
    : hub (h), springBack (spring), value (juce::jlimit (0, 127, initialValue)),
      strip (juce::ImageCache::getFromMemory (BrindlemarkAssets::wheel_strip_png, BrindlemarkAssets::wheel_strip_pngSize))
{
    setMouseCursor (juce::MouseCursor::PointingHandCursor);
}

void WheelCnt::setValue (int v, bool send)
{
    v = juce::jlimit (0, 127, v);
    if (v == value)
        return;

    value = v;

    // The hub tells the host as the build wants it: a parameter, or MIDI.
    if (send)
    {
        if (springBack)
            hub.sendPitchBend (hub.getMidiChannel(), v * kBendPerStep);
        else
            hub.sendModWheel (hub.getMidiChannel(), v);
    }

    repaint();
}

void WheelCnt::setScale (float s)
{
    scale = s;
    const auto x = springBack ? kPitchDesignX : kModDesignX;
    setBounds (EditorLook::scaled (juce::Rectangle<float> ((float) x, kDesignY, kDesignWidth, kDesignHeight), s));
}

void WheelCnt::paint (juce::Graphics& g)
{
    g.drawImage (strip, 0, 0, EditorLook::scaled (kDesignWidth, scale), EditorLook::scaled (kDesignHeight, scale),
                 kFrameStep * getFrameIndex(), 0, kFrameWidth, kFrameHeight);
}

void WheelCnt::mouseDown (const juce::MouseEvent& e)
{
    pressY = e.y;
    pressValue = value;
}

void WheelCnt::mouseDrag (const juce::MouseEvent& e)
{
    const int v = pressValue + pressY - e.y;
    if (v != value)
        setValue (v, true);
}

void WheelCnt::mouseUp (const juce::MouseEvent&)
{
    if (springBack)
        setValue (kPitchCentre, true);
}

void WheelCnt::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    if (wheel.deltaY > 0.0f)
        setValue (value + 1, true);
    else if (wheel.deltaY < 0.0f)
        setValue (value - 1, true);
}
