#pragma once

#include "core/midi/MidiCntrState.h"

// A hub with an initialised host bank, as the processor gives it one, and no
// event waiting.
struct HubRig
{
    HubRig()
    {
        hostBank.initialiseBank();
        hub.setHostBank (&hostBank);
        hub.takeEvents();
    }

    void receive (const juce::MidiMessage& m) { hub.handleIncomingMidiMessage (nullptr, m); }

    Bank_Program hostBank { "Program Bank" };
    MidiCntrState hub;
};
