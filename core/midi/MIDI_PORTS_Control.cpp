#include "core/midi/MIDI_PORTS_Control.h"

namespace
{
juce::StringArray namesOf (const juce::Array<juce::MidiDeviceInfo>& devices)
{
    juce::StringArray names;
    for (const auto& d : devices)
        names.add (d.name);
    return names;
}
} // namespace

MIDI_PORTS_Control::MIDI_PORTS_Control (std::shared_ptr<MidiDeviceLayer> deviceLayer) : layer (std::move (deviceLayer))
{
}

MIDI_PORTS_Control::~MIDI_PORTS_Control()
{
    if (selectedInput >= 0)
        closeDevice (true, selectedInput);

    if (selectedOutput >= 0)
        closeDevice (false, selectedOutput);

    inputEntries.clear();
    outputEntries.clear();
}

bool MIDI_PORTS_Control::compareDeviceLists (const juce::Array<juce::MidiDeviceInfo>& available, bool input) const
{
    const auto& entries = input ? inputEntries : outputEntries;

    if (available.size() != entries.size())
        return true;

    for (int i = 0; i < available.size(); ++i)
        if (available[i].name != entries[i]->info.name || available[i].identifier != entries[i]->info.identifier)
            return true;

    return false;
}

void MIDI_PORTS_Control::rebuildDeviceList (bool input)
{
    const auto available = input ? layer->getAvailableInputs() : layer->getAvailableOutputs();

    if (! compareDeviceLists (available, input))
        return;

    auto& entries = getEntries (input);
    juce::ReferenceCountedArray<MidiDeviceListEntry> rebuilt;

    for (const auto& device : available)
    {
        MidiDeviceListEntry::Ptr entry;

        for (auto* existing : entries)
            if (existing->info.name == device.name && existing->info.identifier == device.identifier)
                entry = existing;

        rebuilt.add (entry != nullptr ? entry : MidiDeviceListEntry::Ptr (new MidiDeviceListEntry (device)));
    }

    entries.swapWith (rebuilt);
}

void MIDI_PORTS_Control::closeDevice (bool input, int index)
{
    auto* entry = getEntries (input)[index].get();

    if (input)
    {
        inputOpen = false;
        if (entry != nullptr && entry->input != nullptr)
        {
            entry->input->stop();
            entry->input.reset();
        }
    }
    else
    {
        outputOpen = false;
        if (entry != nullptr)
            entry->output.reset();
    }
}

void MIDI_PORTS_Control::refreshInputNames()
{
    inputNames = namesOf (layer->getAvailableInputs());
}

void MIDI_PORTS_Control::refreshOutputNames()
{
    outputNames = namesOf (layer->getAvailableOutputs());
}

MidiOutputPort* MIDI_PORTS_Control::getOpenOutput() const noexcept
{
    if (! outputOpen)
        return nullptr;

    if (auto* entry = outputEntries[selectedOutput].get())
        return entry->output.get();

    return nullptr;
}
