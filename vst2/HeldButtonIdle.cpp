#include "vst2/HeldButtonIdle.h"

namespace
{
// The framework's own record of the buttons: it is cleared by a release
// anywhere, also over a pop-up or after the pressed component has gone.
bool anyButtonHeld()
{
    return juce::ModifierKeys::currentModifiers.isAnyMouseButtonDown();
}
} // namespace

HeldButtonIdle::HeldButtonIdle (juce::Component& e, int interval, std::function<void()> idle)
    : editor (e), checkMs (interval), idleHost (std::move (idle))
{
    editor.addMouseListener (this, true);
}

HeldButtonIdle::~HeldButtonIdle()
{
    stopTimer();
    editor.removeMouseListener (this);
}

void HeldButtonIdle::mouseDown (const juce::MouseEvent&)
{
    startTimer (checkMs);
    // Last: a host may close the editor, and with it this, while it answers.
    idleHost();
}

void HeldButtonIdle::mouseUp (const juce::MouseEvent&)
{
    if (! anyButtonHeld())
        stopTimer();
}

void HeldButtonIdle::timerCallback()
{
    if (anyButtonHeld())
        idleHost();
    else
        stopTimer();
}
