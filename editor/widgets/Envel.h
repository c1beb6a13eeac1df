#pragma once

#include "editor/widgets/PageArt.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

// What an envelope view's last change message meant.
enum EnvelChangeCode : int
{
    envelStagesDragged = 1,
    envelRightButton = 100
};

// The handle a press grabbed.
enum EnvelHandle : int
{
    envelNoHandle = -1,
    envelAttackHandle = 0,
    envelDecaySustainHandle = 1,
    envelReleaseHandle = 2
};

// One ADSR envelope drawn on a small screen, shaped by dragging its three
// handles. It knows nothing of program bytes: its page sets the stages from
// the model and, on a change message, reads the code and the stages.
class Envel : public juce::Component,
              public juce::ChangeBroadcaster
{
public:
    enum Stage { attack, decay, sustain, release, numStages };
    static constexpr int kNumCorners = 5;
    static constexpr float kHandleReach = 7.0f;   // design units around a handle
    static constexpr float kPixelsAStep = 1.5f;   // whatever the scale
    static constexpr int kStageMaximum = 127;

    Envel();

    // Values from the model are stored as they come; drags keep to 0..127.
    void setStage (int stage, float value);
    void setStages (float a, float d, float s, float r);
    float getStage (int stage) const noexcept;

    void setIndex (int newIndex) noexcept { index = newIndex; }
    int getIndex() const noexcept { return index; }
    void setScale (float newScale);
    float getScale() const noexcept { return scale; }
    void setRepaintEnabled (bool enabled);
    // Leaves the screen under the outline to the page, which paints it with
    // paintArt; null takes it back.
    void leaveArtTo (PageArt* page);
    void paintArt (juce::Graphics& g);
    bool isRepaintPending() const noexcept { return repaintPending; }

    int getChangeCode() const noexcept { return changeCode; }
    const juce::String& getReadout() const noexcept { return readout; }
    bool isDragging() const noexcept { return dragging; }

    // Corner i of the outline, in design units: the start, the attack peak,
    // the decay's end, the sustain's end and the release's end.
    juce::Point<float> getCorner (int i) const noexcept;
    const juce::Path& getOutline() const noexcept { return outline; }

    // The handle under a point in pixels, or envelNoHandle.
    int hitTestHandle (int x, int y) const noexcept;
    // The stages a drag of so many pixels moves.
    static int dragSteps (int pixels) noexcept;

    void mouseMove (const juce::MouseEvent& e) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent&) override {}
    void paint (juce::Graphics& g) override;
    void resized() override;
    void visibilityChanged() override;

private:
    void updateShape();
    void refresh();
    bool moveStage (int stage, int steps, int maximum);

    int changeCode = 0;
    std::array<float, numStages> stages;
    int index = 0;
    float scale = 1.0f;
    bool repaintEnabled = true;
    bool repaintPending = false;
    PageArt* artPage = nullptr;
    juce::Image screen, gloss;
    juce::Path outline;
    std::array<juce::Point<float>, kNumCorners> corners;
    std::array<float, numStages> dragStart {};
    // The geometry, in design units: the width of one step, the screen's
    // height and its top left corner.
    const float xStep = 48.0f / 127.0f, height = 54.0f, left = 16.0f, top = 16.0f;
    juce::String readout;
    bool dragging = false;
    int handle = envelNoHandle;
    int sustainMaximum = kStageMaximum, timeMaximum = kStageMaximum;
    juce::Point<int> pressPosition, lastPosition;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Envel)
};
