#include "vst2/AudioEffectX.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace
{
struct HostCall
{
    AEffect* effect;
    std::int32_t opcode, index;
    intptr_t value;
    void* ptr;
    float opt;
};

// Records every call and answers from a table (0 for opcodes it does not list).
struct FakeHost
{
    FakeHost() { current = this; }
    ~FakeHost() { current = nullptr; }

    static intptr_t callback (AEffect* effect, std::int32_t opcode, std::int32_t index, intptr_t value, void* ptr, float opt)
    {
        current->calls.push_back ({ effect, opcode, index, value, ptr, opt });
        const auto answer = current->answers.find (opcode);
        return answer != current->answers.end() ? answer->second : 0;
    }

    std::vector<std::int32_t> opcodes() const
    {
        std::vector<std::int32_t> result;
        for (const auto& call : calls)
            result.push_back (call.opcode);
        return result;
    }

    static inline FakeHost* current = nullptr;
    std::vector<HostCall> calls;
    std::map<std::int32_t, intptr_t> answers;
};

// Only the one operation every concrete plug-in must have; everything else is
// the bases' own behaviour. Its lifetime and the overridden calls go to a log
// that outlives it.
class MinimalEffect : public AudioEffectX
{
public:
    MinimalEffect (audioMasterCallback host, std::vector<std::string>* logToUse = nullptr)
        : AudioEffectX (host, 128, 184), log (logToUse)
    {
    }

    ~MinimalEffect() override { note ("destroyed"); }

    void processReplacing (float**, float**, std::int32_t sampleFrames) override { note ("processReplacing " + std::to_string (sampleFrames)); }

    void attachEditor (AEffEditor* newEditor) { editor = newEditor; }
    using AudioEffect::setFlag;

protected:
    void note (const std::string& entry)
    {
        if (log != nullptr)
            log->push_back (entry);
    }

    std::vector<std::string>* log;
};

// Overrides the client operations to show which arguments the dispatchers pass.
class RecordingEffect : public MinimalEffect
{
public:
    using MinimalEffect::MinimalEffect;

    void close() override { note ("close"); }
    void suspend() override { note ("suspend"); }
    void resume() override { note ("resume"); }
    void setProgram (std::int32_t program) override { note ("setProgram " + std::to_string (program)); }
    void setSampleRate (float rate) override { note ("setSampleRate " + std::to_string (static_cast<int> (rate))); }
    void setBlockSize (std::int32_t size) override { note ("setBlockSize " + std::to_string (size)); }
    void setParameter (std::int32_t index, float value) override { note ("setParameter " + std::to_string (index) + " " + std::to_string (value)); }
    float getParameter (std::int32_t index) override { return static_cast<float> (index) / 4.0f; }
    void process (float**, float**, std::int32_t sampleFrames) override { note ("process " + std::to_string (sampleFrames)); }
    void processDoubleReplacing (double**, double**, std::int32_t sampleFrames) override { note ("processDoubleReplacing " + std::to_string (sampleFrames)); }

    std::int32_t getChunk (void**, bool isPreset) override
    {
        note (std::string ("getChunk ") + (isPreset ? "preset" : "bank"));
        return 300;
    }

    std::int32_t setChunk (void*, std::int32_t byteSize, bool isPreset) override
    {
        note ("setChunk " + std::to_string (byteSize) + (isPreset ? " preset" : " bank"));
        return 0;
    }

    bool getProgramNameIndexed (std::int32_t category, std::int32_t index, char*) override
    {
        note ("getProgramNameIndexed " + std::to_string (category) + " " + std::to_string (index));
        return true;
    }

    bool setSpeakerArrangement (VstSpeakerArrangement* input, VstSpeakerArrangement* output) override
    {
        note ("setSpeakerArrangement " + std::to_string (input->numChannels) + " " + std::to_string (output->numChannels));
        return true;
    }

    bool setBypass (bool onOff) override
    {
        note (std::string ("setBypass ") + (onOff ? "on" : "off"));
        return true;
    }

    bool offlineNotify (VstAudioFile*, std::int32_t count, bool start) override
    {
        note ("offlineNotify " + std::to_string (count) + (start ? " start" : " stop"));
        return true;
    }

    intptr_t vendorSpecific (std::int32_t index, intptr_t value, void*, float opt) override
    {
        note ("vendorSpecific " + std::to_string (index) + " " + std::to_string (value) + " " + std::to_string (static_cast<int> (opt)));
        return -2;
    }

    std::int32_t canDo (char* text) override { return std::strcmp (text, "openCloseAnyThread") == 0 ? -1 : 0; }
};

class FakeEditor : public AEffEditor
{
public:
    FakeEditor (std::vector<std::string>& logToUse, bool answerToUse) : log (logToUse), answer (answerToUse) {}
    ~FakeEditor() override { log.push_back ("editor destroyed"); }

    bool getRect (ERect**) override { log.push_back ("getRect"); return answer; }
    bool open (void* window) override { log.push_back (std::string ("open ") + static_cast<const char*> (window)); return answer; }
    void close() override { log.push_back ("close"); }
    void idle() override { log.push_back ("idle"); }
    bool onKeyDown (VstKeyCode& key) override { log.push_back ("keyDown " + describe (key)); return answer; }
    bool onKeyUp (VstKeyCode& key) override { log.push_back ("keyUp " + describe (key)); return answer; }
    bool setKnobMode (std::int32_t mode) override { log.push_back ("knobMode " + std::to_string (mode)); return answer; }

private:
    static std::string describe (const VstKeyCode& key)
    {
        return std::to_string (key.character) + " " + std::to_string (key.virt) + " " + std::to_string (key.modifier);
    }

    std::vector<std::string>& log;
    bool answer;
};

intptr_t dispatch (AEffect* effect, std::int32_t opcode, std::int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f)
{
    return effect->dispatcher (effect, opcode, index, value, ptr, opt);
}
} // namespace

