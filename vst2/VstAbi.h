#pragma once

#include <cstddef>
#include <cstdint>

// The binary interface a VST 2.4 host and this library share, declared here
// from the published 64-bit little-endian layouts. Every record is checked
// field by field below, because a host reads them by offset, not by name.
static_assert (sizeof (void*) == 8, "the records are laid out for 64-bit hosts only");

// Four characters packed with the first one in the most significant byte, as
// the interface stores magic numbers and plug-in identifiers.
constexpr std::int32_t vstFourCC (char a, char b, char c, char d) noexcept
{
    return static_cast<std::int32_t> ((static_cast<std::uint32_t> (static_cast<unsigned char> (a)) << 24)
                                      | (static_cast<std::uint32_t> (static_cast<unsigned char> (b)) << 16)
                                      | (static_cast<std::uint32_t> (static_cast<unsigned char> (c)) << 8)
                                      | static_cast<std::uint32_t> (static_cast<unsigned char> (d)));
}

constexpr std::int32_t kEffectMagic = vstFourCC ('V', 's', 't', 'P');
constexpr std::int32_t kDefaultUniqueId = vstFourCC ('N', 'o', 'E', 'f');
constexpr std::int32_t kEffectIdentity = vstFourCC ('N', 'v', 'E', 'f');
constexpr std::int32_t kVstVersion = 2400;

struct AEffect;

using audioMasterCallback = intptr_t (*) (AEffect* effect, std::int32_t opcode, std::int32_t index, intptr_t value, void* ptr, float opt);

using AEffectDispatcherProc = intptr_t (*) (AEffect* effect, std::int32_t opcode, std::int32_t index, intptr_t value, void* ptr, float opt);
using AEffectProcessProc = void (*) (AEffect* effect, float** inputs, float** outputs, std::int32_t sampleFrames);
using AEffectProcessDoubleProc = void (*) (AEffect* effect, double** inputs, double** outputs, std::int32_t sampleFrames);
using AEffectSetParameterProc = void (*) (AEffect* effect, std::int32_t index, float value);
using AEffectGetParameterProc = float (*) (AEffect* effect, std::int32_t index);

struct AEffect
{
    std::int32_t magic;
    AEffectDispatcherProc dispatcher;
    AEffectProcessProc process;
    AEffectSetParameterProc setParameter;
    AEffectGetParameterProc getParameter;
    std::int32_t numPrograms;
    std::int32_t numParams;
    std::int32_t numInputs;
    std::int32_t numOutputs;
    std::int32_t flags;
    intptr_t resvd1;
    intptr_t resvd2;
    std::int32_t initialDelay;
    std::int32_t realQualities;
    std::int32_t offQualities;
    float ioRatio;
    void* object;
    void* user;
    std::int32_t uniqueID;
    std::int32_t version;
    AEffectProcessProc processReplacing;
    AEffectProcessDoubleProc processDoubleReplacing;
    char future[56];
};

static_assert (sizeof (AEffect) == 192);
static_assert (offsetof (AEffect, magic) == 0);
static_assert (offsetof (AEffect, dispatcher) == 8);
static_assert (offsetof (AEffect, process) == 16);
static_assert (offsetof (AEffect, setParameter) == 24);
static_assert (offsetof (AEffect, getParameter) == 32);
static_assert (offsetof (AEffect, numPrograms) == 40);
static_assert (offsetof (AEffect, numParams) == 44);
static_assert (offsetof (AEffect, numInputs) == 48);
static_assert (offsetof (AEffect, numOutputs) == 52);
static_assert (offsetof (AEffect, flags) == 56);
static_assert (offsetof (AEffect, resvd1) == 64);
static_assert (offsetof (AEffect, resvd2) == 72);
static_assert (offsetof (AEffect, initialDelay) == 80);
static_assert (offsetof (AEffect, realQualities) == 84);
static_assert (offsetof (AEffect, offQualities) == 88);
static_assert (offsetof (AEffect, ioRatio) == 92);
static_assert (offsetof (AEffect, object) == 96);
static_assert (offsetof (AEffect, user) == 104);
static_assert (offsetof (AEffect, uniqueID) == 112);
static_assert (offsetof (AEffect, version) == 116);
static_assert (offsetof (AEffect, processReplacing) == 120);
static_assert (offsetof (AEffect, processDoubleReplacing) == 128);
static_assert (offsetof (AEffect, future) == 136);

