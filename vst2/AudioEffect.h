#pragma once

#include "vst2/AEffEditor.h"
#include "vst2/VstAbi.h"

// The plug-in side of a VST 2.4 instance: owns the AEffect record the host
// holds, turns opcodes 0-24 into virtual calls, and calls the host back.
// Virtual operations are declared in the order of their slots.
class AudioEffect
{
public:
    AudioEffect (audioMasterCallback audioMaster, std::int32_t numPrograms, std::int32_t numParams);
    virtual ~AudioEffect();

    AudioEffect (const AudioEffect&) = delete;
    AudioEffect& operator= (const AudioEffect&) = delete;

    virtual intptr_t dispatcher (std::int32_t opcode, std::int32_t index, intptr_t value, void* ptr, float opt);

    virtual void open();
    virtual void close();
    virtual void suspend();
    virtual void resume();

    virtual void setSampleRate (float newSampleRate);
    virtual void setBlockSize (std::int32_t newBlockSize);

    virtual void processReplacing (float** inputs, float** outputs, std::int32_t sampleFrames) = 0;
    virtual void processDoubleReplacing (double** inputs, double** outputs, std::int32_t sampleFrames);

    virtual void setParameter (std::int32_t index, float value);
    virtual float getParameter (std::int32_t index);
    virtual void setParameterAutomated (std::int32_t index, float value);

    virtual std::int32_t getProgram();
    virtual void setProgram (std::int32_t program);
    virtual void setProgramName (char* name);
    virtual void getProgramName (char* name);

    virtual void getParameterLabel (std::int32_t index, char* label);
    virtual void getParameterDisplay (std::int32_t index, char* text);
    virtual void getParameterName (std::int32_t index, char* text);

    // getChunk hands the host a block the plug-in keeps owning.
    virtual std::int32_t getChunk (void** data, bool isPreset);
    virtual std::int32_t setChunk (void* data, std::int32_t byteSize, bool isPreset);

    virtual void setUniqueID (std::int32_t id);
    virtual void setNumInputs (std::int32_t inputs);
    virtual void setNumOutputs (std::int32_t outputs);

    virtual void canProcessReplacing (bool state = true);
    virtual void canDoubleReplacing (bool state = true);
    virtual void programsAreChunks (bool state = true);

    virtual void setInitialDelay (std::int32_t delay);
    virtual AEffEditor* getEditor();
    virtual AEffect* getAeffect();
    virtual float getSampleRate();
    virtual std::int32_t getBlockSize();

    virtual std::int32_t getMasterVersion();
    virtual std::int32_t getCurrentUniqueId();
    virtual void masterIdle();

    // Fixed-point texts of at most eight characters, cut to maxLen; text must
    // hold maxLen + 1 bytes.
    virtual void dB2string (float value, char* text, std::int32_t maxLen);
    virtual void Hz2string (float samples, char* text, std::int32_t maxLen);
    virtual void ms2string (float samples, char* text, std::int32_t maxLen);
    virtual void float2string (float value, char* text, std::int32_t maxLen);
    virtual void int2string (std::int32_t value, char* text, std::int32_t maxLen);

    virtual void process (float** inputs, float** outputs, std::int32_t sampleFrames);
    virtual float getVu();
    virtual void hasVu (bool state = true);
    virtual void hasClip (bool state = true);
    virtual void canMono (bool state = true);

    virtual void setRealtimeQualities (std::int32_t qualities);
    virtual void setOfflineQualities (std::int32_t qualities);

    virtual bool isInputConnected (std::int32_t input);
    virtual bool isOutputConnected (std::int32_t output);

protected:
    // Calls the host; 0 without a callback.
    intptr_t callHost (std::int32_t opcode, std::int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f);
    void setFlag (std::int32_t flag, bool state) noexcept;

    // audioMaster is fixed at construction. The others are written through
    // the dispatcher on the host's threads without a lock, as the interface
    // has it; a client keeps its own shared state behind its own locks.
    audioMasterCallback audioMaster;
    AEffEditor* editor;
    float sampleRate;
    std::int32_t blockSize;
    std::int32_t numPrograms;
    std::int32_t numParams;
    std::int32_t curProgram;
    AEffect cEffect;
};

// The record's entries: each reaches the object through the record's `object`.
// effClose deletes the object after its dispatcher has run and answers 1.
intptr_t dispatchEffectClass (AEffect* effect, std::int32_t opcode, std::int32_t index, intptr_t value, void* ptr, float opt);
float getParameterClass (AEffect* effect, std::int32_t index);
void setParameterClass (AEffect* effect, std::int32_t index, float value);
void processClass (AEffect* effect, float** inputs, float** outputs, std::int32_t sampleFrames);
void processClassReplacing (AEffect* effect, float** inputs, float** outputs, std::int32_t sampleFrames);
void processClassDoubleReplacing (AEffect* effect, double** inputs, double** outputs, std::int32_t sampleFrames);
