#include "editor/keyboard/PianoKey.h"

#include "core/midi/MidiCntrState.h"

namespace
{
constexpr int kWhiteTopOfTouch = 52; // above this a white key lies under the black keys
constexpr int kFoldBack = 128, kFoldTotal = 254;
constexpr float kVelocityPerPixel = 1.27f;
constexpr int kLowestHeightVelocity = 5;
} // namespace

PianoKey::PianoKey (MidiCntrState& h, int keyIndex, Type keyType) : hub (h), index (keyIndex), type (keyType)
{
    setOpaque (true);
}

PianoKey::~PianoKey()
{
    release();
}

int PianoKey::velocityFromHeight (Type type, int y) noexcept
{
    if (y > KwsResor::kWhiteKeyHeight)
        return -1;

    int c = 0;
    if (type == white)
    {
        c = juce::jmax (y - kWhiteTopOfTouch, 0);
        if (c >= kFoldBack)
            c = kFoldTotal - c;
    }
    else
    {
        c = y <= KwsResor::kBlackKeyHeight ? y : 127;
    }

    return juce::jlimit (kLowestHeightVelocity, 127, (int) ((float) c * kVelocityPerPixel));
}

void PianoKey::press (int y)
{
    if (pressed)
        return;

    int v = hub.getKeyboardVelocity();
    if (v < kHeightVelocityBelow)
        v = velocityFromHeight (type, y);

    const int note = index + 12 * hub.getKeyboardOctave();
    if (v < 0 || note > 127)
        return;

    hub.sendNoteOn (hub.getMidiChannel(), note, v);
    velocity = v;
    soundingNote = note;
    pressed = true;
    startTimer (kPressRepaintMs);
}

void PianoKey::release()
{
    if (! pressed)
        return;

    hub.sendNoteOff (hub.getMidiChannel(), soundingNote);
    velocity = 0;
    soundingNote = -1;
    pressed = false;
    startTimer (kReleaseRepaintMs);
}

void PianoKey::timerCallback()
{
    stopTimer();
    if (pressed != paintedPressed)
        repaint();
}

void PianoKey::paint (juce::Graphics& g)
{
    const auto& images = hub.getKeyImages();
    if (type == white)
        images.drawWhiteKey (g, pressed, scale);
    else
        images.drawBlackKey (g, pressed, scale);

    paintedPressed = pressed;
}
