#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MidiCntrState;

// The whole MIDI keyboard in small, with the piano's reach lit: a click
// moves the piano's octave.
class OctaveKeyClass : public juce::Component,
                       public juce::ChangeBroadcaster
{
public:
    static constexpr float kOwnScale = 0.7f; // of the editor's scale
    // x 14 (not 20) keeps the overview clear of the piano to its right.
    static constexpr int kDesignX = 14, kDesignY = 37, kDesignWidth = 269, kDesignHeight = 16;
    static constexpr int kImageWidth = 269, kImageHeight = 18;
    static constexpr int kVisibleKeys = 65;
    static constexpr int kHighestStartKey = 72;

    explicit OctaveKeyClass (MidiCntrState& hub);

    // The start key that a click at x (pixels) chooses at this scale.
    static int startKeyAt (float x, float scale) noexcept;
    // x in overview pixels of note n's left edge.
    static int position (int note) noexcept;

    void setEditorScale (float editorScale);
    int getStartKey() const noexcept { return startKey; }

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;

private:
    void choose (int x);

    MidiCntrState& hub;
    float scale = kOwnScale;
    int startKey;
    juce::Image overview;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OctaveKeyClass)
};
