#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class LibBut;

// Told of a library button's press and of the pointer entering and leaving it.
class LibButListener
{
public:
    virtual ~LibButListener() = default;
    virtual void libButtonClicked (LibBut* button, int id) = 0;
    virtual void libButtonEntered (LibBut* button, int id) = 0;
    virtual void libButtonExited (LibBut* button, int id) = 0;
};

// The text button of the library window's tabs and pages. The press alone is
// the click; its owner shows the help text while the pointer is over it.
class LibBut : public juce::Component
{
public:
    static constexpr int kWidth = 100, kHeight = 34;
    static constexpr int kFaceHeight = 24, kCapWidth = 5;

    LibBut (juce::String caption, int id, float fontHeight);

    void placeAt (int x, int y);
    void addListener (LibButListener* listener);

    int getId() const noexcept { return id; }
    const juce::String& getCaption() const noexcept { return caption; }
    void setCaption (juce::String newCaption);

    // A press in code: the listeners hear it as they hear the mouse's.
    void triggerClick();

    // Written by the page that owns the button.
    juce::String helpText;

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseEnter (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;

private:
    template <typename Call>
    void notify (Call call);

    // Message thread only, apart from additions, which the lock guards;
    // notification walks the array without it.
    juce::Array<LibButListener*> listeners;
    juce::CriticalSection lock;

    juce::String caption;
    int id;
    float fontHeight;
    juce::Image face, cap;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LibBut)
};
