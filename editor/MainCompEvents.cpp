#include "editor/MainComp.h"

void MainComp::midiCntrStateChanged (MidiCntrState*)
{
    eventsWaiting = true;
}

void MainComp::stateCommandPosted()
{
    eventsWaiting = true;
}

void MainComp::handleAsyncUpdate()
{
    for (const auto code : hub.takeEvents())
        handleUiEvent (code);
}

void MainComp::handleUiEvent (juce::int64 code)
{
    switch (UiEventCode::type (code))
    {
        case kUiEditBufferReplaced:
            refreshAll();
            break;

        case kUiSynthOnLine:
            appBar->getStatusLabel().setLabelText (kOnLineText);
            if (midiSetup != nullptr)
                midiSetup->getStatusLabel().setLabelText (kOnLineText);
            break;

        case kUiSynthOffLine:
            appBar->getStatusLabel().setLabelText (kOffLineText);
            if (midiSetup != nullptr)
                midiSetup->getStatusLabel().setLabelText (kOffLineText);
            break;

        case kUiController:
        case kUiPitchBend:
            followWheels (code);
            break;

        default:
            // The other events reach pages that are not built yet.
            break;
    }
}

void MainComp::refreshAll()
{
    ++refreshCount;
    repaint();
}
