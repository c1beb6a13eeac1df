#include "vst2/JuceVSTWrapper.h"

#include "vst2/HeldButtonIdle.h"
#include "vst2/Vst2MessageThread.h"

#include <cstring>

namespace
{
void copyText (const juce::String& text, char* dest, size_t maxBytes)
{
    if (dest != nullptr)
        text.copyToUTF8 (dest, maxBytes);
}

constexpr size_t kProgramNameBytes = 24;
constexpr size_t kParamNameBytes = 16;
constexpr size_t kParamDisplayBytes = 24;
constexpr size_t kNameBytes = 64;
constexpr std::int32_t kTimeFilter = 0xFE00; // every field but nanoseconds
constexpr std::int32_t kIsSynthFlags = effFlagsHasEditor | effFlagsCanReplacing | effFlagsIsSynth; // 0x111
} // namespace

// Events to the host: a block of VstEvents with room for its pointers, and the
// events themselves, allocated once.
struct JuceVSTWrapper::OutgoingEvents
{
    OutgoingEvents() : header (sizeof (VstEvents) + sizeof (VstEvent*) * kMaxOutgoingEvents, true) {}

    VstEvents* events() noexcept { return reinterpret_cast<VstEvents*> (header.getData()); }

    juce::HeapBlock<char> header;
    std::array<VstMidiEvent, kMaxOutgoingEvents> midi {};
    std::array<VstMidiSysexEvent, kMaxOutgoingEvents> sysex {};
};

JuceVSTWrapper::JuceVSTWrapper (audioMasterCallback cb, std::unique_ptr<VellixAudioProcessor> p)
    : AudioEffectX (cb, p->getNumPrograms(), p->getNumParameters()),
      processor (std::move (p)),
      outgoing (std::make_unique<OutgoingEvents>())
{
    processor->setPlayConfigDetails (2, 2, sampleRate, blockSize);
    processor->setPlayHead (this);
    processor->addListener (this);

    hostMidi.ensureSize (4096);
    blockMidi.ensureSize (4096);

    cEffect.version = kVersion;
    cEffect.uniqueID = vstFourCC ('J', 'x', 'm', 'b');
    cEffect.numInputs = 2;
    cEffect.numOutputs = 2;
    cEffect.flags |= kIsSynthFlags;
    if (processor->getTailLengthSeconds() <= 0.0)
        cEffect.flags |= effFlagsNoSoundInStop;
    cEffect.initialDelay = processor->getLatencySamples();
    cEffect.flags |= effFlagsProgramChunks;

    Vst2MessageThread::instanceCreated();
}

JuceVSTWrapper::~JuceVSTWrapper()
{
    isShutDown = true;
    stopTimer();
    {
        const juce::MessageManagerLock lock;
        closeEditor();
        processor->removeListener (this);
        processor->setPlayHead (nullptr);
        processor.reset();
    }
    releaseChunk();
    Vst2MessageThread::instanceDeleted();
}

//==============================================================================
intptr_t JuceVSTWrapper::dispatcher (std::int32_t opcode, std::int32_t index, intptr_t value, void* ptr, float opt)
{
    if (isShutDown)
        return 0;

    switch (opcode)
    {
        case effEditGetRect: return getEditorRect (ptr);
        case effEditOpen:    return openEditor (ptr);
        case effEditClose:   closeEditor(); return 0;
        case effEditIdle:    return 0; // the plug-in's own message thread runs the editor
        default:             return AudioEffectX::dispatcher (opcode, index, value, ptr, opt);
    }
}

void JuceVSTWrapper::open()
{
    if (processor->hasEditor())
        cEffect.flags |= effFlagsHasEditor;
    else
        cEffect.flags &= ~effFlagsHasEditor;
}

void JuceVSTWrapper::close()
{
    stopTimer();
    const juce::MessageManagerLock lock;
    closeEditor();
}

void JuceVSTWrapper::suspend()
{
    const juce::ScopedLock sl (processor->getCallbackLock());
    processor->releaseResources();
}

