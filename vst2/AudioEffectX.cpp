#include "vst2/AudioEffectX.h"

#include <cstdlib>
#include <cstring>

namespace
{
intptr_t fromBool (bool state) noexcept
{
    return state ? 1 : 0;
}

template <typename Pointer>
Pointer asPointer (intptr_t answer) noexcept
{
    return reinterpret_cast<Pointer> (answer);
}

VstKeyCode keyCodeOf (std::int32_t index, intptr_t value, float opt) noexcept
{
    VstKeyCode key {};
    key.character = index;
    key.virt = static_cast<unsigned char> (value & 0xff);
    key.modifier = static_cast<unsigned char> (static_cast<std::int32_t> (opt) & 0xff);
    return key;
}
} // namespace

AudioEffectX::AudioEffectX (audioMasterCallback audioMasterToUse, std::int32_t programCount, std::int32_t paramCount)
    : AudioEffect (audioMasterToUse, programCount, paramCount)
{
}

AudioEffectX::~AudioEffectX() = default;

intptr_t AudioEffectX::dispatcher (std::int32_t opcode, std::int32_t index, intptr_t value, void* ptr, float opt)
{
    switch (opcode)
    {
        case effProcessEvents:              return processEvents (static_cast<VstEvents*> (ptr));
        case effCanBeAutomated:             return fromBool (canParameterBeAutomated (index));
        case effString2Parameter:           return fromBool (string2parameter (index, static_cast<char*> (ptr)));
        case effGetProgramNameIndexed:      return fromBool (getProgramNameIndexed (static_cast<std::int32_t> (value), index, static_cast<char*> (ptr)));
        case effGetInputProperties:         return fromBool (getInputProperties (index, static_cast<VstPinProperties*> (ptr)));
        case effGetOutputProperties:        return fromBool (getOutputProperties (index, static_cast<VstPinProperties*> (ptr)));
        case effGetPlugCategory:            return getPlugCategory();

        case effOfflineNotify:              return fromBool (offlineNotify (static_cast<VstAudioFile*> (ptr), static_cast<std::int32_t> (value), index != 0));
        case effOfflinePrepare:             return fromBool (offlinePrepare (static_cast<VstOfflineTask*> (ptr), static_cast<std::int32_t> (value)));
        case effOfflineRun:                 return fromBool (offlineRun (static_cast<VstOfflineTask*> (ptr), static_cast<std::int32_t> (value)));
        case effProcessVarIo:               return fromBool (processVariableIo (static_cast<VstVariableIo*> (ptr)));

        // The input arrangement travels in the value argument.
        case effSetSpeakerArrangement:      return fromBool (setSpeakerArrangement (asPointer<VstSpeakerArrangement*> (value), static_cast<VstSpeakerArrangement*> (ptr)));
        case effSetBypass:                  return fromBool (setBypass (value != 0));
        case effGetEffectName:              return fromBool (getEffectName (static_cast<char*> (ptr)));
        case effGetVendorString:            return fromBool (getVendorString (static_cast<char*> (ptr)));
        case effGetProductString:           return fromBool (getProductString (static_cast<char*> (ptr)));
        case effGetVendorVersion:           return getVendorVersion();
        case effVendorSpecific:             return vendorSpecific (index, value, ptr, opt);
        case effCanDo:                      return canDo (static_cast<char*> (ptr));
        case effGetTailSize:                return getGetTailSize();
        case effGetParameterProperties:     return fromBool (getParameterProperties (index, static_cast<VstParameterProperties*> (ptr)));
        case effGetVstVersion:              return getVstVersion();

        case effEditKeyDown:
        case effEditKeyUp:
        {
            if (editor == nullptr)
                return 0;
            auto key = keyCodeOf (index, value, opt);
            return fromBool (opcode == effEditKeyDown ? editor->onKeyDown (key) : editor->onKeyUp (key));
        }
        case effSetEditKnobMode:            return editor != nullptr ? fromBool (editor->setKnobMode (static_cast<std::int32_t> (value))) : 0;

        case effGetMidiProgramName:         return getMidiProgramName (index, static_cast<MidiProgramName*> (ptr));
        case effGetCurrentMidiProgram:      return getCurrentMidiProgram (index, static_cast<MidiProgramName*> (ptr));
        case effGetMidiProgramCategory:     return getMidiProgramCategory (index, static_cast<MidiProgramCategory*> (ptr));
        case effHasMidiProgramsChanged:     return fromBool (hasMidiProgramsChanged (index));
        case effGetMidiKeyName:             return fromBool (getMidiKeyName (index, static_cast<MidiKeyName*> (ptr)));
        case effBeginSetProgram:            return fromBool (beginSetProgram());
        case effEndSetProgram:              return fromBool (endSetProgram());

        case effGetSpeakerArrangement:      return fromBool (getSpeakerArrangement (asPointer<VstSpeakerArrangement**> (value), static_cast<VstSpeakerArrangement**> (ptr)));
        case effShellGetNextPlugin:         return getNextShellPlugin (static_cast<char*> (ptr));
        case effStartProcess:               return startProcess();
        case effStopProcess:                return stopProcess();
        case effSetTotalSampleToProcess:    return setTotalSampleToProcess (static_cast<std::int32_t> (value));
        case effSetPanLaw:                  return fromBool (setPanLaw (static_cast<std::int32_t> (value), opt));
        case effBeginLoadBank:              return beginLoadBank (static_cast<VstPatchChunkInfo*> (ptr));
        case effBeginLoadProgram:           return beginLoadProgram (static_cast<VstPatchChunkInfo*> (ptr));
        case effSetProcessPrecision:        return fromBool (setProcessPrecision (static_cast<std::int32_t> (value)));
        case effGetNumMidiInputChannels:    return getNumMidiInputChannels();
        case effGetNumMidiOutputChannels:   return getNumMidiOutputChannels();

        default:                            return AudioEffect::dispatcher (opcode, index, value, ptr, opt);
    }
}

