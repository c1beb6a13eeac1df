#include "core/VellixAudioProcessor.h"

#include "core/VellixAudioProcessorEditor.h"

namespace
{
constexpr int kDesignWidth = 1148;
constexpr int kDesignHeight = 700;
constexpr int kSmallWidth = 975;
constexpr int kSmallHeight = 595;

int mainDisplayUsableWidth()
{
    if (const auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay())
        return display->userArea.getWidth();

    return 0;
}

juce::AudioPlayHead::CurrentPositionInfo defaultPosition()
{
    juce::AudioPlayHead::CurrentPositionInfo info;
    info.resetToDefault();
    return info;
}
} // namespace

juce::Point<int> VellixAudioProcessor::chooseEditorSize (int usableDisplayWidth)
{
    if (usableDisplayWidth >= kDesignWidth)
        return { kDesignWidth, kDesignHeight };

    return { kSmallWidth, kSmallHeight };
}

VellixAudioProcessor::VellixAudioProcessor()
    : AudioProcessor (BusesProperties()
                          .withInput ("Input", juce::AudioChannelSet::mono(), true)
                          .withOutput ("Output", juce::AudioChannelSet::mono(), true)),
      lastPosition (defaultPosition())
{
    controllerValues[(size_t) kVolumeControllerIndex] = 100;
    hub.addChangeListener (this);

    const auto size = chooseEditorSize (mainDisplayUsableWidth());
    editorWidth = size.x;
    editorHeight = size.y;

    setLatencySamples (0);

    hostBank = std::make_unique<Bank_Program> ("Program Bank");
    hostBank->initialiseBank();
    hub.setHostBank (hostBank.get());
}

VellixAudioProcessor::~VellixAudioProcessor()
{
    stopTimer();
    hub.removeChangeListener (this);
    hub.setHostBank (nullptr);
}

const juce::String VellixAudioProcessor::getName() const
{
    return "Tarnwick";
}

bool VellixAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto in = layouts.getMainInputChannels();
    const auto out = layouts.getMainOutputChannels();
    return in == out && (in == 1 || in == 2);
}

void VellixAudioProcessor::prepareToPlay (double sampleRate, int samplesPerBlock)
{
    hub.updateSampleRate ((int) sampleRate);
    hub.setBlockSize (samplesPerBlock);
    setLatencySamples (0);
    hub.clearDeviceInputBuffer();
}

void VellixAudioProcessor::releaseResources()
{
    setLatencySamples (0);
    hub.clearDeviceInputBuffer();
}

void VellixAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    if (const auto rate = (int) getSampleRate(); rate != (int) hub.getSampleRate())
        hub.updateSampleRate (rate);

    hub.setBlockSize (buffer.getNumSamples());

    hub.processHostMidi (midi, buffer.getNumSamples());

    for (int ch = getTotalNumInputChannels(); ch < getTotalNumOutputChannels(); ++ch)
        buffer.clear (ch, 0, buffer.getNumSamples());

    auto position = defaultPosition();
    if (auto* head = getPlayHead())
    {
        JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
        if (! head->getCurrentPosition (position))
            position = defaultPosition();
        JUCE_END_IGNORE_WARNINGS_GCC_LIKE
    }
    lastPosition = position;
}

juce::AudioProcessorEditor* VellixAudioProcessor::createEditor()
{
    return new VellixAudioProcessorEditor (*this);
}

void VellixAudioProcessor::setEditorSize (int width, int height) noexcept
{
    editorWidth = width;
    editorHeight = height;
}

int VellixAudioProcessor::getCurrentProgram()
{
    if (hub.getCurrentHostProgram() < 0)
        hub.setCurrentHostProgram (0);

    return hub.getCurrentHostProgram();
}

void VellixAudioProcessor::setCurrentProgram (int index)
{
    hub.setCurrentHostProgram (index);
    hub.recallHostProgram();
    hub.postEvent (kUiHostProgramSelected, 0, 0, 0);
}

const juce::String VellixAudioProcessor::getProgramName (int index)
{
    return hostBank->getProgramName (index);
}

void VellixAudioProcessor::changeProgramName (int index, const juce::String& newName)
{
    hostBank->setProgramName (index, newName);
    hub.setCurrentHostProgram (index);
    hub.recallHostProgram();
}

void VellixAudioProcessor::getStateInformation (juce::MemoryBlock&)
{
}

void VellixAudioProcessor::setStateInformation (const void*, int)
{
}

float VellixAudioProcessor::getParameter (int)
{
    return 0.0f;
}

void VellixAudioProcessor::setParameter (int, float)
{
}

const juce::String VellixAudioProcessor::getParameterName (int)
{
    return {};
}

const juce::String VellixAudioProcessor::getParameterText (int)
{
    return {};
}

const juce::String VellixAudioProcessor::getInputChannelName (int channelIndex) const
{
    return juce::String (channelIndex + 1);
}

const juce::String VellixAudioProcessor::getOutputChannelName (int channelIndex) const
{
    return juce::String (channelIndex + 1);
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new VellixAudioProcessor();
}