enum VstAEffectFlags : std::int32_t
{
    effFlagsHasEditor = 0x1,
    effFlagsHasClip = 0x2,
    effFlagsHasVu = 0x4,
    effFlagsCanMono = 0x8,
    effFlagsCanReplacing = 0x10,
    effFlagsProgramChunks = 0x20,
    effFlagsIsSynth = 0x100,
    effFlagsNoSoundInStop = 0x200,
    effFlagsExtIsAsync = 0x400,
    effFlagsExtHasBuffer = 0x800,
    effFlagsCanDoubleReplacing = 0x1000
};

enum AEffectOpcodes : std::int32_t
{
    effOpen = 0,
    effClose = 1,
    effSetProgram = 2,
    effGetProgram = 3,
    effSetProgramName = 4,
    effGetProgramName = 5,
    effGetParamLabel = 6,
    effGetParamDisplay = 7,
    effGetParamName = 8,
    effSetSampleRate = 10,
    effSetBlockSize = 11,
    effMainsChanged = 12,
    effEditGetRect = 13,
    effEditOpen = 14,
    effEditClose = 15,
    effEditIdle = 19,
    effIdentify = 22,
    effGetChunk = 23,
    effSetChunk = 24
};

enum AEffectXOpcodes : std::int32_t
{
    effProcessEvents = 25,
    effCanBeAutomated = 26,
    effString2Parameter = 27,
    effGetProgramNameIndexed = 29,
    effGetInputProperties = 33,
    effGetOutputProperties = 34,
    effGetPlugCategory = 35,
    effOfflineNotify = 38,
    effOfflinePrepare = 39,
    effOfflineRun = 40,
    effProcessVarIo = 41,
    effSetSpeakerArrangement = 42,
    effSetBypass = 44,
    effGetEffectName = 45,
    effGetVendorString = 47,
    effGetProductString = 48,
    effGetVendorVersion = 49,
    effVendorSpecific = 50,
    effCanDo = 51,
    effGetTailSize = 52,
    effGetParameterProperties = 56,
    effGetVstVersion = 58,
    effEditKeyDown = 59,
    effEditKeyUp = 60,
    effSetEditKnobMode = 61,
    effGetMidiProgramName = 62,
    effGetCurrentMidiProgram = 63,
    effGetMidiProgramCategory = 64,
    effHasMidiProgramsChanged = 65,
    effGetMidiKeyName = 66,
    effBeginSetProgram = 67,
    effEndSetProgram = 68,
    effGetSpeakerArrangement = 69,
    effShellGetNextPlugin = 70,
    effStartProcess = 71,
    effStopProcess = 72,
    effSetTotalSampleToProcess = 73,
    effSetPanLaw = 74,
    effBeginLoadBank = 75,
    effBeginLoadProgram = 76,
    effSetProcessPrecision = 77,
    effGetNumMidiInputChannels = 78,
    effGetNumMidiOutputChannels = 79
};

enum AudioMasterOpcodes : std::int32_t
{
    audioMasterAutomate = 0,
    audioMasterVersion = 1,
    audioMasterCurrentId = 2,
    audioMasterIdle = 3,
    audioMasterPinConnected = 4,
    audioMasterWantMidi = 6,
    audioMasterGetTime = 7,
    audioMasterProcessEvents = 8,
    audioMasterTempoAt = 10,
    audioMasterGetNumAutomatableParameters = 11,
    audioMasterGetParameterQuantization = 12,
    audioMasterIOChanged = 13,
    audioMasterNeedIdle = 14,
    audioMasterSizeWindow = 15,
    audioMasterGetSampleRate = 16,
    audioMasterGetBlockSize = 17,
    audioMasterGetInputLatency = 18,
    audioMasterGetOutputLatency = 19,
    audioMasterGetPreviousPlug = 20,
    audioMasterGetNextPlug = 21,
    audioMasterWillReplaceOrAccumulate = 22,
    audioMasterGetCurrentProcessLevel = 23,
    audioMasterGetAutomationState = 24,
    audioMasterOfflineStart = 25,
    audioMasterOfflineRead = 26,
    audioMasterOfflineWrite = 27,
    audioMasterOfflineGetCurrentPass = 28,
    audioMasterOfflineGetCurrentMetaPass = 29,
    audioMasterSetOutputSampleRate = 30,
    audioMasterGetOutputSpeakerArrangement = 31,
    audioMasterGetVendorString = 32,
    audioMasterGetProductString = 33,
    audioMasterGetVendorVersion = 34,
    audioMasterVendorSpecific = 35,
    audioMasterCanDo = 37,
    audioMasterGetLanguage = 38,
    audioMasterOpenWindow = 39,
    audioMasterCloseWindow = 40,
    audioMasterGetDirectory = 41,
    audioMasterUpdateDisplay = 42,
    audioMasterBeginEdit = 43,
    audioMasterEndEdit = 44,
    audioMasterOpenFileSelector = 45,
    audioMasterCloseFileSelector = 46,
    audioMasterGetChunkFile = 48,
    audioMasterGetInputSpeakerArrangement = 49
};

