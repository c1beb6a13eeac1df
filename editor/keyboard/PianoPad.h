#pragma once

#include "editor/keyboard/KeyOverlay.h"
#include "editor/keyboard/PianoKey.h"

#include <juce_gui_basics/juce_gui_basics.h>

class MidiCntrState;

// The drawer's piano: 65 keys, C to E over five octaves and a third, played
// on the synthesizer at the hub's keyboard octave and velocity.
class PianoPad : public juce::Component
{
public:
    static constexpr int kNumKeys = 65;
    static constexpr int kNumWhiteKeys = 38;
    // 198 + 38 white keys of 25 ends at the right edge: no key is cut off.
    static constexpr int kDesignX = 198, kDesignY = 20, kDesignHeight = 151;
    static constexpr int kWhiteKeyWidth = 25;

    explicit PianoPad (MidiCntrState& hub);

    void layout (float scale);

    PianoKey& getKey (int index) { return *keys.getUnchecked (index); }
    KeyOverlay& getOverlay() noexcept { return overlay; }

    void paint (juce::Graphics& g) override;

private:
    KeyOverlay overlay;
    juce::OwnedArray<PianoKey> keys; // after the overlay: the keys release their notes first

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PianoPad)
};
