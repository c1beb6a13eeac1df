#include "editor/keyboard/PianoPad.h"

#include "core/midi/MidiCntrState.h"
#include "editor/EditorLook.h"

namespace
{
struct SemitoneLayout
{
    PianoKey::Type type;
    int blackOffset; // design units from the octave's left edge
};

constexpr SemitoneLayout octaveLayout[12] = {
    { PianoKey::white, 0 },   { PianoKey::black, 15 },  { PianoKey::white, 0 }, { PianoKey::black, 44 },
    { PianoKey::white, 0 },   { PianoKey::white, 0 },   { PianoKey::black, 90 }, { PianoKey::white, 0 },
    { PianoKey::black, 116 }, { PianoKey::white, 0 },   { PianoKey::black, 142 }, { PianoKey::white, 0 },
};

constexpr float kBlackGap = 2.0f; // the strip right of a black key that still plays it
} // namespace

PianoPad::PianoPad (MidiCntrState& hub)
{
    setOpaque (true);

    for (int i = 0; i < kNumKeys; ++i)
    {
        auto* key = keys.add (new PianoKey (hub, i, octaveLayout[i % 12].type));
        addAndMakeVisible (key);
        overlay.addKey (key);
    }

    addAndMakeVisible (overlay);
}

void PianoPad::layout (float s)
{
    const int d = EditorLook::scaled (kWhiteKeyWidth, s);
    setBounds (EditorLook::scaled (kDesignX, s), EditorLook::scaled (kDesignY, s), kNumWhiteKeys * d,
               EditorLook::scaled (kDesignHeight, s));

    const int whiteHeight = EditorLook::scaled (KwsResor::kWhiteKeyHeight, s);
    int x = 0;
    for (auto* key : keys)
    {
        key->setScale (s);
        if (key->getType() == PianoKey::white)
        {
            key->setBounds (x, 0, d, whiteHeight);
            key->setHitLeft (x);
            x += d;
        }
    }

    for (int i = 0; i < kNumKeys; ++i)
    {
        auto* key = keys.getUnchecked (i);
        if (key->getType() != PianoKey::black)
            continue;

        const int bx = (int) ((float) (d * 7 * (i / 12)) + (float) octaveLayout[i % 12].blackOffset * s);
        const int width = EditorLook::scaled (KwsResor::kBlackKeyWidth, s);
        key->setBounds (bx, 0, width, EditorLook::scaled (KwsResor::kBlackKeyHeight, s));
        key->setHitLeft (bx);
        if (i + 1 < kNumKeys)
            keys.getUnchecked (i + 1)->setHitLeft (bx + width + (int) (kBlackGap * s));
        key->setAlwaysOnTop (false);
        key->setAlwaysOnTop (true);
    }

    overlay.setBounds (0, 0, getWidth(), whiteHeight);
    overlay.setKeyCount (kNumKeys);
    overlay.setAlwaysOnTop (false);
    overlay.setAlwaysOnTop (true);
    overlay.toFront (false);
}

void PianoPad::paint (juce::Graphics& g)
{
    g.fillAll (EditorLook::pianoBackground);
}
