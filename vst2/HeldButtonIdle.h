#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// A host may run its own idle only between events of its own windows, and
// none reach it while the user drags in the editor: while a mouse button is
// held there, this offers the host an idle call every checkMs, which the
// client spaces. Message thread; lives no longer than the editor.
class HeldButtonIdle : private juce::MouseListener,
                       private juce::Timer
{
public:
    HeldButtonIdle (juce::Component& editor, int checkMs, std::function<void()> idleHost);
    ~HeldButtonIdle() override;

private:
    void mouseDown (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void timerCallback() override;

    juce::Component& editor;
    const int checkMs;
    std::function<void()> idleHost;

    JUCE_DECLARE_NON_COPYABLE (HeldButtonIdle)
};
