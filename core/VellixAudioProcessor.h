#pragma once

#include "core/HostParameters.h"
#include "core/HostViewUpdater.h"
#include "core/midi/MidiClockGenerator.h"
#include "core/midi/MidiCntrState.h"
#include "core/model/Bank_Program.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The plug-in instance: an instrument that passes audio through, keeps a bank
// of 128 Mopho programs for the host and owns the MIDI hub.
// The two chunk formats a host stores in its projects.
namespace HostChunk
{
constexpr const char* kBankMarker = "MophoPluginBankVersion100";        // 25 bytes
constexpr const char* kProgramMarker = "MophoPluginSettingsVersion100"; // 29 bytes
constexpr int kBankMarkerSize = 25;
constexpr int kProgramMarkerSize = 29;
constexpr int kBankSlotsOffset = kBankMarkerSize;
constexpr int kBankCurrentOffset = kBankSlotsOffset + 128 * 256; // 32793
constexpr int kBankIndexOffset = kBankCurrentOffset + 256;       // 33049
constexpr int kBankChunkSize = kBankIndexOffset + 1;             // 33050
constexpr int kProgramChunkSize = kProgramMarkerSize + 256;      // 285
} // namespace HostChunk

class VellixAudioProcessor : public juce::AudioProcessor,
                             public juce::ChangeListener,
                             public juce::Timer,
                             public juce::ChangeBroadcaster
{
public:
    static constexpr int kNumHostPrograms = 128;
    static constexpr int kParameterSlots = 1000;

    // The editor opens smaller on displays narrower than the design width.
    static juce::Point<int> chooseEditorSize (int usableDisplayWidth);

    VellixAudioProcessor();
    ~VellixAudioProcessor() override;

    using AudioProcessor::processBlock;
    using AudioProcessor::getParameterName;
    using AudioProcessor::getParameterText;

    const juce::String getName() const override;
    void prepareToPlay (double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return true; }
    bool producesMidi() const override { return true; }
    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override { return true; }

    int getNumPrograms() override { return kNumHostPrograms; }
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;

    // The host bank (HostBankChunk) and the current program (HostProgramChunk).
    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;
    void getCurrentProgramStateInformation (juce::MemoryBlock& destData) override;
    void setCurrentProgramStateInformation (const void* data, int sizeInBytes) override;
    static void writeProgramStateChunk (const ProgramImage::Block& image, juce::MemoryBlock& destData);

    bool loadBankStateFile (const juce::String& path);
    bool saveBankStateFile (const juce::String& path);
    bool loadProgramStateFile (const juce::String& path);
    bool saveProgramStateFile (const juce::String& path);

    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    int getNumParameters() override { return isVst2() ? HostParameter::kNumProgramParameters : HostParameter::kCount; }
    float getParameter (int index) override;
    void setParameter (int index, float newValue) override;
    const juce::String getParameterName (int index) override;
    const juce::String getParameterText (int index) override;
    float getParameterDefaultValue (int index) override;
    const juce::String getInputChannelName (int channelIndex) const override;
    const juce::String getOutputChannelName (int channelIndex) const override;
    bool isInputChannelStereoPair (int) const override { return true; }
    bool isOutputChannelStereoPair (int) const override { return true; }
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;

    // The drain of the controller-change queue and the gesture-end timer:
    // message thread.
    void changeListenerCallback (juce::ChangeBroadcaster*) override;
    void timerCallback() override;

    // An edit of one program byte from the editor or the synthesizer: message thread.
    void changeProgramParameter (int position, int value, bool endGestureNow, bool send);
    void changeControllerParameter (int position, int value);
    void beginGestureOnce (int position);
    void endGestureOnce (int position);
    bool isGestureOpen (int position) const noexcept;

    static int getControllerRange (int index) noexcept;
    static juce::String getControllerParameterName (int index);
    int getControllerValue (int index) const noexcept;

    MidiCntrState& getHub() noexcept { return hub; }

    // The VST2 library runs the same processor with a few differences.
    bool isVst2() const noexcept { return wrapperType == wrapperType_VST; }
    Bank_Program& getHostBank() noexcept { return *hostBank; }

    int getEditorWidth() const noexcept { return editorWidth; }
    int getEditorHeight() const noexcept { return editorHeight; }
    void setEditorSize (int width, int height) noexcept;

private:
    void renderClock (int numSamples);
    void tellHostTheEditBufferChanged();

    juce::AudioPlayHead::CurrentPositionInfo lastPosition; // audio thread
    int editorWidth = 0, editorHeight = 0; // message thread
    MidiCntrState hub;
    // The gesture-end timer runs while a gesture end is queued, no longer.
    static constexpr int kGestureEndDelayMs = 200;
    void queueGestureEnd (int position);
    float hostValueOf (int index, int value) const;

    // Written by setParameter (audio thread) and the drain (message thread).
    std::array<std::atomic<int>, kParameterSlots> controllerValues {};
    // Message thread only.
    std::array<juce::uint8, kParameterSlots> gestureFlags {};
    juce::Array<juce::uint16> gestureEndQueue;
    std::unique_ptr<Bank_Program> hostBank;

    // The clock of one block; audio thread, and prepareToPlay for the tick
    // switch. Guarded by processorLock, held only around the clock step.
    MidiClockGenerator clockGenerator;
    juce::MidiBuffer clockBuffer;
    juce::SpinLock processorLock;

    ProgramImage::Block initProgram {}; // the defaults a host resets to; constant
    HostViewUpdater hostViewUpdater { hub, [this] { tellHostTheEditBufferChanged(); } };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VellixAudioProcessor)
};