void AudioEffectX::resume()
{
    char receivesMidi[] = "receiveVstMidiEvent";
    if ((cEffect.flags & effFlagsIsSynth) != 0 || canDo (receivesMidi) == 1)
        wantEvents (1);
}

bool AudioEffectX::canParameterBeAutomated (std::int32_t) { return true; }
bool AudioEffectX::string2parameter (std::int32_t, char*) { return false; }
bool AudioEffectX::getParameterProperties (std::int32_t, VstParameterProperties*) { return false; }
bool AudioEffectX::beginEdit (std::int32_t index) { return callHost (audioMasterBeginEdit, index) != 0; }
bool AudioEffectX::endEdit (std::int32_t index) { return callHost (audioMasterEndEdit, index) != 0; }
bool AudioEffectX::getProgramNameIndexed (std::int32_t, std::int32_t, char*) { return false; }
bool AudioEffectX::beginSetProgram() { return false; }
bool AudioEffectX::endSetProgram() { return false; }
std::int32_t AudioEffectX::beginLoadBank (VstPatchChunkInfo*) { return 0; }
std::int32_t AudioEffectX::beginLoadProgram (VstPatchChunkInfo*) { return 0; }

bool AudioEffectX::ioChanged() { return callHost (audioMasterIOChanged) != 0; }

double AudioEffectX::updateSampleRate()
{
    if (audioMaster == nullptr)
        return 0.0;

    const auto answer = callHost (audioMasterGetSampleRate);
    if (answer > 0)
        sampleRate = static_cast<float> (answer);
    return sampleRate;
}

std::int32_t AudioEffectX::updateBlockSize()
{
    if (audioMaster == nullptr)
        return 0;

    const auto answer = callHost (audioMasterGetBlockSize);
    if (answer > 0)
        blockSize = static_cast<std::int32_t> (answer);
    return blockSize;
}

std::int32_t AudioEffectX::getInputLatency() { return static_cast<std::int32_t> (callHost (audioMasterGetInputLatency)); }
std::int32_t AudioEffectX::getOutputLatency() { return static_cast<std::int32_t> (callHost (audioMasterGetOutputLatency)); }

