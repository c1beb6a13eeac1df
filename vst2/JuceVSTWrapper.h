#pragma once

#include "core/VellixAudioProcessor.h"
#include "vst2/AudioEffectX.h"

#include <atomic>
#include <chrono>
#include <memory>

class HeldButtonIdle;

// The VST2 client: one per plug-in instance, owning its processor and
// answering the host's opcodes for it.
class JuceVSTWrapper : public AudioEffectX,
                       private juce::Timer,
                       private juce::AudioProcessorListener,
                       private juce::ComponentListener,
                       public juce::AudioPlayHead
{
public:
    static constexpr std::int32_t kVersion = 300;
    static constexpr int kMaxOutgoingEvents = 512;
    static constexpr int kEditorTimerMs = 250;
    static constexpr int kChunkKeptMs = 2000;
    static constexpr int kIdleSpacingMs = 20;

    JuceVSTWrapper (audioMasterCallback audioMaster, std::unique_ptr<VellixAudioProcessor> processor);
    ~JuceVSTWrapper() override;

    intptr_t dispatcher (std::int32_t opcode, std::int32_t index, intptr_t value, void* ptr, float opt) override;

    void open() override;
    void close() override;
    void suspend() override;
    void resume() override;
    void processReplacing (float** inputs, float** outputs, std::int32_t sampleFrames) override;

    void setParameter (std::int32_t index, float value) override;
    float getParameter (std::int32_t index) override;
    std::int32_t getProgram() override;
    void setProgram (std::int32_t program) override;
    void setProgramName (char* name) override;
    void getProgramName (char* name) override;
    void getParameterDisplay (std::int32_t index, char* text) override;
    void getParameterName (std::int32_t index, char* text) override;
    std::int32_t getChunk (void** data, bool isPreset) override;
    std::int32_t setChunk (void* data, std::int32_t byteSize, bool isPreset) override;

    bool canParameterBeAutomated (std::int32_t index) override;
    bool getProgramNameIndexed (std::int32_t category, std::int32_t index, char* text) override;
    bool getInputProperties (std::int32_t index, VstPinProperties* properties) override;
    bool getOutputProperties (std::int32_t index, VstPinProperties* properties) override;
    bool setSpeakerArrangement (VstSpeakerArrangement* input, VstSpeakerArrangement* output) override;
    bool setBypass (bool onOff) override;
    std::int32_t processEvents (VstEvents* events) override;
    std::int32_t getGetTailSize() override;
    bool getEffectName (char* name) override;
    bool getVendorString (char* text) override;
    bool getProductString (char* text) override;
    std::int32_t getVendorVersion() override;
    std::int32_t canDo (char* text) override;
    std::int32_t getPlugCategory() override;

    juce::Optional<PositionInfo> getPosition() const override;

    VellixAudioProcessor& getProcessor() noexcept { return *processor; }
    juce::AudioProcessorEditor* getEditorComponent() const noexcept { return editorComp.get(); }

private:
    void timerCallback() override;
    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override;
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override;
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index) override;
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index) override;

    intptr_t getEditorRect (void* ptr);
    intptr_t openEditor (void* parentWindow);
    void closeEditor();
    void componentMovedOrResized (juce::Component&, bool wasMoved, bool wasResized) override;
    void fitHostWindowToEditor();
    void idleHost();
    bool getPinProperties (std::int32_t index, VstPinProperties* properties) const;
    void sendOutgoingMidi (const juce::MidiBuffer& midi, int numSamples);
    void releaseChunk();

    std::unique_ptr<VellixAudioProcessor> processor;
    std::unique_ptr<juce::AudioProcessorEditor> editorComp;
    ERect editorRect {};

    // Message thread, or the host's thread under the message manager's lock,
    // as the editor itself: the window given at effEditOpen, whether we are
    // inside the host's answer to a size change, the held-button idle and
    // when the host's last idle call from us returned.
    void* hostWindow = nullptr;
    bool askingHostToResize = false;
    std::unique_ptr<HeldButtonIdle> heldButtonIdle;
    std::chrono::steady_clock::time_point lastIdleReturned {};

    // Asked on the host's thread at every resume, read by the audio thread.
    std::atomic<bool> hostSendsTimeInfo { false };

    // Host MIDI of the next block (filled by effProcessEvents) and the block's
    // MIDI, preallocated so that processing allocates nothing.
    juce::MidiBuffer hostMidi;
    juce::MidiBuffer blockMidi;

    struct OutgoingEvents;
    std::unique_ptr<OutgoingEvents> outgoing;

    juce::MemoryBlock chunkMemory;
    juce::uint32 chunkHandedOutAt = 0;

    bool isShutDown = false;
    bool bypassed = false;
    bool askProcessLevel = true;
    bool speakerArrangementAccepted = false;
    std::int32_t inputArrangementType = 0, outputArrangementType = 0;

    JUCE_DECLARE_NON_COPYABLE (JuceVSTWrapper)
};
