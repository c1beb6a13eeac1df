#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class PianoKey;

// Lies over the piano's keys and does all of its mouse handling: which key
// the pointer is on, presses, glides and the release.
class KeyOverlay : public juce::Component
{
public:
    KeyOverlay();

    void addKey (PianoKey* key) { keys.add (key); }
    void setKeyCount (int count) noexcept { keyCount = count; }

    // The key at (x, y), -1 for none.
    int keyAt (int x, int y) const;

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    juce::Array<PianoKey*> keys; // the pad's, in index order
    int keyCount = 0;
    int currentKey = -1; // the key a press or glide holds

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeyOverlay)
};
