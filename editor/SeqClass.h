#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

class VellixAudioProcessor;

// Told of a track's requests; the only code is kEditRequestCode, value 0.
class SeqClassListener
{
public:
    virtual ~SeqClassListener() = default;
    virtual void seqClassEvent (int code, int track, int value) = 0;
};

// How a drag edits: the step chosen by the press, or whichever is under the pointer.
enum SeqDrawMode : int
{
    seqDrawSliders = 0,
    seqDrawPen = 1
};

enum SeqTrackDisplayMode : int
{
    seqTrackOverview = 0,
    seqTrackEditor = 1,
    seqTrackTab = 2 // any press asks to edit the track
};

// One of the sequencer's four tracks: 16 steps, each a bar with a value cap
// over a reset cell. Edits go to the processor's setter; a step shows a new
// value only when the model reports it back (showStepValue), except under the
// wheel, which moves the shown value itself.
class SeqClass : public juce::Component
{
public:
    static constexpr int kNumSteps = 16;
    static constexpr int kFirstPosition = 120; // step s of track t is byte 120 + 16 t + s
    static constexpr int kResetValue = 126;
    static constexpr int kRestValue = 127;
    static constexpr int kMaxDragValue = 125;
    static constexpr int kEditRequestCode = 69;
    // Drawing scales relative to a track of this size.
    static constexpr float kReferenceWidth = 522.0f, kReferenceHeight = 155.0f;

    SeqClass (VellixAudioProcessor& processor, int track);
    ~SeqClass() override;

    void addListener (SeqClassListener* listener);
    void setDesignBounds (int x, int y, int w, int h);
    void setScale (float scale);

    // The track's bytes from the program; anything above 127 is a rest.
    void setStepsFromProgram (const std::array<int, kNumSteps>& bytes);
    void showStepValue (int step, int value);
    void setDestination (int destination);
    void requestEdit();

    // Written by the sequencer page's menu and layouts.
    int drawMode = seqDrawSliders;
    bool quantize = false;
    int displayMode = seqTrackOverview;

    int getTrack() const noexcept { return track; }
    int getShownValue (int step) const noexcept;
    int getCurrentStep() const noexcept { return currentStep; }
    int getStepWidth() const noexcept { return stepWidth; }
    bool isDestinationPitch() const noexcept { return destinationIsPitch; }
    juce::Rectangle<int> getDesignBounds() const noexcept { return { designX, designY, designWidth, designHeight }; }

    // The step maths, on their own for the tests.
    static int stepAt (float x, int stepWidth) noexcept;
    static int quantized (int value, bool quantize) noexcept;
    static int dragValue (float y, float yFactor) noexcept;
    static juce::String noteName (int value);
    static juce::String captionFor (int value, bool pitch);

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent&) override {}
    void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;
    void paint (juce::Graphics& g) override;
    void resized() override {}

private:
    void send (int step, int value, bool endGestureNow);
    void repaintStep (int step);
    void clickResetCell (int step);
    void paintGrid (juce::Graphics& g, float w, float h) const;
    void paintCap (juce::Graphics& g, int step, int x, int y, int cw, int ch);
    void paintResetCell (juce::Graphics& g, int step, int x, int y, int cw, int ch) const;

    VellixAudioProcessor& processor;

    // Message thread only, apart from additions, which the lock guards;
    // requestEdit walks the array without it.
    juce::Array<SeqClassListener*> listeners;
    juce::CriticalSection lock;

    std::array<int, kNumSteps> shownValues {};
    bool destinationIsPitch = false;
    int track;
    int currentStep = -1;
    std::array<juce::String, kNumSteps> stepTexts;
    juce::Image background;
    float scale = 1.0f;
    float pixelX = 0.0f, pixelY = 0.0f, pixelHeight = 0.0f, pixelWidth = 0.0f;
    int designX = 0, designY = 0, designHeight = 0, designWidth = 0;
    int stepWidth = 0;
    bool dragArmed = false;
    // What a step held before a click reset it, what drags last set, and what
    // was last sent. A program load leaves them, so a rest still returns to
    // the value it had before it was reset.
    std::array<int, kNumSteps> savedValues {}, penValues {}, sentValues {};
    float xFactor = 0.0f, yFactor = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SeqClass)
};
