#include "editor/keyboard/VelIndClass.h"

#include "core/midi/MidiCntrState.h"
#include "editor/EditorLook.h"

#include <BrindlemarkAssets.h>

namespace
{
constexpr float kBarTop = 16.0f, kBarWidth = 15.0f, kBarHeight = 103.0f, kCorner = 3.0f, kEdge = 1.6f;
const juce::Rectangle<float> frameArea { 26.0f, 16.0f, 27.0f, 13.0f };
const juce::Rectangle<float> valueArea { 26.0f, 16.0f, 25.0f, 13.0f };
const juce::Rectangle<float> titleArea { 0.0f, 0.0f, 80.0f, 13.0f };
const juce::Rectangle<float> changedArea { 0.0f, 16.0f, 60.0f, 102.0f };
} // namespace

VelIndClass::VelIndClass (MidiCntrState& h)
    : hub (h),
      frame (juce::ImageCache::getFromMemory (BrindlemarkAssets::velocity_frame_png,
                                              BrindlemarkAssets::velocity_frame_pngSize))
{
}

void VelIndClass::setValue (int v)
{
    v = juce::jlimit (0, 127, v);
    if (v == value)
        return;

    value = v;
    hub.setKeyboardVelocity (v);
    repaint (EditorLook::scaled (changedArea, scale));
}

void VelIndClass::setScale (float s)
{
    scale = s;
    setBounds (EditorLook::scaled (juce::Rectangle<float> (kDesignX, kDesignY, kDesignWidth, kDesignHeight), s));
}

void VelIndClass::paint (juce::Graphics& g)
{
    const float a = scale;
    const auto f = EditorLook::scaled (frameArea, a);
    g.drawImage (frame, f.getX(), f.getY(), f.getWidth(), f.getHeight(), 0, 0, frame.getWidth(), frame.getHeight());

    const juce::Rectangle<float> bar (0.0f, kBarTop * a, kBarWidth * a, kBarHeight * a);
    g.setColour (EditorLook::velocityBar);
    g.fillRoundedRectangle (bar, kCorner * a);
    const int shown = juce::jmax (value, 0);
    g.setColour (EditorLook::velocityBarEmpty);
    g.fillRoundedRectangle (bar.withHeight ((float) (127 - shown) * kBarHeight * a / 127.0f), kCorner * a);
    g.setColour (EditorLook::velocityBarEdge);
    g.drawRoundedRectangle (bar, kCorner * a, kEdge * a);

    g.setColour (EditorLook::velocityText);
    g.setFont (EditorLook::font (11.0f * a));
    g.drawText (value < 0 ? juce::String ("KBD") : juce::String (value), EditorLook::scaled (valueArea, a),
                juce::Justification::centred, false);

    g.setColour (EditorLook::text);
    g.setFont (EditorLook::font (10.0f * a));
    g.drawText ("Note Velocity", EditorLook::scaled (titleArea, a), juce::Justification::centredLeft, false);
}

void VelIndClass::mouseDown (const juce::MouseEvent& e)
{
    dragging = e.x < EditorLook::scaled (kBarGrabWidth, scale);
}

void VelIndClass::mouseDrag (const juce::MouseEvent& e)
{
    if (dragging)
        setValue (127 - e.y);
}

void VelIndClass::mouseUp (const juce::MouseEvent&)
{
    dragging = false;
}