bool AudioEffectX::getInputProperties (std::int32_t, VstPinProperties*) { return false; }
bool AudioEffectX::getOutputProperties (std::int32_t, VstPinProperties*) { return false; }
bool AudioEffectX::setSpeakerArrangement (VstSpeakerArrangement*, VstSpeakerArrangement*) { return false; }

bool AudioEffectX::getSpeakerArrangement (VstSpeakerArrangement** pluginInput, VstSpeakerArrangement** pluginOutput)
{
    if (pluginInput != nullptr)
        *pluginInput = nullptr;
    if (pluginOutput != nullptr)
        *pluginOutput = nullptr;
    return false;
}

bool AudioEffectX::setBypass (bool) { return false; }
bool AudioEffectX::setPanLaw (std::int32_t, float) { return false; }
bool AudioEffectX::setProcessPrecision (std::int32_t) { return false; }
std::int32_t AudioEffectX::getNumMidiInputChannels() { return 0; }
std::int32_t AudioEffectX::getNumMidiOutputChannels() { return 0; }

VstTimeInfo* AudioEffectX::getTimeInfo (std::int32_t filter) { return asPointer<VstTimeInfo*> (callHost (audioMasterGetTime, 0, filter)); }
std::int32_t AudioEffectX::getCurrentProcessLevel() { return static_cast<std::int32_t> (callHost (audioMasterGetCurrentProcessLevel)); }
std::int32_t AudioEffectX::getAutomationState() { return static_cast<std::int32_t> (callHost (audioMasterGetAutomationState)); }
std::int32_t AudioEffectX::processEvents (VstEvents*) { return 0; }
std::int32_t AudioEffectX::startProcess() { return 0; }
std::int32_t AudioEffectX::stopProcess() { return 0; }
bool AudioEffectX::processVariableIo (VstVariableIo*) { return false; }
std::int32_t AudioEffectX::setTotalSampleToProcess (std::int32_t value) { return value; }

bool AudioEffectX::getHostVendorString (char* text) { return callHost (audioMasterGetVendorString, 0, 0, text) != 0; }
bool AudioEffectX::getHostProductString (char* text) { return callHost (audioMasterGetProductString, 0, 0, text) != 0; }
std::int32_t AudioEffectX::getHostVendorVersion() { return static_cast<std::int32_t> (callHost (audioMasterGetVendorVersion)); }

intptr_t AudioEffectX::hostVendorSpecific (std::int32_t arg1, intptr_t arg2, void* ptrArg, float floatArg)
{
    return callHost (audioMasterVendorSpecific, arg1, arg2, ptrArg, floatArg);
}

std::int32_t AudioEffectX::canHostDo (char* text) { return callHost (audioMasterCanDo, 0, 0, text) != 0 ? 1 : 0; }
std::int32_t AudioEffectX::getHostLanguage() { return static_cast<std::int32_t> (callHost (audioMasterGetLanguage)); }
void AudioEffectX::isSynth (bool state) { setFlag (effFlagsIsSynth, state); }
void AudioEffectX::noTail (bool state) { setFlag (effFlagsNoSoundInStop, state); }
std::int32_t AudioEffectX::getGetTailSize() { return 0; }
void* AudioEffectX::getDirectory() { return asPointer<void*> (callHost (audioMasterGetDirectory)); }

bool AudioEffectX::getEffectName (char*) { return false; }
bool AudioEffectX::getVendorString (char*) { return false; }
bool AudioEffectX::getProductString (char*) { return false; }
std::int32_t AudioEffectX::getVendorVersion() { return 0; }
intptr_t AudioEffectX::vendorSpecific (std::int32_t, intptr_t, void*, float) { return 0; }
std::int32_t AudioEffectX::canDo (char*) { return 0; }
std::int32_t AudioEffectX::getVstVersion() { return kVstVersion; }
std::int32_t AudioEffectX::getPlugCategory() { return 0; }

