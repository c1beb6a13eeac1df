#include "editor/MainComp.h"

#include "core/midi/MophoSysEx.h"

void MainComp::buildKeyboardDrawer()
{
    keyboardDrawer = std::make_unique<KeyBrd> (hub);
    addAndMakeVisible (*keyboardDrawer);
    keyboardDrawer->addChangeListener (this);
    keyboardDrawer->setAlwaysOnTop (true);
}

void MainComp::layoutKeyboardDrawer()
{
    if (keyboardDrawer != nullptr)
        keyboardDrawer->layout (hub.getEditorScale(), getHeight());
}

int MainComp::drawerTop() const noexcept
{
    return keyboardDrawer != nullptr ? keyboardDrawer->getY() : KeyBrd::closedTopFor (hub.getEditorScale(), getHeight());
}

void MainComp::closeKeyboardDrawer()
{
    layoutKeyboardDrawer();
}

// The wheels follow what the synthesizer or the host moved, and send nothing back.
void MainComp::followWheels (juce::int64 code)
{
    const int value = UiEventCode::value (code) & 0x7F;

    if (UiEventCode::type (code) == kUiPitchBend)
        keyboardDrawer->getPitchWheel().setValue (value, false);
    else if ((UiEventCode::position (code) & 0x7F) == MophoSysEx::kModWheel)
        keyboardDrawer->getModWheel().setValue (value, false);
}
