#pragma once

#include "editor/widgets/LibBut.h"

class VellixAudioProcessor;

class textSetCurListener
{
public:
    virtual ~textSetCurListener() = default;
    virtual void setCurrentAccepted (int targetPreset) = 0; // 0-127
    virtual void setCurrentCancelled() = 0;
};

// The SET CURRENT question: a name for the program in the editor and the
// preset it is to replace. It only answers; the page stores the program and
// hides the dialog. Message thread only.
class TextSetCurCont : public juce::Component,
                       public LibButListener,
                       public juce::ChangeBroadcaster
{
public:
    enum AnswerId : int
    {
        kAcceptId = 1201,
        kCancelId = 1202
    };

    static constexpr int kBoxWidth = 280, kBoxY = 140, kBoxHeight = 30;
    static constexpr int kFirstTargetItem = 1000;

    explicit TextSetCurCont (VellixAudioProcessor& processor);
    ~TextSetCurCont() override;

    // Registration takes the lock and ignores duplicates.
    void addListener (textSetCurListener* listener);

    // Takes the name from the edit buffer and the target from the current preset.
    void setup();

    juce::TextEditor& getNameField() noexcept { return nameField; }
    int getTargetPreset() const noexcept { return targetPreset; }
    const juce::String& getTargetText() const noexcept { return targetText; }
    juce::Rectangle<int> getTargetBox() const noexcept { return { boxX, kBoxY, kBoxWidth, kBoxHeight }; }
    LibBut& getButton (int answerId) noexcept { return answerId == kAcceptId ? okButton : cancelButton; }

    // The menu of the 128 presets; each choice goes to the handler.
    void showTargetMenu();
    void handleTargetMenu (int itemId);

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent&) override {}
    bool keyPressed (const juce::KeyPress&) override { return false; }
    void paint (juce::Graphics& g) override;
    void resized() override;

    void libButtonClicked (LibBut* button, int id) override;
    void libButtonEntered (LibBut*, int) override {}
    void libButtonExited (LibBut*, int) override {}

private:
    juce::String targetTextOf (int preset) const;
    void setTarget (int preset);

    VellixAudioProcessor& processor;
    // Additions only, under the lock; notification walks without it.
    juce::Array<textSetCurListener*> listeners;
    juce::CriticalSection listenerLock;

    juce::TextEditor nameField;
    int boxX = 0;
    int targetPreset = 0;
    juce::String targetText;
    LibBut okButton { "OK", kAcceptId, 12.0f };
    LibBut cancelButton { "CANCEL", kCancelId, 12.0f };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TextSetCurCont)
};