void JuceVSTWrapper::resume()
{
    const double rate = getSampleRate() > 0 ? getSampleRate() : 44100.0;
    const int block = juce::jmax (1, (int) getBlockSize());

    // Asked here, on the host's thread, so that blocks never ask the host.
    char sendVstTimeInfoText[] = "sendVstTimeInfo";
    hostSendsTimeInfo = canHostDo (sendVstTimeInfoText) != 0;

    processor->setNonRealtime (getCurrentProcessLevel() == kVstProcessLevelOffline);
    processor->setPlayConfigDetails (2, 2, rate, block);
    {
        const juce::ScopedLock sl (processor->getCallbackLock());
        processor->prepareToPlay (rate, block);
    }
    hostMidi.clear();
    askProcessLevel = true;
    setInitialDelay (processor->getLatencySamples());

    AudioEffectX::resume();
}

void JuceVSTWrapper::processReplacing (float** inputs, float** outputs, std::int32_t sampleFrames)
{
    if (isShutDown || sampleFrames <= 0 || outputs == nullptr)
        return;

    if (askProcessLevel)
    {
        askProcessLevel = false;
        processor->setNonRealtime (getCurrentProcessLevel() == kVstProcessLevelOffline);
    }

    const int numIn = processor->getTotalNumInputChannels();
    const int numOut = juce::jmin (processor->getTotalNumOutputChannels(), 32);

    // The processor works in place on the host's outputs.
    for (int ch = 0; ch < numOut; ++ch)
    {
        if (outputs[ch] == nullptr)
            return;

        if (ch < numIn && inputs != nullptr && inputs[ch] != nullptr)
        {
            if (inputs[ch] != outputs[ch])
                std::memmove (outputs[ch], inputs[ch], sizeof (float) * (size_t) sampleFrames);
        }
        else
        {
            juce::FloatVectorOperations::clear (outputs[ch], sampleFrames);
        }
    }

    juce::AudioBuffer<float> buffer (outputs, numOut, sampleFrames);
    blockMidi.clear();
    blockMidi.addEvents (hostMidi, 0, sampleFrames, 0);
    hostMidi.clear();

    {
        const juce::ScopedLock sl (processor->getCallbackLock());

        if (bypassed)
            processor->processBlockBypassed (buffer, blockMidi);
        else
            processor->processBlock (buffer, blockMidi);
    }

    if (! blockMidi.isEmpty())
        sendOutgoingMidi (blockMidi, sampleFrames);
}

void JuceVSTWrapper::sendOutgoingMidi (const juce::MidiBuffer& midi, int numSamples)
{
    auto* events = outgoing->events();
    int n = 0;

    for (const auto metadata : midi)
    {
        if (n == kMaxOutgoingEvents)
            break;

        const int position = juce::jlimit (0, numSamples - 1, metadata.samplePosition);

        if (metadata.numBytes <= 4)
        {
            auto& e = outgoing->midi[(size_t) n];
            e = {};
            e.type = kVstMidiType;
            e.byteSize = sizeof (VstMidiEvent);
            e.deltaFrames = position;
            std::memcpy (e.midiData, metadata.data, (size_t) metadata.numBytes);
            events->events[n] = reinterpret_cast<VstEvent*> (&e);
        }
        else
        {
            auto& e = outgoing->sysex[(size_t) n];
            e = {};
            e.type = kVstSysExType;
            e.byteSize = sizeof (VstMidiSysexEvent);
            e.deltaFrames = position;
            e.dumpBytes = metadata.numBytes;
            e.sysexDump = const_cast<char*> (reinterpret_cast<const char*> (metadata.data));
            events->events[n] = reinterpret_cast<VstEvent*> (&e);
        }
        ++n;
    }

    events->numEvents = n;
    events->reserved = 0;

    if (audioMaster != nullptr)
        audioMaster (&cEffect, audioMasterProcessEvents, 0, 0, events, 0.0f);
}

std::int32_t JuceVSTWrapper::processEvents (VstEvents* events)
{
    if (events == nullptr)
        return 1;

    for (int i = 0; i < events->numEvents; ++i)
    {
        const auto* event = events->events[i];
        if (event == nullptr)
            continue;

        if (event->type == kVstMidiType)
        {
            const auto* midi = reinterpret_cast<const VstMidiEvent*> (event);
            const auto* bytes = reinterpret_cast<const juce::uint8*> (midi->midiData);
            const int length = juce::jlimit (1, 4, juce::MidiMessage::getMessageLengthFromFirstByte (bytes[0]));
            hostMidi.addEvent (bytes, length, juce::jmax (0, (int) midi->deltaFrames));
        }
        else if (event->type == kVstSysExType)
        {
            const auto* sysex = reinterpret_cast<const VstMidiSysexEvent*> (event);
            if (sysex->sysexDump != nullptr && sysex->dumpBytes > 0)
                hostMidi.addEvent (sysex->sysexDump, sysex->dumpBytes, juce::jmax (0, (int) sysex->deltaFrames));
        }
    }

    return 1;
}

