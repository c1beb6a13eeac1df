#pragma once

#include "editor/keyboard/KeyPlayClass.h"
#include "editor/keyboard/OctaveKeyClass.h"
#include "editor/keyboard/PianoPad.h"
#include "editor/keyboard/VelIndClass.h"
#include "editor/keyboard/WheelCnt.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class MidiCntrState;

// The drawer across the bottom of the editor, pulled up by its top edge to
// the piano, the wheels, the velocity bar, the octave overview and the
// computer keyboard's status line. Sends a change message after each snap.
class KeyBrd : public juce::Component,
               public juce::ChangeListener,
               public KeyPlayListener,
               public juce::ChangeBroadcaster
{
public:
    static constexpr int kDesignWidth = 1148, kDesignHeight = 172;
    static constexpr int kCanvasHeight = 700; // the editor's design height: closed at 680, open at 528
    static constexpr int kHandleHeight = 20;
    static constexpr int kHighestTop = 23; // pixels: the application bar's height
    static constexpr int kWellDesignY = 43, kWellDesignWidth = 43, kWellDesignHeight = 116;
    static constexpr int kPitchWellX = 89, kModWellX = 139;

    explicit KeyBrd (MidiCntrState& hub);
    ~KeyBrd() override;

    // Places the drawer and its children at the editor's scale, closed, in an
    // editor editorHeight pixels high.
    void layout (float scale, int editorHeight);

    // Both places rest on the editor's bottom edge, whatever the truncated
    // design units add up to: closed shows the handle strip alone, open the
    // whole drawer (but never above the application bar).
    static int closedTopFor (float scale, int editorHeight) noexcept;
    static int openTopFor (float scale, int editorHeight) noexcept;
    int closedTop() const noexcept { return closedTopFor (scale, editorHeight); }
    int openTop() const noexcept { return openTopFor (scale, editorHeight); }

    // Where a drawer released with its top at `top` comes to rest.
    static int snappedTop (int top, float scale, int editorHeight) noexcept;
    void snap();

    WheelCnt& getPitchWheel() noexcept { return *pitchWheel; }
    WheelCnt& getModWheel() noexcept { return *modWheel; }
    PianoPad& getPiano() noexcept { return *piano; }
    KeyPlayClass& getPlayer() noexcept { return *player; }
    VelIndClass& getVelocityIndicator() noexcept { return *velocity; }
    OctaveKeyClass& getOctaveOverview() noexcept { return *octaves; }

    void changeListenerCallback (juce::ChangeBroadcaster*) override {}
    void keyPlayEvent() override {}
    void keyPlayMouseDown (int x, int y) override;
    void keyPlayMouseUp (int x, int y) override;
    void keyPlayMouseDrag (int x, int y) override;

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void mouseMove (const juce::MouseEvent& e) override;

private:
    void startDrag (int y);
    void dragTo (int y);
    void reassertOnTop();

    MidiCntrState& hub;
    float scale = 1.0f;
    int editorHeight = kCanvasHeight;
    int dragStartY = 0;
    bool dragging = false;
    juce::Image handle, well;

    std::unique_ptr<VelIndClass> velocity;
    std::unique_ptr<PianoPad> piano;
    std::unique_ptr<WheelCnt> pitchWheel, modWheel;
    std::unique_ptr<OctaveKeyClass> octaves;
    std::unique_ptr<KeyPlayClass> player;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeyBrd)
};
