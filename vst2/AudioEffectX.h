#pragma once

#include "vst2/AudioEffect.h"

// The VST 2.4 extensions: opcodes 25-79, the extended host calls and the
// speaker-arrangement helpers. Adds no data. Virtual operations are declared
// in the order of their slots; the constant answers are the defaults a plug-in
// gives when it does not override them.
class AudioEffectX : public AudioEffect
{
public:
    AudioEffectX (audioMasterCallback audioMaster, std::int32_t numPrograms, std::int32_t numParams);
    ~AudioEffectX() override;

    intptr_t dispatcher (std::int32_t opcode, std::int32_t index, intptr_t value, void* ptr, float opt) override;

    // Asks the host for MIDI when this is a synth or takes MIDI events.
    void resume() override;

    virtual bool canParameterBeAutomated (std::int32_t index);
    virtual bool string2parameter (std::int32_t index, char* text);
    virtual bool getParameterProperties (std::int32_t index, VstParameterProperties* properties);
    virtual bool beginEdit (std::int32_t index);
    virtual bool endEdit (std::int32_t index);
    virtual bool getProgramNameIndexed (std::int32_t category, std::int32_t index, char* text);
    virtual bool beginSetProgram();
    virtual bool endSetProgram();
    virtual std::int32_t beginLoadBank (VstPatchChunkInfo* info);
    virtual std::int32_t beginLoadProgram (VstPatchChunkInfo* info);

    virtual bool ioChanged();
    virtual double updateSampleRate();
    virtual std::int32_t updateBlockSize();
    virtual std::int32_t getInputLatency();
    virtual std::int32_t getOutputLatency();

    virtual bool getInputProperties (std::int32_t index, VstPinProperties* properties);
    virtual bool getOutputProperties (std::int32_t index, VstPinProperties* properties);
    virtual bool setSpeakerArrangement (VstSpeakerArrangement* pluginInput, VstSpeakerArrangement* pluginOutput);
    virtual bool getSpeakerArrangement (VstSpeakerArrangement** pluginInput, VstSpeakerArrangement** pluginOutput);
    virtual bool setBypass (bool onOff);
    virtual bool setPanLaw (std::int32_t type, float value);
    virtual bool setProcessPrecision (std::int32_t precision);
    virtual std::int32_t getNumMidiInputChannels();
    virtual std::int32_t getNumMidiOutputChannels();

    virtual VstTimeInfo* getTimeInfo (std::int32_t filter);
    virtual std::int32_t getCurrentProcessLevel();
    virtual std::int32_t getAutomationState();
    virtual std::int32_t processEvents (VstEvents* events);
    virtual std::int32_t startProcess();
    virtual std::int32_t stopProcess();
    virtual bool processVariableIo (VstVariableIo* varIo);
    virtual std::int32_t setTotalSampleToProcess (std::int32_t value);

    virtual bool getHostVendorString (char* text);
    virtual bool getHostProductString (char* text);
    virtual std::int32_t getHostVendorVersion();
    virtual intptr_t hostVendorSpecific (std::int32_t arg1, intptr_t arg2, void* ptrArg, float floatArg);
    virtual std::int32_t canHostDo (char* text);
    virtual std::int32_t getHostLanguage();
    virtual void isSynth (bool state = true);
    virtual void noTail (bool state = true);
    virtual std::int32_t getGetTailSize();
    virtual void* getDirectory();

    virtual bool getEffectName (char* name);
    virtual bool getVendorString (char* text);
    virtual bool getProductString (char* text);
    virtual std::int32_t getVendorVersion();
    virtual intptr_t vendorSpecific (std::int32_t index, intptr_t value, void* ptr, float opt);
    virtual std::int32_t canDo (char* text);
    virtual std::int32_t getVstVersion();
    virtual std::int32_t getPlugCategory();

    virtual std::int32_t getMidiProgramName (std::int32_t channel, MidiProgramName* midiProgramName);
    virtual std::int32_t getCurrentMidiProgram (std::int32_t channel, MidiProgramName* currentProgram);
    virtual std::int32_t getMidiProgramCategory (std::int32_t channel, MidiProgramCategory* category);
    virtual bool hasMidiProgramsChanged (std::int32_t channel);
    virtual bool getMidiKeyName (std::int32_t channel, MidiKeyName* keyName);

    virtual bool updateDisplay();
    virtual bool sizeWindow (std::int32_t width, std::int32_t height);
    virtual bool openFileSelector (VstFileSelect* selector);
    virtual bool closeFileSelector (VstFileSelect* selector);
    virtual std::int32_t getNextShellPlugin (char* name);

    // Arrangements made here hold 8 + 112 x channels bytes and are freed only
    // by deallocateArrangement (or by the next allocateArrangement on them).
    virtual bool allocateArrangement (VstSpeakerArrangement** arrangement, std::int32_t channels);
    virtual bool deallocateArrangement (VstSpeakerArrangement** arrangement);
    virtual bool copySpeaker (VstSpeakerProperties* to, VstSpeakerProperties* from);
    virtual bool matchArrangement (VstSpeakerArrangement** to, VstSpeakerArrangement* from);

    virtual bool offlineRead (VstOfflineTask* offline, std::int32_t option, bool readSource = true);
    virtual bool offlineWrite (VstOfflineTask* offline, std::int32_t option);
    virtual bool offlineStart (VstAudioFile* files, std::int32_t numAudioFiles, std::int32_t numNewAudioFiles);
    virtual bool offlineGetCurrentPass();
    virtual bool offlineGetCurrentMetaPass();
    virtual bool offlineNotify (VstAudioFile* files, std::int32_t numAudioFiles, bool start);
    virtual bool offlinePrepare (VstOfflineTask* offline, std::int32_t count);
    virtual bool offlineRun (VstOfflineTask* offline, std::int32_t count);
    virtual std::int32_t offlineGetNumPasses();
    virtual std::int32_t offlineGetNumMetaPasses();

    virtual void wantEvents (std::int32_t filter = 1);
    virtual std::int32_t tempoAt (std::int32_t position);
    virtual std::int32_t getNumAutomatableParameters();
    virtual std::int32_t getParameterQuantization();
    virtual std::int32_t getNumCategories();
    virtual bool copyProgram (std::int32_t destination);
    virtual bool needIdle();
    virtual AEffect* getPreviousPlug (std::int32_t input);
    virtual AEffect* getNextPlug (std::int32_t output);
    virtual void inputConnected (std::int32_t index, bool state);
    virtual void outputConnected (std::int32_t index, bool state);
    virtual std::int32_t willProcessReplacing();
    virtual void wantAsyncOperation (bool state = true);
    virtual void hasExternalBuffer (bool state = true);
    virtual std::int32_t reportCurrentPosition();
    virtual float* reportDestinationBuffer();

    virtual void setOutputSamplerate (float rate);
    virtual VstSpeakerArrangement* getInputSpeakerArrangement();
    virtual VstSpeakerArrangement* getOutputSpeakerArrangement();
    virtual void* openWindow (VstWindow* window);
    virtual bool closeWindow (VstWindow* window);
    virtual void setBlockSizeAndSampleRate (std::int32_t newBlockSize, float newSampleRate);
    virtual bool getErrorText (char* text);
    virtual void* getIcon();
    virtual bool setViewPosition (std::int32_t x, std::int32_t y);
    virtual std::int32_t fxIdle();
    virtual bool keysRequired();
    virtual bool getChunkFile (void* nativePath);
};