// Answers of audioMasterGetCurrentProcessLevel; only offline changes what we do.
constexpr std::int32_t kVstProcessLevelOffline = 4;

constexpr std::int32_t kPlugCategSynth = 2;

enum VstEventTypes : std::int32_t
{
    kVstMidiType = 1,
    kVstSysExType = 6
};

struct VstEvent
{
    std::int32_t type;
    std::int32_t byteSize;
    std::int32_t deltaFrames;
    std::int32_t flags;
    char data[16];
};

static_assert (sizeof (VstEvent) == 32);
static_assert (offsetof (VstEvent, type) == 0);
static_assert (offsetof (VstEvent, byteSize) == 4);
static_assert (offsetof (VstEvent, deltaFrames) == 8);
static_assert (offsetof (VstEvent, flags) == 12);
static_assert (offsetof (VstEvent, data) == 16);

// The host allocates room for numEvents pointers; two is only the declared size.
struct VstEvents
{
    std::int32_t numEvents;
    intptr_t reserved;
    VstEvent* events[2];
};

static_assert (sizeof (VstEvents) == 32);
static_assert (offsetof (VstEvents, numEvents) == 0);
static_assert (offsetof (VstEvents, reserved) == 8);
static_assert (offsetof (VstEvents, events) == 16);

struct VstMidiEvent
{
    std::int32_t type;
    std::int32_t byteSize;
    std::int32_t deltaFrames;
    std::int32_t flags;
    std::int32_t noteLength;
    std::int32_t noteOffset;
    char midiData[4];
    char detune;
    char noteOffVelocity;
    char reserved1;
    char reserved2;
};

static_assert (sizeof (VstMidiEvent) == 32);
static_assert (offsetof (VstMidiEvent, type) == 0);
static_assert (offsetof (VstMidiEvent, byteSize) == 4);
static_assert (offsetof (VstMidiEvent, deltaFrames) == 8);
static_assert (offsetof (VstMidiEvent, flags) == 12);
static_assert (offsetof (VstMidiEvent, noteLength) == 16);
static_assert (offsetof (VstMidiEvent, noteOffset) == 20);
static_assert (offsetof (VstMidiEvent, midiData) == 24);
static_assert (offsetof (VstMidiEvent, detune) == 28);
static_assert (offsetof (VstMidiEvent, noteOffVelocity) == 29);
static_assert (offsetof (VstMidiEvent, reserved1) == 30);
static_assert (offsetof (VstMidiEvent, reserved2) == 31);

struct VstMidiSysexEvent
{
    std::int32_t type;
    std::int32_t byteSize;
    std::int32_t deltaFrames;
    std::int32_t flags;
    std::int32_t dumpBytes;
    intptr_t resvd1;
    char* sysexDump;
    intptr_t resvd2;
};

static_assert (sizeof (VstMidiSysexEvent) == 48);
static_assert (offsetof (VstMidiSysexEvent, type) == 0);
static_assert (offsetof (VstMidiSysexEvent, byteSize) == 4);
static_assert (offsetof (VstMidiSysexEvent, deltaFrames) == 8);
static_assert (offsetof (VstMidiSysexEvent, flags) == 12);
static_assert (offsetof (VstMidiSysexEvent, dumpBytes) == 16);
static_assert (offsetof (VstMidiSysexEvent, resvd1) == 24);
static_assert (offsetof (VstMidiSysexEvent, sysexDump) == 32);
static_assert (offsetof (VstMidiSysexEvent, resvd2) == 40);

enum VstPinPropertiesFlags : std::int32_t
{
    kVstPinIsActive = 1,
    kVstPinIsStereo = 2,
    kVstPinUseSpeaker = 4
};

struct VstPinProperties
{
    char label[64];
    std::int32_t flags;
    std::int32_t arrangementType;
    char shortLabel[8];
    char future[48];
};

static_assert (sizeof (VstPinProperties) == 128);
static_assert (offsetof (VstPinProperties, label) == 0);
static_assert (offsetof (VstPinProperties, flags) == 64);
static_assert (offsetof (VstPinProperties, arrangementType) == 68);
static_assert (offsetof (VstPinProperties, shortLabel) == 72);
static_assert (offsetof (VstPinProperties, future) == 80);