//==============================================================================
void JuceVSTWrapper::setParameter (std::int32_t index, float value)
{
    // Negative indexes and values outside 0..1 never reach the processor.
    if (index < 0 || index >= processor->getNumParameters())
        return;

    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    processor->setParameter (index, juce::jlimit (0.0f, 1.0f, value));
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
}

float JuceVSTWrapper::getParameter (std::int32_t index)
{
    if (index < 0 || index >= processor->getNumParameters())
        return 0.0f;

    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    return processor->getParameter (index);
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
}

std::int32_t JuceVSTWrapper::getProgram()
{
    return processor->getCurrentProgram();
}

void JuceVSTWrapper::setProgram (std::int32_t program)
{
    processor->setCurrentProgram (juce::jmax (0, (int) program));
}

void JuceVSTWrapper::setProgramName (char* name)
{
    if (name != nullptr)
        processor->changeProgramName (processor->getCurrentProgram(), juce::String::fromUTF8 (name));
}

void JuceVSTWrapper::getProgramName (char* name)
{
    copyText (processor->getProgramName (processor->getCurrentProgram()), name, kProgramNameBytes);
}

void JuceVSTWrapper::getParameterDisplay (std::int32_t index, char* text)
{
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    copyText (index >= 0 ? processor->getParameterText (index) : juce::String(), text, kParamDisplayBytes);
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
}

void JuceVSTWrapper::getParameterName (std::int32_t index, char* text)
{
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    copyText (index >= 0 ? processor->getParameterName (index) : juce::String(), text, kParamNameBytes);
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
}

std::int32_t JuceVSTWrapper::getChunk (void** data, bool isPreset)
{
    if (data == nullptr)
        return 0;

    releaseChunk();

    if (isPreset)
        processor->getCurrentProgramStateInformation (chunkMemory);
    else
        processor->getStateInformation (chunkMemory);

    chunkHandedOutAt = juce::Time::getMillisecondCounter();
    *data = chunkMemory.getData();
    return (std::int32_t) chunkMemory.getSize();
}

std::int32_t JuceVSTWrapper::setChunk (void* data, std::int32_t byteSize, bool isPreset)
{
    releaseChunk();

    if (data == nullptr || byteSize <= 0)
        return 0;

    if (isPreset)
        processor->setCurrentProgramStateInformation (data, byteSize);
    else
        processor->setStateInformation (data, byteSize);

    return 0;
}

void JuceVSTWrapper::releaseChunk()
{
    chunkMemory.reset();
}

//==============================================================================
bool JuceVSTWrapper::canParameterBeAutomated (std::int32_t)
{
    return true;
}

bool JuceVSTWrapper::getProgramNameIndexed (std::int32_t, std::int32_t index, char* text)
{
    if (index < 0 || index >= processor->getNumPrograms())
        return false;

    copyText (processor->getProgramName (index), text, kProgramNameBytes);
    return true;
}

bool JuceVSTWrapper::getPinProperties (std::int32_t index, VstPinProperties* properties) const
{
    if (properties == nullptr || index < 0 || index > 1)
        return false;

    const auto label = juce::String (index + 1);
    copyText (label, properties->label, sizeof (properties->label));
    copyText (label, properties->shortLabel, sizeof (properties->shortLabel));

    if (speakerArrangementAccepted)
    {
        properties->flags = kVstPinUseSpeaker;
        properties->arrangementType = index == 0 ? inputArrangementType : outputArrangementType;
    }
    else
    {
        properties->flags = kVstPinIsActive | kVstPinIsStereo;
    }

    return true;
}

bool JuceVSTWrapper::getInputProperties (std::int32_t index, VstPinProperties* properties)
{
    return getPinProperties (index, properties);
}

bool JuceVSTWrapper::getOutputProperties (std::int32_t index, VstPinProperties* properties)
{
    return getPinProperties (index, properties);
}