std::int32_t AudioEffectX::getMidiProgramName (std::int32_t, MidiProgramName*) { return 0; }
std::int32_t AudioEffectX::getCurrentMidiProgram (std::int32_t, MidiProgramName*) { return -1; }
std::int32_t AudioEffectX::getMidiProgramCategory (std::int32_t, MidiProgramCategory*) { return 0; }
bool AudioEffectX::hasMidiProgramsChanged (std::int32_t) { return false; }
bool AudioEffectX::getMidiKeyName (std::int32_t, MidiKeyName*) { return false; }

bool AudioEffectX::updateDisplay() { return callHost (audioMasterUpdateDisplay) != 0; }
bool AudioEffectX::sizeWindow (std::int32_t width, std::int32_t height) { return callHost (audioMasterSizeWindow, width, height) != 0; }

bool AudioEffectX::openFileSelector (VstFileSelect* selector)
{
    return selector != nullptr && callHost (audioMasterOpenFileSelector, 0, 0, selector) != 0;
}

bool AudioEffectX::closeFileSelector (VstFileSelect* selector)
{
    return selector != nullptr && callHost (audioMasterCloseFileSelector, 0, 0, selector) != 0;
}

std::int32_t AudioEffectX::getNextShellPlugin (char*) { return 0; }

bool AudioEffectX::allocateArrangement (VstSpeakerArrangement** arrangement, std::int32_t channels)
{
    if (arrangement == nullptr || channels < 0)
        return false;

    deallocateArrangement (arrangement);

    // Sized for the channels it holds, not for the eight speakers declared.
    const auto bytes = kSpeakerArrangementHeaderSize + static_cast<std::size_t> (channels) * sizeof (VstSpeakerProperties);
    auto* fresh = static_cast<VstSpeakerArrangement*> (std::calloc (1, bytes));
    if (fresh == nullptr)
        return false;

    fresh->numChannels = channels;
    *arrangement = fresh;
    return true;
}

bool AudioEffectX::deallocateArrangement (VstSpeakerArrangement** arrangement)
{
    if (arrangement == nullptr)
        return false;

    std::free (*arrangement);
    *arrangement = nullptr;
    return true;
}

bool AudioEffectX::copySpeaker (VstSpeakerProperties* to, VstSpeakerProperties* from)
{
    if (to == nullptr || from == nullptr)
        return false;

    const auto nameLength = strnlen (from->name, sizeof (to->name) - 1);
    std::memcpy (to->name, from->name, nameLength);
    to->name[nameLength] = 0;

    to->type = from->type;
    to->azimuth = from->azimuth;
    to->elevation = from->elevation;
    to->radius = from->radius;
    to->reserved = from->reserved;
    std::memcpy (to->future, from->future, sizeof (to->future));
    return true;
}

bool AudioEffectX::matchArrangement (VstSpeakerArrangement** to, VstSpeakerArrangement* from)
{
    if (to == nullptr || from == nullptr)
        return false;

    if (! allocateArrangement (to, from->numChannels))
        return false;

    (*to)->type = from->type;
    for (std::int32_t i = 0; i < from->numChannels; ++i)
        if (! copySpeaker (&(*to)->speakers[i], &from->speakers[i]))
            return false;

    return true;
}

bool AudioEffectX::offlineRead (VstOfflineTask* offline, std::int32_t option, bool readSource)
{
    return callHost (audioMasterOfflineRead, readSource ? 1 : 0, option, offline) != 0;
}

bool AudioEffectX::offlineWrite (VstOfflineTask* offline, std::int32_t option)
{
    return callHost (audioMasterOfflineWrite, 0, option, offline) != 0;
}

bool AudioEffectX::offlineStart (VstAudioFile* files, std::int32_t numAudioFiles, std::int32_t numNewAudioFiles)
{
    return callHost (audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, files) != 0;
}

