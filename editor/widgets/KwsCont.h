#pragma once

#include "editor/widgets/PageArt.h"
#include "editor/widgets/ScaledArt.h"

#include <juce_gui_basics/juce_gui_basics.h>

class VellixAudioProcessor;

// Told of a right-button press on a control, with its program byte and section.
class KwsContListener
{
public:
    virtual ~KwsContListener() = default;
    virtual void kwsContEvent (int code, int position, int section) = 0;
};

// How a KwsCont draws its value and which presses it answers.
enum KwsContStyle : int
{
    kwsContList = 0,
    kwsContCheck = 1,
    kwsContKnob = 3,
    kwsContSwitch = 101
};

// The control of one program byte. It never shows its own gesture's value:
// a gesture goes to the processor's setter, and the page hands the value
// back when the model's event returns. Geometry is in design units times
// the scale its page sets.
class KwsCont : public juce::Component
{
public:
    static constexpr int kRightButtonCode = 100;
    static constexpr int kNumKnobFrames = 55;
    static constexpr int kKnobFrameStride = 58;
    static constexpr int kKnobFrameSize = 56;
    static constexpr int kListStripHeight = 18;
    static constexpr int kListArrowWidth = 14;
    static constexpr int kCheckZoneWidth = 25;
    static constexpr int kSwitchZoneWidth = 20;
    static constexpr int kLedWidth = 37;
    static constexpr int kLedHeight = 20;
    static constexpr int kLedOnSourceX = 36;
    // Ranges with a maximum below this take this many pixels a step.
    static constexpr int kSlowDragBelow = 15;

    explicit KwsCont (VellixAudioProcessor& processor);
    ~KwsCont() override;

    void setup (int position, const juce::String& label, int x, int y, int w, int h, int minimum, int maximum,
                int style, int displayKind);
    void setSection (int newSection) noexcept { section = newSection; }
    void setBackgroundFill();
    void setScale (float scale);
    void setPosition (int x, int y);
    void setLabel (const juce::String& text);
    void setRepaintEnabled (bool enabled);

    // Leaves what never changes with the value (the fill, a list's box, the
    // caption of a knob or list) to the page, which paints it with paintArt;
    // null takes it back.
    void leaveArtTo (PageArt* page);
    void paintArt (juce::Graphics& g);

    // The model's value, clamped to the range; the text is the caller's, made
    // from the unclamped byte. Repaints only on a change.
    void setDisplayedValue (int value, const juce::String& text);
    // Makes the next displayed value count as a change.
    void forgetDisplayedValue() noexcept { displayedValue = -1; }

    void requestValue (int value);
    void toggle();

    // The value list opens asynchronously; the choice (an item id, value + 1,
    // or 0 when dismissed) goes to its handler, which tests call directly.
    void showValueList();
    juce::PopupMenu buildValueList() const;
    void handleValueList (int itemId);

    void addListener (KwsContListener* listener);

    // The knob strip's frame for a value: minimum 0, maximum the last.
    static int knobFrameFor (int value, int minimum, int range) noexcept;
    // The value a knob drag asks for, the offsets in pixels from the press.
    static int dragValue (int dx, int dy, int startValue, int maximum) noexcept;

    int getPosition() const noexcept { return position; }
    int getSection() const noexcept { return section; }
    int getStyle() const noexcept { return style; }
    int getDisplayKind() const noexcept { return displayKind; }
    int getMinimum() const noexcept { return minimum; }
    int getMaximum() const noexcept { return maximum; }
    int getDisplayedValue() const noexcept { return displayedValue; }
    int getKnobFrame() const noexcept { return knobFrame; }
    float getScale() const noexcept { return scale; }
    bool isRepaintPending() const noexcept { return repaintPending; }
    const juce::String& getLabel() const noexcept { return label; }
    const juce::String& getValueText() const noexcept { return valueText; }

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;
    void paint (juce::Graphics& g) override;
    void visibilityChanged() override;

private:
    juce::Rectangle<int> scaled (int x, int y, int w, int h) const noexcept;
    void applyBounds();
    void sendProgramParameter (int value, bool endGestureNow);
    void drawScaled (juce::Graphics& g, const juce::Image& image, juce::Rectangle<int> source,
                     juce::Rectangle<int> design);
    void paintKnob (juce::Graphics& g);
    void paintListArt (juce::Graphics& g);
    void paintListValue (juce::Graphics& g);
    void paintLed (juce::Graphics& g, int left);
    void paintCaption (juce::Graphics& g, juce::Rectangle<int> area, juce::Justification where);

    VellixAudioProcessor& processor;

    // Message thread only, apart from additions, which the lock guards;
    // notification walks the array without it.
    juce::Array<KwsContListener*> listeners;
    juce::CriticalSection lock;

    int displayKind = 0;
    int displayedValue = -1;
    int position = 0;
    int minimum = 0, maximum = 0;
    int section = -1;
    bool fillBackground = false;
    PageArt* artPage = nullptr;
    juce::String label;
    float designX = 0.0f, designTop = 0.0f; // the top edge: the table's y - 16
    bool repaintEnabled = true;
    bool repaintPending = false;
    juce::Image knobStrip, listBox, listArrow, listGloss, ledPair;
    int dragStartValue = 0;
    int width = 0, height = 0;
    int style = kwsContList;
    juce::String valueText;
    bool dragging = false;
    bool listArmed = false;
    int knobFrame = 0;
    int pressX = 0, pressY = 0;
    int knobRange = 0;
    float scale = 1.0f;
    juce::SharedResourcePointer<ScaledArt> scaledArt;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KwsCont)
};
