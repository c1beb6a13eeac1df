#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MidiCntrState;

// One key of the on-screen piano: draws itself and plays its note; the pad's
// overlay decides which key the mouse is on.
class PianoKey : public juce::Component,
                 public juce::ChangeBroadcaster,
                 private juce::Timer
{
public:
    enum Type : int
    {
        white = 0,
        black = 1
    };

    static constexpr int kHeightVelocityBelow = 6; // a keyboard velocity below this: the press height decides
    static constexpr int kPressRepaintMs = 20, kReleaseRepaintMs = 30;

    PianoKey (MidiCntrState& hub, int index, Type type);
    ~PianoKey() override;

    void press (int y);
    void release();

    // The velocity of a press y pixels down the key when the height decides,
    // -1 below the key.
    static int velocityFromHeight (Type type, int y) noexcept;

    bool isPressed() const noexcept { return pressed; }
    int getSoundingNote() const noexcept { return soundingNote; }
    int getVelocity() const noexcept { return velocity; }
    int getIndex() const noexcept { return index; }
    Type getType() const noexcept { return type; }

    void setScale (float newScale) noexcept { scale = newScale; }
    void setHitLeft (int x) noexcept { hitLeft = x; }
    int getHitLeft() const noexcept { return hitLeft; }

    void paint (juce::Graphics& g) override;

private:
    void timerCallback() override;

    MidiCntrState& hub;
    int index;
    Type type;
    bool pressed = false, paintedPressed = false;
    int velocity = 0;
    // Remembered at the press, so the release stops the note that sounds even
    // when the octave changed in between.
    int soundingNote = -1;
    float scale = 1.0f;
    int hitLeft = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PianoKey)
};