bool AudioEffectX::offlineGetCurrentPass() { return callHost (audioMasterOfflineGetCurrentPass) != 0; }
bool AudioEffectX::offlineGetCurrentMetaPass() { return callHost (audioMasterOfflineGetCurrentMetaPass) != 0; }
bool AudioEffectX::offlineNotify (VstAudioFile*, std::int32_t, bool) { return false; }
bool AudioEffectX::offlinePrepare (VstOfflineTask*, std::int32_t) { return false; }
bool AudioEffectX::offlineRun (VstOfflineTask*, std::int32_t) { return false; }
std::int32_t AudioEffectX::offlineGetNumPasses() { return 0; }
std::int32_t AudioEffectX::offlineGetNumMetaPasses() { return 0; }

void AudioEffectX::wantEvents (std::int32_t filter) { callHost (audioMasterWantMidi, 0, filter); }
std::int32_t AudioEffectX::tempoAt (std::int32_t position) { return static_cast<std::int32_t> (callHost (audioMasterTempoAt, 0, position)); }
std::int32_t AudioEffectX::getNumAutomatableParameters() { return static_cast<std::int32_t> (callHost (audioMasterGetNumAutomatableParameters)); }
std::int32_t AudioEffectX::getParameterQuantization() { return static_cast<std::int32_t> (callHost (audioMasterGetParameterQuantization)); }
std::int32_t AudioEffectX::getNumCategories() { return 1; }
bool AudioEffectX::copyProgram (std::int32_t) { return false; }
bool AudioEffectX::needIdle() { return callHost (audioMasterNeedIdle) != 0; }

// The pin number is not part of either host call.
AEffect* AudioEffectX::getPreviousPlug (std::int32_t) { return asPointer<AEffect*> (callHost (audioMasterGetPreviousPlug)); }
AEffect* AudioEffectX::getNextPlug (std::int32_t) { return asPointer<AEffect*> (callHost (audioMasterGetNextPlug)); }

void AudioEffectX::inputConnected (std::int32_t, bool) {}
void AudioEffectX::outputConnected (std::int32_t, bool) {}
std::int32_t AudioEffectX::willProcessReplacing() { return static_cast<std::int32_t> (callHost (audioMasterWillReplaceOrAccumulate)); }
void AudioEffectX::wantAsyncOperation (bool state) { setFlag (effFlagsExtIsAsync, state); }
void AudioEffectX::hasExternalBuffer (bool state) { setFlag (effFlagsExtHasBuffer, state); }
std::int32_t AudioEffectX::reportCurrentPosition() { return 0; }
float* AudioEffectX::reportDestinationBuffer() { return nullptr; }

void AudioEffectX::setOutputSamplerate (float rate) { callHost (audioMasterSetOutputSampleRate, 0, 0, nullptr, rate); }

VstSpeakerArrangement* AudioEffectX::getInputSpeakerArrangement()
{
    return asPointer<VstSpeakerArrangement*> (callHost (audioMasterGetInputSpeakerArrangement));
}

VstSpeakerArrangement* AudioEffectX::getOutputSpeakerArrangement()
{
    return asPointer<VstSpeakerArrangement*> (callHost (audioMasterGetOutputSpeakerArrangement));
}

void* AudioEffectX::openWindow (VstWindow* window) { return asPointer<void*> (callHost (audioMasterOpenWindow, 0, 0, window)); }
bool AudioEffectX::closeWindow (VstWindow* window) { return callHost (audioMasterCloseWindow, 0, 0, window) != 0; }

void AudioEffectX::setBlockSizeAndSampleRate (std::int32_t newBlockSize, float newSampleRate)
{
    blockSize = newBlockSize;
    sampleRate = newSampleRate;
}

bool AudioEffectX::getErrorText (char*) { return false; }
void* AudioEffectX::getIcon() { return nullptr; }
bool AudioEffectX::setViewPosition (std::int32_t, std::int32_t) { return false; }
std::int32_t AudioEffectX::fxIdle() { return 0; }
bool AudioEffectX::keysRequired() { return false; }

bool AudioEffectX::getChunkFile (void* nativePath)
{
    return nativePath != nullptr && callHost (audioMasterGetChunkFile, 0, 0, nativePath) != 0;
}