TEST (AudioEffectRecord, ConstructionFillsTheRecordForTheHost)
{
    FakeHost host;
    MinimalEffect plugin (FakeHost::callback);
    const AEffect* record = plugin.getAeffect();

    EXPECT_EQ (record->magic, 0x56737450);
    EXPECT_EQ (record->dispatcher, &dispatchEffectClass);
    EXPECT_EQ (record->process, &processClass);
    EXPECT_EQ (record->setParameter, &setParameterClass);
    EXPECT_EQ (record->getParameter, &getParameterClass);
    EXPECT_EQ (record->processReplacing, &processClassReplacing);
    EXPECT_EQ (record->processDoubleReplacing, &processClassDoubleReplacing);
    EXPECT_EQ (record->numPrograms, 128);
    EXPECT_EQ (record->numParams, 184);
    EXPECT_EQ (record->numInputs, 1);
    EXPECT_EQ (record->numOutputs, 2);
    EXPECT_EQ (record->flags, effFlagsCanReplacing);
    EXPECT_EQ (record->initialDelay, 0);
    EXPECT_EQ (record->realQualities, 0);
    EXPECT_EQ (record->offQualities, 0);
    EXPECT_EQ (record->ioRatio, 1.0f);
    EXPECT_EQ (record->object, static_cast<AudioEffect*> (&plugin));
    EXPECT_EQ (record->user, nullptr);
    EXPECT_EQ (record->uniqueID, 0x4E6F4566);
    EXPECT_EQ (record->version, 1);

    // Alignment gaps, reserved fields and the future block all read as zero.
    unsigned char bytes[sizeof (AEffect)];
    std::memcpy (bytes, record, sizeof (bytes));
    for (std::size_t offset : { 4u, 5u, 6u, 7u, 60u, 61u, 62u, 63u })
        EXPECT_EQ (bytes[offset], 0) << offset;
    for (std::size_t offset = 64; offset < 80; ++offset)
        EXPECT_EQ (bytes[offset], 0) << offset;
    for (std::size_t offset = 136; offset < 192; ++offset)
        EXPECT_EQ (bytes[offset], 0) << offset;

    EXPECT_EQ (plugin.getSampleRate(), 44100.0f);
    EXPECT_EQ (plugin.getBlockSize(), 1024);
    EXPECT_EQ (plugin.getProgram(), 0);
    EXPECT_EQ (plugin.getEditor(), nullptr);
    EXPECT_TRUE (host.calls.empty());
}

TEST (AudioEffectRecord, EntriesReachTheObject)
{
    std::vector<std::string> log;
    RecordingEffect plugin (nullptr, &log);
    AEffect* record = plugin.getAeffect();

    record->setParameter (record, 3, 0.5f);
    record->process (record, nullptr, nullptr, 16);
    record->processReplacing (record, nullptr, nullptr, 32);
    record->processDoubleReplacing (record, nullptr, nullptr, 64);

    EXPECT_EQ (record->getParameter (record, 2), 0.5f);
    EXPECT_EQ (log, (std::vector<std::string> { "setParameter 3 0.500000", "process 16", "processReplacing 32", "processDoubleReplacing 64" }));
}

