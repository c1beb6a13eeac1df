#include "vst2/JuceVSTWrapper.h"
#include "vst2/Vst2MessageThread.h"


// The library's only export: a new instance's record for the host.
extern "C" __attribute__ ((visibility ("default"))) AEffect* VSTPluginMain (audioMasterCallback audioMaster)
{
    try
    {
        if (audioMaster == nullptr || audioMaster (nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
            return nullptr;

        // The framework runs on the plug-in's own message thread (started here
        // for the first instance): the processor is created under its lock.
        Vst2MessageThread::instanceCreated();
        std::unique_ptr<VellixAudioProcessor> processor;
        {
            const juce::MessageManagerLock lock;
            juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_VST);
            processor.reset (static_cast<VellixAudioProcessor*> (createPluginFilter()));
            juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Undefined);
        }

        auto* wrapper = new JuceVSTWrapper (audioMaster, std::move (processor));
        Vst2MessageThread::instanceDeleted(); // the wrapper holds its own count now
        return wrapper->getAeffect();
    }
    catch (...)
    {
        return nullptr;
    }
}

// Runs at dlclose, before the library's static objects are destroyed.
__attribute__ ((destructor)) static void brindlemarkUnloading()
{
    Vst2MessageThread::libraryUnloading();
}