bool JuceVSTWrapper::setSpeakerArrangement (VstSpeakerArrangement* input, VstSpeakerArrangement* output)
{
    if (input == nullptr || output == nullptr)
        return false;

    const int ins = input->numChannels, outs = output->numChannels;
    if (! ((ins == 1 && outs == 1) || (ins == 2 && outs == 2)))
    {
        speakerArrangementAccepted = false;
        return false;
    }

    speakerArrangementAccepted = true;
    inputArrangementType = input->type;
    outputArrangementType = output->type;
    processor->setPlayConfigDetails (ins, outs, getSampleRate(), getBlockSize());
    return true;
}

bool JuceVSTWrapper::setBypass (bool onOff)
{
    bypassed = onOff;
    return true;
}

std::int32_t JuceVSTWrapper::getGetTailSize()
{
    return (std::int32_t) (getSampleRate() * processor->getTailLengthSeconds());
}

bool JuceVSTWrapper::getEffectName (char* name)
{
    copyText ("Brindlemark", name, kNameBytes);
    return true;
}

bool JuceVSTWrapper::getVendorString (char* text)
{
    copyText ("Kestrow", text, kNameBytes);
    return true;
}

bool JuceVSTWrapper::getProductString (char* text)
{
    copyText ("Brindlemark", text, kNameBytes);
    return true;
}

std::int32_t JuceVSTWrapper::getVendorVersion()
{
    return kVersion;
}

std::int32_t JuceVSTWrapper::canDo (char* text)
{
    if (text == nullptr)
        return 0;

    static const char* const yes[] = { "receiveVstEvents", "receiveVstMidiEvent", "receiveVstMidiEvents", "sendVstEvents",
                                       "sendVstMidiEvent", "sendVstMidiEvents", "receiveVstTimeInfo", "conformsToWindowRules",
                                       "bypass" };
    for (auto* candidate : yes)
        if (std::strcmp (text, candidate) == 0)
            return 1;

    return std::strcmp (text, "openCloseAnyThread") == 0 ? -1 : 0;
}

std::int32_t JuceVSTWrapper::getPlugCategory()
{
    return kPlugCategSynth;
}

//==============================================================================
juce::Optional<juce::AudioPlayHead::PositionInfo> JuceVSTWrapper::getPosition() const
{
    // Hosts check that a plug-in asked before it reads their time info.
    if (! hostSendsTimeInfo.load (std::memory_order_relaxed))
        return {};

    const auto* info = reinterpret_cast<const VstTimeInfo*> (
        audioMaster != nullptr ? audioMaster (const_cast<AEffect*> (&cEffect), audioMasterGetTime, 0, kTimeFilter, nullptr, 0.0f) : 0);

    if (info == nullptr || info->sampleRate <= 0.0)
        return {};

    PositionInfo position;
    position.setTimeInSamples ((juce::int64) info->samplePos);
    position.setTimeInSeconds (info->samplePos / info->sampleRate);
    position.setIsPlaying ((info->flags & kVstTransportPlaying) != 0);
    position.setIsRecording ((info->flags & kVstTransportRecording) != 0);
    position.setIsLooping ((info->flags & kVstTransportCycleActive) != 0);

    if ((info->flags & kVstTempoValid) != 0)
        position.setBpm (info->tempo);
    if ((info->flags & kVstPpqPosValid) != 0)
        position.setPpqPosition (info->ppqPos);
    if ((info->flags & kVstBarsValid) != 0)
        position.setPpqPositionOfLastBarStart (info->barStartPos);
    if ((info->flags & kVstCyclePosValid) != 0)
        position.setLoopPoints (juce::AudioPlayHead::LoopPoints { info->cycleStartPos, info->cycleEndPos });
    if ((info->flags & kVstTimeSigValid) != 0)
        position.setTimeSignature (juce::AudioPlayHead::TimeSignature { info->timeSigNumerator, info->timeSigDenominator });

    return position;
}

//==============================================================================
void JuceVSTWrapper::audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value)
{
    if (audioMaster != nullptr)
        audioMaster (&cEffect, audioMasterAutomate, index, 0, nullptr, value);
}

void JuceVSTWrapper::audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index)
{
    beginEdit (index);
}

void JuceVSTWrapper::audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index)
{
    endEdit (index);
}

void JuceVSTWrapper::audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails& details)
{
    // Hosts may restart processing on an I/O change: only for a new latency.
    if (details.latencyChanged)
    {
        setInitialDelay (processor->getLatencySamples());
        ioChanged();
    }
    updateDisplay();
}