struct ERect
{
    std::int16_t top;
    std::int16_t left;
    std::int16_t bottom;
    std::int16_t right;
};

static_assert (sizeof (ERect) == 8);
static_assert (offsetof (ERect, top) == 0);
static_assert (offsetof (ERect, left) == 2);
static_assert (offsetof (ERect, bottom) == 4);
static_assert (offsetof (ERect, right) == 6);

struct VstSpeakerProperties
{
    float azimuth;
    float elevation;
    float radius;
    float reserved;
    char name[64];
    std::int32_t type;
    char future[28];
};

static_assert (sizeof (VstSpeakerProperties) == 112);
static_assert (offsetof (VstSpeakerProperties, azimuth) == 0);
static_assert (offsetof (VstSpeakerProperties, elevation) == 4);
static_assert (offsetof (VstSpeakerProperties, radius) == 8);
static_assert (offsetof (VstSpeakerProperties, reserved) == 12);
static_assert (offsetof (VstSpeakerProperties, name) == 16);
static_assert (offsetof (VstSpeakerProperties, type) == 80);
static_assert (offsetof (VstSpeakerProperties, future) == 84);

// Arrangements are allocated for numChannels speakers, which may be more or
// fewer than the eight declared here; only the header and the speakers up to
// numChannels may be touched.
struct VstSpeakerArrangement
{
    std::int32_t type;
    std::int32_t numChannels;
    VstSpeakerProperties speakers[8];
};

constexpr std::size_t kSpeakerArrangementHeaderSize = 8;
static_assert (offsetof (VstSpeakerArrangement, type) == 0);
static_assert (offsetof (VstSpeakerArrangement, numChannels) == 4);
static_assert (offsetof (VstSpeakerArrangement, speakers) == kSpeakerArrangementHeaderSize);
static_assert (sizeof (VstSpeakerArrangement) == kSpeakerArrangementHeaderSize + 8 * sizeof (VstSpeakerProperties));

struct VstTimeInfo
{
    double samplePos;
    double sampleRate;
    double nanoSeconds;
    double ppqPos;
    double tempo;
    double barStartPos;
    double cycleStartPos;
    double cycleEndPos;
    std::int32_t timeSigNumerator;
    std::int32_t timeSigDenominator;
    std::int32_t smpteOffset;
    std::int32_t smpteFrameRate;
    std::int32_t samplesToNextClock;
    std::int32_t flags;
};

static_assert (sizeof (VstTimeInfo) == 88);
static_assert (offsetof (VstTimeInfo, samplePos) == 0);
static_assert (offsetof (VstTimeInfo, sampleRate) == 8);
static_assert (offsetof (VstTimeInfo, nanoSeconds) == 16);
static_assert (offsetof (VstTimeInfo, ppqPos) == 24);
static_assert (offsetof (VstTimeInfo, tempo) == 32);
static_assert (offsetof (VstTimeInfo, barStartPos) == 40);
static_assert (offsetof (VstTimeInfo, cycleStartPos) == 48);
static_assert (offsetof (VstTimeInfo, cycleEndPos) == 56);
static_assert (offsetof (VstTimeInfo, timeSigNumerator) == 64);
static_assert (offsetof (VstTimeInfo, timeSigDenominator) == 68);
static_assert (offsetof (VstTimeInfo, smpteOffset) == 72);
static_assert (offsetof (VstTimeInfo, smpteFrameRate) == 76);
static_assert (offsetof (VstTimeInfo, samplesToNextClock) == 80);
static_assert (offsetof (VstTimeInfo, flags) == 84);

enum VstTimeInfoFlags : std::int32_t
{
    kVstTransportChanged = 1,
    kVstTransportPlaying = 1 << 1,
    kVstTransportCycleActive = 1 << 2,
    kVstTransportRecording = 1 << 3,
    kVstNanosValid = 1 << 8,
    kVstPpqPosValid = 1 << 9,
    kVstTempoValid = 1 << 10,
    kVstBarsValid = 1 << 11,
    kVstCyclePosValid = 1 << 12,
    kVstTimeSigValid = 1 << 13,
    kVstSmpteValid = 1 << 14,
    kVstClockValid = 1 << 15
};

// Records that only pass through as pointers: nothing here reads or writes
// them, so their layouts are left undeclared.
struct VstParameterProperties;
struct VstPatchChunkInfo;
struct VstVariableIo;
struct VstOfflineTask;
struct VstAudioFile;
struct VstFileSelect;
struct VstWindow;
struct MidiProgramName;
struct MidiProgramCategory;
struct MidiKeyName;
