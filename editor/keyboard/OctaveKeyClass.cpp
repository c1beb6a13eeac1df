#include "editor/keyboard/OctaveKeyClass.h"

#include "core/midi/MidiCntrState.h"
#include "editor/EditorLook.h"

#include <BrindlemarkAssets.h>

#include <cmath>

namespace
{
constexpr int kOctavePixels = 25;
constexpr float kWhiteKeyPixels = 3.573f;
constexpr int whiteKeySemitones[7] = { 0, 2, 4, 5, 7, 9, 11 };
constexpr int semitoneOffsets[12] = { 0, 4, 6, 9, 10, 11, 14, 16, 20, 22, 23, 26 };
constexpr int kShadeWidth = 270;
} // namespace

OctaveKeyClass::OctaveKeyClass (MidiCntrState& h)
    : hub (h), startKey (12 * h.getKeyboardOctave()),
      overview (juce::ImageCache::getFromMemory (BrindlemarkAssets::octave_overview_png,
                                                 BrindlemarkAssets::octave_overview_pngSize))
{
    setMouseCursor (juce::MouseCursor::LeftRightResizeCursor);
}

int OctaveKeyClass::startKeyAt (float x, float s) noexcept
{
    // One octave left of the pointer, so the click lands inside the reach.
    const float u = x / s - (float) kOctavePixels * s;
    const int whiteKey = (int) std::floor (u / kWhiteKeyPixels);
    const int octave = (int) std::floor ((float) whiteKey / 7.0f);
    const int semitone = 12 * octave + whiteKeySemitones[((whiteKey % 7) + 7) % 7];
    return juce::jlimit (0, kHighestStartKey, (int) std::floor ((float) semitone / 12.0f) * 12);
}

int OctaveKeyClass::position (int note) noexcept
{
    return kOctavePixels * (note / 12) + semitoneOffsets[note % 12];
}

void OctaveKeyClass::setEditorScale (float editorScale)
{
    scale = kOwnScale * editorScale;
    setBounds (EditorLook::scaled (juce::Rectangle<float> (kDesignX, kDesignY, kDesignWidth, kDesignHeight), scale));
}

void OctaveKeyClass::choose (int x)
{
    if (x < 0 || x > getWidth())
        return;

    startKey = startKeyAt ((float) x, scale);
    hub.setKeyboardOctave (startKey / 12);
    repaint();
}

void OctaveKeyClass::mouseDown (const juce::MouseEvent& e)
{
    choose (e.x);
}

void OctaveKeyClass::mouseDrag (const juce::MouseEvent& e)
{
    choose (e.x);
}

void OctaveKeyClass::paint (juce::Graphics& g)
{
    const float a = scale;
    g.drawImage (overview, 0, 0, EditorLook::scaled (kImageWidth, a), EditorLook::scaled (kImageHeight, a), 0, 0,
                 kImageWidth, kImageHeight);

    g.setColour (EditorLook::outOfReach);
    g.fillRect ((float) position (startKey + kVisibleKeys) * a, 0.0f, (float) kShadeWidth * a, (float) getHeight());
    g.fillRect (0.0f, 0.0f, (float) position (startKey) * a, (float) getHeight());
}
