#pragma once

#include "support/SimulatedMopho.h"
#include "support/SynthRig.h"
#include "support/VirtualMidi.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <gtest/gtest.h>

#include <dlfcn.h>

// The built VST3 bundle, loaded the way a DAW loads it: through the
// framework's VST3 hosting.
namespace LoadedModule
{
inline juce::File bundle()
{
    return juce::File (BRINDLEMARK_VST3_BUNDLE);
}

inline juce::File moduleBinary()
{
    return bundle().getChildFile ("Contents/x86_64-linux").getChildFile (bundle().getFileNameWithoutExtension() + ".so");
}

inline std::unique_ptr<juce::PluginDescription> describe()
{
    juce::VST3PluginFormat format;
    juce::OwnedArray<juce::PluginDescription> types;
    format.findAllTypesForFile (types, bundle().getFullPathName());

    if (types.size() != 1)
        return {};

    return std::make_unique<juce::PluginDescription> (*types[0]);
}

inline std::unique_ptr<juce::AudioPluginInstance> instantiate (double sampleRate = 44100.0, int blockSize = 512)
{
    auto description = describe();
    if (description == nullptr)
        return {};

    juce::VST3PluginFormat format;
    juce::String error;
    return format.createInstanceFromDescription (*description, sampleRate, blockSize, error);
}

// The loaded module keeps its own copy of our code: its settings folder is the
// user's one (under this test process's private HOME), and its MIDI device
// layer is chosen through the module's exported seam.
struct ModuleWiredToSynth
{
    explicit ModuleWiredToSynth (bool clockOn = false)
    {
        folder.deleteRecursively();
        folder.createDirectory();
        if (clockOn)
        {
            juce::String settings;
            for (int slot = 0; slot < 50; ++slot)
                settings << "^|" << (slot == 44 ? "1" : "0") << "|^";
            folder.getChildFile ("mphedstd.dat").replaceWithText (settings);
        }
        writeSimulatorPortFile (folder.getChildFile ("mhdplports.dat"));
        useLayer (&layer);
    }

    ~ModuleWiredToSynth()
    {
        useLayer (nullptr);
        folder.deleteRecursively();
    }

    static void useLayer (std::shared_ptr<MidiDeviceLayer>* chosen)
    {
        void* module = dlopen (moduleBinary().getFullPathName().toRawUTF8(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE (module, nullptr);
        using UseFn = void (*) (std::shared_ptr<MidiDeviceLayer>*);
        auto use = reinterpret_cast<UseFn> (dlsym (module, "brindlemarkUseMidiDeviceLayer"));
        ASSERT_NE (use, nullptr);
        use (chosen);
        dlclose (module);
    }

    const juce::File folder = juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory).getChildFile ("Hollenvar");
    std::shared_ptr<MidiDeviceLayer> layer = std::make_shared<VirtualMidiDeviceLayer>();
    VirtualMidiInput& fromSynth = static_cast<VirtualMidiDeviceLayer&> (*layer).addInput ("Synth Out", "sim-out");
    VirtualMidiOutput& toSynth = static_cast<VirtualMidiDeviceLayer&> (*layer).addOutput ("Synth In", "sim-in");
    SimulatedMopho synth { toSynth, fromSynth };
};
} // namespace LoadedModule
