#pragma once

#include "core/VellixAudioProcessor.h"
#include "core/storage/PortSettingsFile.h"
#include "core/storage/SettingsFile.h"
#include "support/SimulatedMopho.h"
#include "support/VirtualMidi.h"

// The port file that opens the simulated synthesizer's two ports.
inline void writeSimulatorPortFile (const juce::File& file)
{
    file.getParentDirectory().createDirectory();
    const auto bytes = PortSettingsFile::build ({ "Synth Out", "Synth In", "NONE", "0" });
    file.replaceWithData (bytes.getData(), bytes.getSize());
}

// The simulated synthesizer on the far side of a pair of virtual ports, and
// the port file that has a processor open them at start-up, or, on a first
// start, none yet: the user has to choose them.
struct SimulatedSynthPorts
{
    enum class Ports { inThePortFile, notChosenYet };

    explicit SimulatedSynthPorts (Ports ports = Ports::inThePortFile)
    {
        if (ports == Ports::inThePortFile)
            writeSimulatorPortFile (getPortSettingsFile());
    }

    // Every message that reached the synthesizer so far, as bytes.
    std::vector<std::vector<int>> bytesSentToSynth() const
    {
        std::vector<std::vector<int>> result;
        for (const auto& m : toSynth.getReceived())
            result.emplace_back (m.getRawData(), m.getRawData() + m.getRawDataSize());
        return result;
    }

    ScopedMidiDeviceLayer layer;
    VirtualMidiInput& fromSynth = layer->addInput ("Synth Out", "sim-out");
    VirtualMidiOutput& toSynth = layer->addOutput ("Synth In", "sim-in");
    std::unique_ptr<SimulatedMopho> synth = std::make_unique<SimulatedMopho> (toSynth, fromSynth);
};

// A processor wired to a simulated synthesizer over a pair of virtual ports,
// as a musician's set-up would be.
struct SynthRig : SimulatedSynthPorts
{
    explicit SynthRig (Ports ports = Ports::inThePortFile)
        : SimulatedSynthPorts (ports), processor (std::make_unique<VellixAudioProcessor>()) {}

    ~SynthRig()
    {
        processor.reset();
        synth.reset();
    }

    MidiCntrState& hub() { return processor->getHub(); }

    std::unique_ptr<VellixAudioProcessor> processor;
};