TEST (AudioEffectRecord, CloseThroughTheRecordClosesDeletesAndAnswersOne)
{
    std::vector<std::string> log;
    auto* plugin = new RecordingEffect (nullptr, &log);
    AEffect* record = plugin->getAeffect();

    EXPECT_EQ (plugin->dispatcher (effClose, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ (dispatch (record, effClose), 1);
    EXPECT_EQ (log, (std::vector<std::string> { "close", "close", "destroyed" }));
}

TEST (AudioEffectRecord, DestructionDeletesAnAttachedEditor)
{
    std::vector<std::string> log;
    {
        MinimalEffect plugin (nullptr);
        plugin.attachEditor (new FakeEditor (log, true));
    }
    EXPECT_EQ (log, std::vector<std::string> { "editor destroyed" });
}

TEST (AudioEffectDispatcher, DefaultAnswers)
{
    struct Case
    {
        std::int32_t opcode, index;
        intptr_t value;
        const char* text;
        intptr_t expected;
    };

    const Case cases[] = {
        { effIdentify, 0, 0, nullptr, 0x4E764566 },
        { effGetProgram, 0, 0, nullptr, 0 },
        { effGetChunk, 1, 0, nullptr, 0 },
        { effSetChunk, 0, 10, "x", 0 },
        { effEditGetRect, 0, 0, nullptr, 0 },
        { effEditOpen, 0, 0, nullptr, 0 },
        { effEditKeyDown, 65, 1, nullptr, 0 },
        { effSetEditKnobMode, 0, 2, nullptr, 0 },
        { effProcessEvents, 0, 0, nullptr, 0 },
        { effCanBeAutomated, 5, 0, nullptr, 1 },
        { effString2Parameter, 0, 0, "1", 0 },
        { effGetProgramNameIndexed, 0, 0, nullptr, 0 },
        { effGetInputProperties, 0, 0, nullptr, 0 },
        { effGetPlugCategory, 0, 0, nullptr, 0 },
        { effSetBypass, 0, 1, nullptr, 0 },
        { effGetEffectName, 0, 0, nullptr, 0 },
        { effGetVendorVersion, 0, 0, nullptr, 0 },
        { effCanDo, 0, 0, "receiveVstEvents", 0 },
        { effCanDo, 0, 0, "bypass", 0 },
        { effGetTailSize, 0, 0, nullptr, 0 },
        { effGetVstVersion, 0, 0, nullptr, 2400 },
        { effGetCurrentMidiProgram, 0, 0, nullptr, -1 },
        { effSetTotalSampleToProcess, 0, 4096, nullptr, 4096 },
        { effSetTotalSampleToProcess, 0, -5, nullptr, -5 },
        { effStartProcess, 0, 0, nullptr, 0 },
        { effGetNumMidiOutputChannels, 0, 0, nullptr, 0 },
    };

    MinimalEffect plugin (nullptr);
    for (const auto& c : cases)
    {
        std::string text = c.text != nullptr ? c.text : "";
        EXPECT_EQ (dispatch (plugin.getAeffect(), c.opcode, c.index, c.value, c.text != nullptr ? text.data() : nullptr), c.expected)
            << "opcode " << c.opcode;
    }

    for (std::int32_t opcode : { 9, 16, 17, 18, 20, 21, 28, 30, 31, 32, 36, 37, 43, 46, 53, 54, 55, 57, 80, 1000, -1 })
        EXPECT_EQ (dispatch (plugin.getAeffect(), opcode, 1, 1), 0) << "opcode " << opcode;
}

TEST (AudioEffectDispatcher, TextOpcodesLeaveAnEmptyText)
{
    MinimalEffect plugin (nullptr);
    for (std::int32_t opcode : { effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName })
    {
        char text[32] = "untouched";
        EXPECT_EQ (dispatch (plugin.getAeffect(), opcode, 0, 0, text), 0);
        EXPECT_STREQ (text, "") << "opcode " << opcode;
    }
}

TEST (AudioEffectDispatcher, StoresProgramRateAndBlockSize)
{
    MinimalEffect plugin (nullptr);
    AEffect* record = plugin.getAeffect();

    dispatch (record, effSetProgram, 0, 127);
    EXPECT_EQ (dispatch (record, effGetProgram), 127);
    dispatch (record, effSetProgram, 0, 128);
    EXPECT_EQ (dispatch (record, effGetProgram), 127);
    dispatch (record, effSetProgram, 0, -3);
    EXPECT_EQ (dispatch (record, effGetProgram), -3);

    dispatch (record, effSetSampleRate, 0, 0, nullptr, 96000.0f);
    dispatch (record, effSetBlockSize, 0, 256);
    EXPECT_EQ (plugin.getSampleRate(), 96000.0f);
    EXPECT_EQ (plugin.getBlockSize(), 256);
}

TEST (AudioEffectDispatcher, PassesArgumentsToTheOperations)
{
    VstSpeakerArrangement mono {}, stereo {};
    mono.numChannels = 1;
    stereo.numChannels = 2;

    struct Case
    {
        std::int32_t opcode, index;
        intptr_t value;
        void* ptr;
        float opt;
        intptr_t expected;
        const char* entry;
    };

    const Case cases[] = {
        { effSetProgram, 0, 5, nullptr, 0.0f, 0, "setProgram 5" },
        { effSetProgram, 0, -1, nullptr, 0.0f, 0, "setProgram -1" },
        { effSetSampleRate, 0, 0, nullptr, 48000.0f, 0, "setSampleRate 48000" },
        { effSetBlockSize, 0, 512, nullptr, 0.0f, 0, "setBlockSize 512" },
        { effMainsChanged, 0, 0, nullptr, 0.0f, 0, "suspend" },
        { effMainsChanged, 0, 7, nullptr, 0.0f, 0, "resume" },
        { effGetChunk, 1, 0, nullptr, 0.0f, 300, "getChunk preset" },
        { effGetChunk, 0, 0, nullptr, 0.0f, 300, "getChunk bank" },
        { effSetChunk, 3, 1000, nullptr, 0.0f, 0, "setChunk 1000 preset" },
        { effGetProgramNameIndexed, 9, 2, nullptr, 0.0f, 1, "getProgramNameIndexed 2 9" },
        { effSetSpeakerArrangement, 0, reinterpret_cast<intptr_t> (&mono), &stereo, 0.0f, 1, "setSpeakerArrangement 1 2" },
        { effSetBypass, 0, 1, nullptr, 0.0f, 1, "setBypass on" },
        { effSetBypass, 0, 0, nullptr, 0.0f, 1, "setBypass off" },
        { effOfflineNotify, 1, 4, nullptr, 0.0f, 1, "offlineNotify 4 start" },
        { effOfflineNotify, 0, 4, nullptr, 0.0f, 1, "offlineNotify 4 stop" },
        { effVendorSpecific, 7, 8, nullptr, 9.0f, -2, "vendorSpecific 7 8 9" },
    };

    for (const auto& c : cases)
    {
        std::vector<std::string> log;
        RecordingEffect plugin (nullptr, &log);
        EXPECT_EQ (dispatch (plugin.getAeffect(), c.opcode, c.index, c.value, c.ptr, c.opt), c.expected) << c.entry;
        ASSERT_FALSE (log.empty()) << c.entry;
        EXPECT_EQ (log.front(), c.entry);
    }
}

TEST (AudioEffectDispatcher, CanDoAnswerIsSignExtended)
{
    RecordingEffect plugin (nullptr);
    char text[] = "openCloseAnyThread";
    EXPECT_EQ (dispatch (plugin.getAeffect(), effCanDo, 0, 0, text), intptr_t (-1));
}

TEST (AudioEffectDispatcher, EditorOpcodesReachAnAttachedEditor)
{
    struct Case
    {
        std::int32_t opcode, index;
        intptr_t value;
        float opt;
        const char* entry;
        bool reportsAnswer;
    };

    char window[] = "window";
    const Case cases[] = {
        { effEditGetRect, 0, 0, 0.0f, "getRect", true },
        { effEditOpen, 0, 0, 0.0f, "open window", true },
        { effEditClose, 0, 0, 0.0f, "close", false },
        { effEditIdle, 0, 0, 0.0f, "idle", false },
        { effEditKeyDown, 97, 0x1234, 3.0f, "keyDown 97 52 3", true },
        { effEditKeyUp, 98, 0x0165, 258.0f, "keyUp 98 101 2", true },
        { effSetEditKnobMode, 0, 2, 0.0f, "knobMode 2", true },
    };

    for (bool editorAnswer : { true, false })
    {
        for (const auto& c : cases)
        {
            std::vector<std::string> log;
            MinimalEffect plugin (nullptr);
            plugin.attachEditor (new FakeEditor (log, editorAnswer));

            const auto result = dispatch (plugin.getAeffect(), c.opcode, c.index, c.value, window, c.opt);
            EXPECT_EQ (result, c.reportsAnswer && editorAnswer ? 1 : 0) << c.entry;
            ASSERT_FALSE (log.empty()) << c.entry;
            EXPECT_EQ (log.front(), c.entry);
        }
    }
}

TEST (AudioEffectDispatcher, GetSpeakerArrangementNullsBothPointers)
{
    MinimalEffect plugin (nullptr);
    VstSpeakerArrangement someArrangement {};
    VstSpeakerArrangement* input = &someArrangement;
    VstSpeakerArrangement* output = &someArrangement;

    EXPECT_EQ (dispatch (plugin.getAeffect(), effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t> (&input), &output), 0);
    EXPECT_EQ (input, nullptr);
    EXPECT_EQ (output, nullptr);
}

TEST (AudioEffectHostCalls, ArgumentsAndAnswers)
{
    char text[] = "text";
    auto* const textPtr = static_cast<void*> (text);
    auto* const fakePointer = reinterpret_cast<void*> (intptr_t (0x1000));

    struct Case
    {
        const char* name;
        std::function<intptr_t (MinimalEffect&)> call;
        std::int32_t opcode, index;
        intptr_t value;
        void* ptr;
        float opt;
        intptr_t answer, expected;
    };

    const auto asInt = [] (auto pointer) { return reinterpret_cast<intptr_t> (pointer); };

    const Case cases[] = {
        { "getMasterVersion", [] (auto& p) { return p.getMasterVersion(); }, audioMasterVersion, 0, 0, nullptr, 0.0f, 2400, 2400 },
        { "getMasterVersion, host answers 0", [] (auto& p) { return p.getMasterVersion(); }, audioMasterVersion, 0, 0, nullptr, 0.0f, 0, 1 },
        { "getCurrentUniqueId", [] (auto& p) { return p.getCurrentUniqueId(); }, audioMasterCurrentId, 0, 0, nullptr, 0.0f, -7, -7 },
        { "masterIdle", [] (auto& p) { p.masterIdle(); return intptr_t (0); }, audioMasterIdle, 0, 0, nullptr, 0.0f, 5, 0 },
        { "isInputConnected", [] (auto& p) { return p.isInputConnected (3); }, audioMasterPinConnected, 3, 0, nullptr, 0.0f, 0, 1 },
        { "isOutputConnected", [] (auto& p) { return p.isOutputConnected (2); }, audioMasterPinConnected, 2, 1, nullptr, 0.0f, 1, 0 },
        { "setParameterAutomated", [] (auto& p) { p.setParameterAutomated (9, 0.25f); return intptr_t (0); }, audioMasterAutomate, 9, 0, nullptr, 0.25f, 1, 0 },
        { "wantEvents", [] (auto& p) { p.wantEvents (1); return intptr_t (0); }, audioMasterWantMidi, 0, 1, nullptr, 0.0f, 1, 0 },
        { "getTimeInfo", [asInt] (auto& p) { return asInt (p.getTimeInfo (0xFE00)); }, audioMasterGetTime, 0, 0xFE00, nullptr, 0.0f, 0x1000, 0x1000 },
        { "tempoAt", [] (auto& p) { return p.tempoAt (512); }, audioMasterTempoAt, 0, 512, nullptr, 0.0f, 1200000, 1200000 },
        { "getNumAutomatableParameters", [] (auto& p) { return p.getNumAutomatableParameters(); }, audioMasterGetNumAutomatableParameters, 0, 0, nullptr, 0.0f, 64, 64 },
        { "getParameterQuantization", [] (auto& p) { return p.getParameterQuantization(); }, audioMasterGetParameterQuantization, 0, 0, nullptr, 0.0f, 127, 127 },
        { "ioChanged", [] (auto& p) { return p.ioChanged(); }, audioMasterIOChanged, 0, 0, nullptr, 0.0f, 2, 1 },
        { "needIdle", [] (auto& p) { return p.needIdle(); }, audioMasterNeedIdle, 0, 0, nullptr, 0.0f, 0, 0 },
        { "sizeWindow", [] (auto& p) { return p.sizeWindow (640, 480); }, audioMasterSizeWindow, 640, 480, nullptr, 0.0f, 1, 1 },
        { "getInputLatency", [] (auto& p) { return p.getInputLatency(); }, audioMasterGetInputLatency, 0, 0, nullptr, 0.0f, 32, 32 },
        { "getOutputLatency", [] (auto& p) { return p.getOutputLatency(); }, audioMasterGetOutputLatency, 0, 0, nullptr, 0.0f, 48, 48 },
        { "getPreviousPlug", [asInt] (auto& p) { return asInt (p.getPreviousPlug (5)); }, audioMasterGetPreviousPlug, 0, 0, nullptr, 0.0f, 0x1000, 0x1000 },
        { "getNextPlug", [asInt] (auto& p) { return asInt (p.getNextPlug (5)); }, audioMasterGetNextPlug, 0, 0, nullptr, 0.0f, 0x1000, 0x1000 },
        { "willProcessReplacing", [] (auto& p) { return p.willProcessReplacing(); }, audioMasterWillReplaceOrAccumulate, 0, 0, nullptr, 0.0f, 1, 1 },
        { "getCurrentProcessLevel", [] (auto& p) { return p.getCurrentProcessLevel(); }, audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0.0f, 4, 4 },
        { "getAutomationState", [] (auto& p) { return p.getAutomationState(); }, audioMasterGetAutomationState, 0, 0, nullptr, 0.0f, 2, 2 },
        { "offlineStart", [fakePointer] (auto& p) { return p.offlineStart (static_cast<VstAudioFile*> (fakePointer), 3, 2); }, audioMasterOfflineStart, 2, 3, fakePointer, 0.0f, 1, 1 },
        { "offlineRead", [fakePointer] (auto& p) { return p.offlineRead (static_cast<VstOfflineTask*> (fakePointer), 6, true); }, audioMasterOfflineRead, 1, 6, fakePointer, 0.0f, 1, 1 },
        { "offlineRead, destination", [fakePointer] (auto& p) { return p.offlineRead (static_cast<VstOfflineTask*> (fakePointer), 6, false); }, audioMasterOfflineRead, 0, 6, fakePointer, 0.0f, 0, 0 },
        { "offlineWrite", [fakePointer] (auto& p) { return p.offlineWrite (static_cast<VstOfflineTask*> (fakePointer), 4); }, audioMasterOfflineWrite, 0, 4, fakePointer, 0.0f, 1, 1 },
        { "offlineGetCurrentPass", [] (auto& p) { return p.offlineGetCurrentPass(); }, audioMasterOfflineGetCurrentPass, 0, 0, nullptr, 0.0f, 3, 1 },
        { "offlineGetCurrentMetaPass", [] (auto& p) { return p.offlineGetCurrentMetaPass(); }, audioMasterOfflineGetCurrentMetaPass, 0, 0, nullptr, 0.0f, 0, 0 },
        { "setOutputSamplerate", [] (auto& p) { p.setOutputSamplerate (22050.0f); return intptr_t (0); }, audioMasterSetOutputSampleRate, 0, 0, nullptr, 22050.0f, 1, 0 },
        { "getOutputSpeakerArrangement", [asInt] (auto& p) { return asInt (p.getOutputSpeakerArrangement()); }, audioMasterGetOutputSpeakerArrangement, 0, 0, nullptr, 0.0f, 0x1000, 0x1000 },
        { "getInputSpeakerArrangement", [asInt] (auto& p) { return asInt (p.getInputSpeakerArrangement()); }, audioMasterGetInputSpeakerArrangement, 0, 0, nullptr, 0.0f, 0x1000, 0x1000 },
        { "getHostVendorString", [textPtr] (auto& p) { return p.getHostVendorString (static_cast<char*> (textPtr)); }, audioMasterGetVendorString, 0, 0, textPtr, 0.0f, 1, 1 },
        { "getHostProductString", [textPtr] (auto& p) { return p.getHostProductString (static_cast<char*> (textPtr)); }, audioMasterGetProductString, 0, 0, textPtr, 0.0f, 0, 0 },
        { "getHostVendorVersion", [] (auto& p) { return p.getHostVendorVersion(); }, audioMasterGetVendorVersion, 0, 0, nullptr, 0.0f, 1100, 1100 },
        { "hostVendorSpecific", [fakePointer] (auto& p) { return p.hostVendorSpecific (7, -8, fakePointer, 1.5f); }, audioMasterVendorSpecific, 7, -8, fakePointer, 1.5f, -9, -9 },
        { "canHostDo", [textPtr] (auto& p) { return p.canHostDo (static_cast<char*> (textPtr)); }, audioMasterCanDo, 0, 0, textPtr, 0.0f, -1, 1 },
        { "getHostLanguage", [] (auto& p) { return p.getHostLanguage(); }, audioMasterGetLanguage, 0, 0, nullptr, 0.0f, 2, 2 },
        { "openWindow", [asInt, fakePointer] (auto& p) { return asInt (p.openWindow (static_cast<VstWindow*> (fakePointer))); }, audioMasterOpenWindow, 0, 0, fakePointer, 0.0f, 0x2000, 0x2000 },
        { "closeWindow", [fakePointer] (auto& p) { return p.closeWindow (static_cast<VstWindow*> (fakePointer)); }, audioMasterCloseWindow, 0, 0, fakePointer, 0.0f, 1, 1 },
        { "getDirectory", [asInt] (auto& p) { return asInt (p.getDirectory()); }, audioMasterGetDirectory, 0, 0, nullptr, 0.0f, 0x1000, 0x1000 },
        { "updateDisplay", [] (auto& p) { return p.updateDisplay(); }, audioMasterUpdateDisplay, 0, 0, nullptr, 0.0f, 1, 1 },
        { "beginEdit", [] (auto& p) { return p.beginEdit (11); }, audioMasterBeginEdit, 11, 0, nullptr, 0.0f, 1, 1 },
        { "endEdit", [] (auto& p) { return p.endEdit (12); }, audioMasterEndEdit, 12, 0, nullptr, 0.0f, 0, 0 },
        { "openFileSelector", [fakePointer] (auto& p) { return p.openFileSelector (static_cast<VstFileSelect*> (fakePointer)); }, audioMasterOpenFileSelector, 0, 0, fakePointer, 0.0f, 1, 1 },
        { "closeFileSelector", [fakePointer] (auto& p) { return p.closeFileSelector (static_cast<VstFileSelect*> (fakePointer)); }, audioMasterCloseFileSelector, 0, 0, fakePointer, 0.0f, 1, 1 },
        { "getChunkFile", [fakePointer] (auto& p) { return p.getChunkFile (fakePointer); }, audioMasterGetChunkFile, 0, 0, fakePointer, 0.0f, 1, 1 },
    };

    for (const auto& c : cases)
    {
        FakeHost host;
        host.answers[c.opcode] = c.answer;
        MinimalEffect plugin (FakeHost::callback);

        EXPECT_EQ (c.call (plugin), c.expected) << c.name;
        ASSERT_EQ (host.calls.size(), 1u) << c.name;
        const auto& call = host.calls.front();
        EXPECT_EQ (call.effect, plugin.getAeffect()) << c.name;
        EXPECT_EQ (call.opcode, c.opcode) << c.name;
        EXPECT_EQ (call.index, c.index) << c.name;
        EXPECT_EQ (call.value, c.value) << c.name;
        EXPECT_EQ (call.ptr, c.ptr) << c.name;
        EXPECT_EQ (call.opt, c.opt) << c.name;
    }
}

TEST (AudioEffectHostCalls, SampleRateAndBlockSizeFollowPositiveAnswersOnly)
{
    struct Case
    {
        intptr_t answer;
        double rate;
        std::int32_t block;
    };

    for (const auto& c : { Case { 48000, 48000.0, 48000 }, Case { 0, 44100.0, 1024 }, Case { -5, 44100.0, 1024 } })
    {
        FakeHost host;
        host.answers[audioMasterGetSampleRate] = c.answer;
        host.answers[audioMasterGetBlockSize] = c.answer;
        MinimalEffect plugin (FakeHost::callback);

        EXPECT_EQ (plugin.updateSampleRate(), c.rate) << c.answer;
        EXPECT_EQ (plugin.getSampleRate(), static_cast<float> (c.rate)) << c.answer;
        EXPECT_EQ (plugin.updateBlockSize(), c.block) << c.answer;
        EXPECT_EQ (plugin.getBlockSize(), c.block) << c.answer;
    }
}

TEST (AudioEffectHostCalls, NullArgumentsAreNotSentToTheHost)
{
    FakeHost host;
    host.answers[audioMasterOpenFileSelector] = 1;
    host.answers[audioMasterCloseFileSelector] = 1;
    host.answers[audioMasterGetChunkFile] = 1;
    MinimalEffect plugin (FakeHost::callback);

    EXPECT_FALSE (plugin.openFileSelector (nullptr));
    EXPECT_FALSE (plugin.closeFileSelector (nullptr));
    EXPECT_FALSE (plugin.getChunkFile (nullptr));
    EXPECT_TRUE (host.calls.empty());
}

TEST (AudioEffectHostCalls, AnswersWithoutAHost)
{
    MinimalEffect plugin (nullptr);
    char text[] = "text";

    EXPECT_EQ (plugin.getMasterVersion(), 1);
    EXPECT_TRUE (plugin.isInputConnected (0));
    EXPECT_TRUE (plugin.isOutputConnected (0));

    EXPECT_EQ (plugin.getCurrentUniqueId(), 0);
    EXPECT_EQ (plugin.getTimeInfo (0xFE00), nullptr);
    EXPECT_EQ (plugin.tempoAt (0), 0);
    EXPECT_FALSE (plugin.ioChanged());
    EXPECT_FALSE (plugin.sizeWindow (10, 10));
    EXPECT_EQ (plugin.updateSampleRate(), 0.0);
    EXPECT_EQ (plugin.updateBlockSize(), 0);
    EXPECT_EQ (plugin.getSampleRate(), 44100.0f);
    EXPECT_EQ (plugin.getPreviousPlug (0), nullptr);
    EXPECT_EQ (plugin.getCurrentProcessLevel(), 0);
    EXPECT_FALSE (plugin.getHostVendorString (text));
    EXPECT_EQ (plugin.hostVendorSpecific (1, 2, nullptr, 3.0f), 0);
    EXPECT_EQ (plugin.canHostDo (text), 0);
    EXPECT_EQ (plugin.openWindow (nullptr), nullptr);
    EXPECT_EQ (plugin.getDirectory(), nullptr);
    EXPECT_FALSE (plugin.beginEdit (0));
    EXPECT_FALSE (plugin.getChunkFile (text));
    EXPECT_EQ (plugin.getInputSpeakerArrangement(), nullptr);

    // Calls whose answer is ignored must not fail either.
    plugin.masterIdle();
    plugin.wantEvents (1);
    plugin.setParameterAutomated (0, 1.0f);
    plugin.setOutputSamplerate (48000.0f);
}

TEST (AudioEffectHostCalls, ResumeAsksForMidiOnlyForSynthsOrMidiTakers)
{
    struct Case
    {
        bool synth;
        bool takesMidi;
        bool asks;
    };

    class MidiTaker : public MinimalEffect
    {
    public:
        MidiTaker (audioMasterCallback host, bool takes) : MinimalEffect (host), takesMidi (takes) {}
        std::int32_t canDo (char* text) override { return takesMidi && std::strcmp (text, "receiveVstMidiEvent") == 0 ? 1 : 0; }
        bool takesMidi;
    };

    for (const auto& c : { Case { true, false, true }, Case { false, true, true }, Case { false, false, false } })
    {
        FakeHost host;
        MidiTaker plugin (FakeHost::callback, c.takesMidi);
        plugin.isSynth (c.synth);

        dispatch (plugin.getAeffect(), effMainsChanged, 0, 1);

        if (c.asks)
        {
            ASSERT_EQ (host.opcodes(), std::vector<std::int32_t> { audioMasterWantMidi });
            EXPECT_EQ (host.calls.front().value, 1);
        }
        else
        {
            EXPECT_TRUE (host.calls.empty());
        }
    }
}

TEST (AudioEffectRecordSetters, FlagSettersSetAndClearTheirBitOnly)
{
    struct Case
    {
        const char* name;
        std::function<void (MinimalEffect&, bool)> set;
        std::int32_t bit;
    };

    const Case cases[] = {
        { "hasClip", [] (auto& p, bool s) { p.hasClip (s); }, 0x2 },
        { "hasVu", [] (auto& p, bool s) { p.hasVu (s); }, 0x4 },
        { "canMono", [] (auto& p, bool s) { p.canMono (s); }, 0x8 },
        { "canProcessReplacing", [] (auto& p, bool s) { p.canProcessReplacing (s); }, 0x10 },
        { "programsAreChunks", [] (auto& p, bool s) { p.programsAreChunks (s); }, 0x20 },
        { "isSynth", [] (auto& p, bool s) { p.isSynth (s); }, 0x100 },
        { "noTail", [] (auto& p, bool s) { p.noTail (s); }, 0x200 },
        { "wantAsyncOperation", [] (auto& p, bool s) { p.wantAsyncOperation (s); }, 0x400 },
        { "hasExternalBuffer", [] (auto& p, bool s) { p.hasExternalBuffer (s); }, 0x800 },
        { "canDoubleReplacing", [] (auto& p, bool s) { p.canDoubleReplacing (s); }, 0x1000 },
    };

    for (const auto& c : cases)
    {
        MinimalEffect plugin (nullptr);
        const auto& flags = plugin.getAeffect()->flags;

        plugin.setFlag (0x1fff, false);
        c.set (plugin, true);
        EXPECT_EQ (flags, c.bit) << c.name;

        plugin.setFlag (0x1fff, true);
        c.set (plugin, false);
        EXPECT_EQ (flags, 0x1fff & ~c.bit) << c.name;
    }
}

TEST (AudioEffectRecordSetters, ValuesGoIntoTheRecordOrTheMembers)
{
    MinimalEffect plugin (nullptr);
    const AEffect* record = plugin.getAeffect();

    plugin.setUniqueID (vstFourCC ('J', 'x', 'm', 'b'));
    plugin.setNumInputs (2);
    plugin.setNumOutputs (4);
    plugin.setInitialDelay (64);
    plugin.setRealtimeQualities (3);
    plugin.setOfflineQualities (5);
    plugin.setBlockSizeAndSampleRate (128, 88200.0f);

    EXPECT_EQ (record->uniqueID, 0x4A786D62);
    EXPECT_EQ (record->numInputs, 2);
    EXPECT_EQ (record->numOutputs, 4);
    EXPECT_EQ (record->initialDelay, 64);
    EXPECT_EQ (record->realQualities, 3);
    EXPECT_EQ (record->offQualities, 5);
    EXPECT_EQ (plugin.getBlockSize(), 128);
    EXPECT_EQ (plugin.getSampleRate(), 88200.0f);
}

TEST (AudioEffectText, ValueToTextCases)
{
    struct Case
    {
        const char* name;
        std::function<void (MinimalEffect&, char*, std::int32_t)> write;
        std::int32_t maxLen;
        const char* expected;
    };

    const auto db = [] (float v) { return [v] (auto& p, char* t, std::int32_t n) { p.dB2string (v, t, n); }; };
    const auto hz = [] (float v) { return [v] (auto& p, char* t, std::int32_t n) { p.Hz2string (v, t, n); }; };
    const auto ms = [] (float v) { return [v] (auto& p, char* t, std::int32_t n) { p.ms2string (v, t, n); }; };
    const auto fl = [] (float v) { return [v] (auto& p, char* t, std::int32_t n) { p.float2string (v, t, n); }; };
    const auto in = [] (std::int32_t v) { return [v] (auto& p, char* t, std::int32_t n) { p.int2string (v, t, n); }; };

    const Case cases[] = {
        { "dB 0", db (0.0f), 16, "-oo" },
        { "dB -3", db (-3.0f), 16, "-oo" },
        { "dB 1", db (1.0f), 16, "0.000000" },
        { "dB 10", db (10.0f), 16, "20.00000" },
        { "Hz 0 samples", hz (0.0f), 16, "0.000000" },
        { "Hz 100 samples", hz (100.0f), 16, "441.0000" },
        { "ms 441 samples", ms (441.0f), 16, "10.00000" },
        { "ms 44100 samples", ms (44100.0f), 16, "1000.000" },
        { "float 1.5", fl (1.5f), 16, "1.500000" },
        { "float -1.5", fl (-1.5f), 16, "-1.50000" },
        { "float 123.25", fl (123.25f), 16, "123.2500" },
        { "float 0", fl (0.0f), 16, "0.000000" },
        { "float truncates", fl (1.9999999f), 16, "1.999999" },
        { "float reads as written", fl (0.7f), 16, "0.700000" },
        { "float 7 digits", fl (9999999.0f), 16, "9999999." },
        { "float -6 digits", fl (-999999.0f), 16, "-999999." },
        { "float 8 digits", fl (12345678.0f), 16, "Huge!" },
        { "float -7 digits", fl (-1234567.0f), 16, "Huge!" },
        { "float 100000000", fl (100000000.0f), 16, "Huge!" },
        { "float -10000000", fl (-10000000.0f), 16, "Huge!" },
        { "float cut", fl (123.25f), 4, "123." },
        { "int -42", in (-42), 16, "-42" },
        { "int 0", in (0), 16, "0" },
        { "int 1000", in (1000), 16, "1000" },
        { "int 99999999", in (99999999), 16, "99999999" },
        { "int 100000000", in (100000000), 16, "Huge!" },
        { "int lowest", in (std::numeric_limits<std::int32_t>::min()), 16, "-2147483648" },
        { "int cut", in (-42), 2, "-4" },
        { "int nothing", in (5), 0, "" },
    };

    // A roomy maxLen shows that the texts themselves stop at eight characters.
    MinimalEffect plugin (nullptr);
    for (const auto& c : cases)
    {
        char text[32];
        std::memset (text, 'x', sizeof (text));
        c.write (plugin, text, c.maxLen);
        EXPECT_STREQ (text, c.expected) << c.name;
    }
}

TEST (AudioEffectSpeakers, MatchArrangementCopiesTypeAndEverySpeaker)
{
    MinimalEffect plugin (nullptr);

    VstSpeakerArrangement* source = nullptr;
    ASSERT_TRUE (plugin.allocateArrangement (&source, 3));
    EXPECT_EQ (source->numChannels, 3);
    EXPECT_EQ (source->type, 0);
    source->type = 5;
    for (std::int32_t i = 0; i < 3; ++i)
    {
        auto& speaker = source->speakers[i];
        EXPECT_EQ (speaker.type, 0);
        EXPECT_EQ (speaker.name[0], 0);
        speaker.azimuth = 0.5f * static_cast<float> (i);
        speaker.elevation = 1.0f;
        speaker.radius = 2.0f;
        speaker.reserved = 3.0f;
        speaker.type = i + 1;
        std::memset (speaker.name, 'a' + i, sizeof (speaker.name)); // no terminator
        std::memset (speaker.future, 0x40 + i, sizeof (speaker.future));
    }

    VstSpeakerArrangement* copy = nullptr;
    ASSERT_TRUE (plugin.allocateArrangement (&copy, 1));
    ASSERT_TRUE (plugin.matchArrangement (&copy, source));

    ASSERT_NE (copy, nullptr);
    EXPECT_EQ (copy->type, 5);
    ASSERT_EQ (copy->numChannels, 3);
    for (std::int32_t i = 0; i < 3; ++i)
    {
        const auto& speaker = copy->speakers[i];
        EXPECT_EQ (speaker.azimuth, 0.5f * static_cast<float> (i));
        EXPECT_EQ (speaker.elevation, 1.0f);
        EXPECT_EQ (speaker.radius, 2.0f);
        EXPECT_EQ (speaker.reserved, 3.0f);
        EXPECT_EQ (speaker.type, i + 1);
        EXPECT_EQ (std::string (speaker.name), std::string (63, static_cast<char> ('a' + i)));
        EXPECT_EQ (std::memcmp (speaker.future, source->speakers[i].future, sizeof (speaker.future)), 0);
    }

    EXPECT_TRUE (plugin.deallocateArrangement (&source));
    EXPECT_EQ (source, nullptr);
    EXPECT_TRUE (plugin.deallocateArrangement (&copy));
}

TEST (AudioEffectSpeakers, NullSourcesAreRefused)
{
    MinimalEffect plugin (nullptr);
    VstSpeakerProperties speaker {};
    VstSpeakerArrangement* kept = nullptr;
    ASSERT_TRUE (plugin.allocateArrangement (&kept, 2));

    EXPECT_FALSE (plugin.copySpeaker (&speaker, nullptr));
    EXPECT_FALSE (plugin.copySpeaker (nullptr, &speaker));
    EXPECT_FALSE (plugin.matchArrangement (&kept, nullptr));
    ASSERT_NE (kept, nullptr);
    EXPECT_EQ (kept->numChannels, 2);

    plugin.deallocateArrangement (&kept);
}
