#include "editor/MainComp.h"

void MainComp::showAbout (bool show, int autoCloseMs)
{
    if (! show)
    {
        // The help page opened with the first editor goes with the about box
        // only when it has nothing to show: a scan can outlast the box by far,
        // and what it found is the user's to read.
        if (hub.isHelpPageShown() && (midiScan == nullptr || ! midiScan->isInUse()))
            showMidiScan (false);

        if (aboutPanel != nullptr)
        {
            aboutPanel->stopTimer();
            aboutPanel->setVisible (false);
            aboutPanel->exitModalState (0);
            retire (std::move (aboutPanel));
        }
        return;
    }

    if (aboutPanel != nullptr)
        return;

    aboutPanel = std::make_unique<AboutPanel> (autoCloseMs);
    addAndMakeVisible (*aboutPanel);
    aboutPanel->setBounds (getLocalBounds());
    aboutPanel->setAlwaysOnTop (true);
    aboutPanel->addChangeListener (this);
    aboutPanel->enterModalState (false);
}

void MainComp::showMidiScan (bool show)
{
    hub.setHelpPageShown (show);

    if (! show)
    {
        if (midiScan != nullptr)
            retire (std::move (midiScan));
        return;
    }

    if (midiScan != nullptr)
        return;

    midiScan = std::make_unique<MIDI_scan> (hub);
    addAndMakeVisible (*midiScan);
    midiScan->addChangeListener (this);
    midiScan->setAlwaysOnTop (true);
    midiScan->startScan();
}

void MainComp::retire (std::unique_ptr<juce::Component> overlay)
{
    // Closing runs inside the overlay's own change message: it is deleted at
    // the next event poll, once that call has returned.
    removeChildComponent (overlay.get());
    retiredOverlays.push_back (std::move (overlay));
}

bool MainComp::handleOverlayChange (juce::ChangeBroadcaster* source)
{
    if (aboutPanel != nullptr && source == aboutPanel.get())
    {
        if (! writePageShown)
            showAbout (false);
        return true;
    }

    if (midiScan != nullptr && source == midiScan.get())
    {
        const bool openSetup = midiScan->getRequest() == MIDI_scan::kOpenMidiSetupRequest;
        if (hub.isHelpPageShown())
            showMidiScan (false);
        if (openSetup)
            switchPage (kMidiSetupSwitch, true);
        return true;
    }

    return false;
}
