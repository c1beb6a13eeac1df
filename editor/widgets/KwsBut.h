#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class KwsBut;

// Told the id of a pressed button; for owners that only tell buttons apart.
class kwsbutListener
{
public:
    virtual ~kwsbutListener() = default;
    virtual void kwsButtonClicked (int buttonId) = 0;
};

// Told which button was pressed; for owners that read the button itself.
class kwsbutChangeListener
{
public:
    virtual ~kwsbutChangeListener() = default;
    virtual void kwsButtonChanged (KwsBut* sender) = 0;
};

// Looks and reactions of a KwsBut, fixed at construction.
enum KwsButStyle : int
{
    kwsButToggle = 1,
    kwsButPlain = 5,
    kwsButImage = 99,
    kwsButBar = 130,
    kwsButBank = 135,
    kwsButDialog = 140
};

// The editor's push button. It never acts itself: a press only reaches its
// listeners, the ones that want the button first.
class KwsBut : public juce::Component,
               public juce::Button::Listener
{
public:
    static constexpr int kIndicatorZoneRight = 25;
    static constexpr int kImageWidth = 200;
    static constexpr int kFaceEdgeColumn = 119;

    KwsBut (juce::String caption, int id, int style);
    ~KwsBut() override;

    // Callable again from a new layout: the inner button is kept and re-placed.
    void placeWithStyleImages (int x, int y, int w, int h, bool applyBounds);

    void addListener (kwsbutListener* listener);
    void addChangeListener (kwsbutChangeListener* listener);
    void notifyListeners();

    int getId() const noexcept { return id; }
    int getStyle() const noexcept { return style; }
    const juce::String& getCaption() const noexcept { return caption; }
    bool isToggled() const noexcept { return toggled; }
    bool isPressed() const noexcept { return pressed; }
    juce::TextButton* getInnerButton() const noexcept { return innerButton.get(); }

    void buttonClicked (juce::Button* button) override;
    void buttonStateChanged (juce::Button*) override {}

    // Caption height in pixels; pages that scale themselves write it.
    float fontHeight = 13.0f;

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;
    void paintOverChildren (juce::Graphics& g) override;

private:
    void paintPlain (juce::Graphics& g);
    void paintToggle (juce::Graphics& g);
    void paintImage (juce::Graphics& g);
    bool hasInnerButton() const noexcept;

    // Message thread only, apart from additions, which the lock guards;
    // notification walks the arrays without it.
    juce::Array<kwsbutListener*> idListeners;
    juce::Array<kwsbutChangeListener*> changeListeners;
    juce::CriticalSection lock;

    bool toggled = false;
    juce::String caption;
    int imageHeight = 22;
    int imageFontHeight = 12;
    int id;
    juce::Colour edgeA, edgeB;
    juce::Colour normalFill, downFill;
    juce::Colour textColour, downTextColour;
    int style;
    std::unique_ptr<juce::TextButton> innerButton;
    bool pressed = false;
    juce::Image indicatorOff, indicatorOn, faceNormal, facePressed;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KwsBut)
};
