#include "editor/MainComp.h"

#include "core/storage/SettingsFile.h"

#include <algorithm>

namespace
{
// Repainted after a port change: the fields and lamps.
const juce::Rectangle<int> portArea { 40, 20, 750, 250 };

struct SwitchReport
{
    MidiSetupEventCode code;
    SettingsSlot slot;
    void (MidiCntrState::*apply) (bool) noexcept;
};

constexpr SwitchReport switchReports[] = {
    { kSetupHostToSynthThru, kSlotHostToSynthThru, &MidiCntrState::setHostToSynthThru },
    { kSetupClock, kSlotClock, &MidiCntrState::setClockOn },
    { kSetupSynthToHostThru, kSlotSynthToHostThru, &MidiCntrState::setSynthToHostThru },
};
} // namespace

void MainComp::showMidiSetup (bool show)
{
    if (! show)
    {
        hub.loadOrSavePortSettings (MidiCntrState::kSavePorts);
        removeMidiSetup();
        return;
    }

    if (midiSetup != nullptr)
        return;

    midiSetup = std::make_unique<MIDI_Setup> (hub);
    addChildComponent (*midiSetup);
    midiSetup->addChangeListener (this);

    auto& ports = hub.getPorts();
    ports.refreshOutputNames();
    ports.refreshInputNames();
    midiSetup->setPortNames (ports.getInputNames(), ports.getOutputNames());
    midiSetup->chosenInput = ports.selectedInput + 1;
    midiSetup->chosenOutput = ports.selectedOutput + 1;
    midiSetup->inputOpen = ports.inputOpen;
    midiSetup->outputOpen = ports.outputOpen;

    midiSetup->setSwitch (MIDI_Setup::clockSwitch, hub.isClockOn());
    midiSetup->setSwitch (MIDI_Setup::hostToSynthSwitch, hub.isHostToSynthThruOn());
    midiSetup->setSwitch (MIDI_Setup::synthToHostSwitch, hub.isSynthToHostThruOn());

    midiSetup->setAlwaysOnTop (true);
    midiSetup->setBounds (0, AppBar::kHeight, getWidth(), getHeight());
    midiSetup->setVisible (true);

    juce::Array<int> delays;
    for (int i = 0; i < MidiCntrState::kNumMidiDelays; ++i)
        delays.add (hub.getMidiDelay (i));
    auto& latency = midiSetup->getLatencyPanel();
    latency.setLatencySettings (hub.getDelayMode(), hub.getSampleRateIndex(), delays);
    latency.addChangeListener (this);

    hub.requestGlobals();
}

void MainComp::removeMidiSetup()
{
    midiSetup.reset();
}

bool MainComp::handleMidiSetupChange (juce::ChangeBroadcaster* source)
{
    if (midiSetup == nullptr)
        return false;

    if (source == midiSetup.get())
    {
        // Taken whole first: OK deletes the page on the way.
        for (const auto& report : midiSetup->takeReports())
            handleMidiSetupEvent (report.code, report.value);
        return true;
    }

    if (source == &midiSetup->getLatencyPanel())
    {
        const auto& latency = midiSetup->getLatencyPanel();
        hub.setMidiDelays (latency.getDelayMode(), latency.getDelayTable());
        return true;
    }

    return false;
}

void MainComp::handleMidiSetupEvent (int code, int value)
{
    auto& ports = hub.getPorts();

    if (code == kSetupInputPort || code == kSetupOutputPort)
    {
        const bool input = code == kSetupInputPort;
        if (input)
            hub.selectInputDevice (value);
        else
            hub.selectOutputDevice (value);

        if (midiSetup != nullptr)
        {
            (input ? midiSetup->chosenInput : midiSetup->chosenOutput) = value;
            (input ? midiSetup->inputOpen : midiSetup->outputOpen) = input ? ports.inputOpen.load() : ports.outputOpen.load();
            midiSetup->repaint (portArea);
        }
    }
    else if (code != kSetupOk)
    {
        const auto* found = std::find_if (std::begin (switchReports), std::end (switchReports),
                                          [code] (const SwitchReport& r) { return r.code == code; });
        if (found == std::end (switchReports))
            return;

        (hub.*(found->apply)) (value == 1);
        setSettingsEntry (found->slot, value == 1);
    }

    hub.requestGlobals();
    hub.loadOrSaveSettings (MidiCntrState::kSaveSettings);

    if (code == kSetupOk)
    {
        // Over the write page the port file stays as it is, but the page
        // still goes: left behind, the next MIDI would open a second one.
        if (! writePageShown)
            hub.loadOrSavePortSettings (MidiCntrState::kSavePorts);
        removeMidiSetup();
    }
}

void MainComp::setSettingsEntry (int slot, bool on)
{
    auto& settings = hub.getSettings();
    while (settings.size() <= slot)
        settings.add ("0");
    settings.set (slot, on ? "1" : "0");
}
