#include "vst2/AudioEffect.h"

#include <cmath>
#include <cstring>

namespace
{
constexpr std::int32_t kTextWidth = 8;
constexpr const char* kHugeText = "Huge!";

void copyText (const char* source, char* text, std::int32_t maxLen)
{
    if (text == nullptr)
        return;

    const auto limit = static_cast<std::size_t> (maxLen > 0 ? maxLen : 0);
    std::size_t length = 0;
    while (length < limit && source[length] != 0)
    {
        text[length] = source[length];
        ++length;
    }
    text[length] = 0;
}

void clearText (char* text)
{
    if (text != nullptr)
        text[0] = 0;
}

char digitChar (std::int64_t digit) noexcept
{
    return static_cast<char> ('0' + digit);
}

AudioEffect* objectOf (AEffect* effect) noexcept
{
    return effect != nullptr ? static_cast<AudioEffect*> (effect->object) : nullptr;
}
} // namespace

AudioEffect::AudioEffect (audioMasterCallback audioMasterToUse, std::int32_t programCount, std::int32_t paramCount)
    : audioMaster (audioMasterToUse),
      editor (nullptr),
      sampleRate (44100.0f),
      blockSize (1024),
      numPrograms (programCount),
      numParams (paramCount),
      curProgram (0)
{
    // Zeroed as a whole so the alignment gaps and reserved fields read 0 too.
    std::memset (&cEffect, 0, sizeof (cEffect));

    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEffectClass;
    cEffect.process = processClass;
    cEffect.setParameter = setParameterClass;
    cEffect.getParameter = getParameterClass;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = kDefaultUniqueId;
    cEffect.version = 1;
    cEffect.processReplacing = processClassReplacing;
    cEffect.flags = effFlagsCanReplacing;
    cEffect.processDoubleReplacing = processClassDoubleReplacing;
}

AudioEffect::~AudioEffect()
{
    delete editor;
}

intptr_t AudioEffect::dispatcher (std::int32_t opcode, std::int32_t index, intptr_t value, void* ptr, float opt)
{
    switch (opcode)
    {
        case effOpen:               open(); return 0;
        case effClose:              close(); return 0;

        // No lower bound: a negative program number reaches setProgram.
        case effSetProgram:         if (value < numPrograms) setProgram (static_cast<std::int32_t> (value)); return 0;
        case effGetProgram:         return getProgram();
        case effSetProgramName:     setProgramName (static_cast<char*> (ptr)); return 0;
        case effGetProgramName:     getProgramName (static_cast<char*> (ptr)); return 0;
        case effGetParamLabel:      getParameterLabel (index, static_cast<char*> (ptr)); return 0;
        case effGetParamDisplay:    getParameterDisplay (index, static_cast<char*> (ptr)); return 0;
        case effGetParamName:       getParameterName (index, static_cast<char*> (ptr)); return 0;

        case effSetSampleRate:      setSampleRate (opt); return 0;
        case effSetBlockSize:       setBlockSize (static_cast<std::int32_t> (value)); return 0;
        case effMainsChanged:       if (value == 0) suspend(); else resume(); return 0;

        case effEditGetRect:        return editor != nullptr && editor->getRect (static_cast<ERect**> (ptr)) ? 1 : 0;
        case effEditOpen:           return editor != nullptr && editor->open (ptr) ? 1 : 0;
        case effEditClose:          if (editor != nullptr) editor->close(); return 0;
        case effEditIdle:           if (editor != nullptr) editor->idle(); return 0;

        case effIdentify:           return kEffectIdentity;
        case effGetChunk:           return getChunk (static_cast<void**> (ptr), index != 0);
        case effSetChunk:           return setChunk (ptr, static_cast<std::int32_t> (value), index != 0);

        default:                    return 0;
    }
}

void AudioEffect::open() {}
void AudioEffect::close() {}
void AudioEffect::suspend() {}
void AudioEffect::resume() {}

void AudioEffect::setSampleRate (float newSampleRate) { sampleRate = newSampleRate; }
void AudioEffect::setBlockSize (std::int32_t newBlockSize) { blockSize = newBlockSize; }

void AudioEffect::processDoubleReplacing (double**, double**, std::int32_t) {}

void AudioEffect::setParameter (std::int32_t, float) {}
float AudioEffect::getParameter (std::int32_t) { return 0.0f; }

void AudioEffect::setParameterAutomated (std::int32_t index, float value)
{
    setParameter (index, value);
    callHost (audioMasterAutomate, index, 0, nullptr, value);
}

std::int32_t AudioEffect::getProgram() { return curProgram; }
void AudioEffect::setProgram (std::int32_t program) { curProgram = program; }
void AudioEffect::setProgramName (char*) {}
void AudioEffect::getProgramName (char* name) { clearText (name); }

void AudioEffect::getParameterLabel (std::int32_t, char* label) { clearText (label); }
void AudioEffect::getParameterDisplay (std::int32_t, char* text) { clearText (text); }
void AudioEffect::getParameterName (std::int32_t, char* text) { clearText (text); }

std::int32_t AudioEffect::getChunk (void**, bool) { return 0; }
std::int32_t AudioEffect::setChunk (void*, std::int32_t, bool) { return 0; }

void AudioEffect::setUniqueID (std::int32_t id) { cEffect.uniqueID = id; }
void AudioEffect::setNumInputs (std::int32_t inputs) { cEffect.numInputs = inputs; }
void AudioEffect::setNumOutputs (std::int32_t outputs) { cEffect.numOutputs = outputs; }

void AudioEffect::canProcessReplacing (bool state) { setFlag (effFlagsCanReplacing, state); }
void AudioEffect::canDoubleReplacing (bool state) { setFlag (effFlagsCanDoubleReplacing, state); }
void AudioEffect::programsAreChunks (bool state) { setFlag (effFlagsProgramChunks, state); }

void AudioEffect::setInitialDelay (std::int32_t delay) { cEffect.initialDelay = delay; }
AEffEditor* AudioEffect::getEditor() { return editor; }
AEffect* AudioEffect::getAeffect() { return &cEffect; }
float AudioEffect::getSampleRate() { return sampleRate; }
std::int32_t AudioEffect::getBlockSize() { return blockSize; }

std::int32_t AudioEffect::getMasterVersion()
{
    // Hosts that do not answer are taken to speak the first version.
    const auto version = static_cast<std::int32_t> (callHost (audioMasterVersion));
    return version != 0 ? version : 1;
}

std::int32_t AudioEffect::getCurrentUniqueId() { return static_cast<std::int32_t> (callHost (audioMasterCurrentId)); }
void AudioEffect::masterIdle() { callHost (audioMasterIdle); }

void AudioEffect::dB2string (float value, char* text, std::int32_t maxLen)
{
    if (value <= 0.0f)
        copyText ("-oo", text, maxLen);
    else
        float2string (20.0f * std::log10 (value), text, maxLen);
}

void AudioEffect::Hz2string (float samples, char* text, std::int32_t maxLen)
{
    float2string (samples != 0.0f ? sampleRate / samples : 0.0f, text, maxLen);
}

void AudioEffect::ms2string (float samples, char* text, std::int32_t maxLen)
{
    float2string (static_cast<float> (static_cast<double> (samples) * 1000.0 / static_cast<double> (sampleRate)), text, maxLen);
}

void AudioEffect::float2string (float value, char* text, std::int32_t maxLen)
{
    const bool negative = value < 0.0f;
    const float magnitude = std::abs (value);

    // The integer part and its point must fit the width with the sign: one
    // more digit would be dropped from the front, so such values (and values
    // that are no number at all) are too big to show.
    const float limit = negative ? 1.0e6f : 1.0e7f;
    if (! (magnitude < limit))
    {
        copyText (kHugeText, text, maxLen);
        return;
    }

    char output[kTextWidth + 1] {};
    std::int32_t count = negative ? 1 : 0;

    char integerDigits[kTextWidth] {};
    std::int32_t integerLength = 0;
    auto integer = static_cast<std::int64_t> (std::floor (magnitude));
    integerDigits[integerLength++] = digitChar (integer % 10);
    count += 2;
    while (integer / 10 >= 1 && count < kTextWidth)
    {
        integer /= 10;
        integerDigits[integerLength++] = digitChar (integer % 10);
        ++count;
    }

    std::int32_t length = 0;
    if (negative)
        output[length++] = '-';
    while (integerLength > 0)
        output[length++] = integerDigits[--integerLength];
    output[length++] = '.';

    if (count < kTextWidth)
    {
        // Single precision, as the value arrives: its decimals then read as
        // the value was written (0.7 gives 0.700000), and are truncated.
        const std::int32_t fractionLength = kTextWidth - count;
        float scale = 1.0f;
        for (std::int32_t i = 0; i < fractionLength; ++i)
            scale *= 10.0f;

        auto fraction = static_cast<std::int64_t> (std::fmod (magnitude, 1.0f) * scale);
        for (std::int32_t i = fractionLength - 1; i >= 0; --i)
        {
            output[length + i] = digitChar (fraction % 10);
            fraction /= 10;
        }
        length += fractionLength;
    }

    output[length] = 0;
    copyText (output, text, maxLen);
}

void AudioEffect::int2string (std::int32_t value, char* text, std::int32_t maxLen)
{
    if (value >= 100000000)
    {
        copyText (kHugeText, text, maxLen);
        return;
    }

    char output[16] {};
    std::int32_t length = 0;
    if (value < 0)
        output[length++] = '-';

    // One divisor more than nine digits need, so that the most negative
    // values still print as decimal digits.
    auto magnitude = static_cast<std::int64_t> (value);
    if (magnitude < 0)
        magnitude = -magnitude;

    bool started = false;
    for (std::int64_t divisor = 1000000000; divisor >= 1; divisor /= 10)
    {
        const auto digit = magnitude / divisor;
        magnitude %= divisor;
        if (digit != 0)
            started = true;
        if (started)
            output[length++] = digitChar (digit);
    }

    if (! started)
        output[length++] = '0';

    output[length] = 0;
    copyText (output, text, maxLen);
}

void AudioEffect::process (float**, float**, std::int32_t) {}
float AudioEffect::getVu() { return 0.0f; }
void AudioEffect::hasVu (bool state) { setFlag (effFlagsHasVu, state); }
void AudioEffect::hasClip (bool state) { setFlag (effFlagsHasClip, state); }
void AudioEffect::canMono (bool state) { setFlag (effFlagsCanMono, state); }

void AudioEffect::setRealtimeQualities (std::int32_t qualities) { cEffect.realQualities = qualities; }
void AudioEffect::setOfflineQualities (std::int32_t qualities) { cEffect.offQualities = qualities; }

// The host answers 0 for a connected pin; without a host every pin counts as connected.
bool AudioEffect::isInputConnected (std::int32_t input) { return callHost (audioMasterPinConnected, input, 0) == 0; }
bool AudioEffect::isOutputConnected (std::int32_t output) { return callHost (audioMasterPinConnected, output, 1) == 0; }

intptr_t AudioEffect::callHost (std::int32_t opcode, std::int32_t index, intptr_t value, void* ptr, float opt)
{
    return audioMaster != nullptr ? audioMaster (&cEffect, opcode, index, value, ptr, opt) : 0;
}

void AudioEffect::setFlag (std::int32_t flag, bool state) noexcept
{
    if (state)
        cEffect.flags |= flag;
    else
        cEffect.flags &= ~flag;
}

intptr_t dispatchEffectClass (AEffect* effect, std::int32_t opcode, std::int32_t index, intptr_t value, void* ptr, float opt)
{
    auto* object = objectOf (effect);
    if (object == nullptr)
        return 0;

    if (opcode == effClose)
    {
        object->dispatcher (opcode, index, value, ptr, opt);
        delete object;
        return 1;
    }

    return object->dispatcher (opcode, index, value, ptr, opt);
}

float getParameterClass (AEffect* effect, std::int32_t index)
{
    auto* object = objectOf (effect);
    return object != nullptr ? object->getParameter (index) : 0.0f;
}

void setParameterClass (AEffect* effect, std::int32_t index, float value)
{
    if (auto* object = objectOf (effect))
        object->setParameter (index, value);
}

void processClass (AEffect* effect, float** inputs, float** outputs, std::int32_t sampleFrames)
{
    if (auto* object = objectOf (effect))
        object->process (inputs, outputs, sampleFrames);
}

void processClassReplacing (AEffect* effect, float** inputs, float** outputs, std::int32_t sampleFrames)
{
    if (auto* object = objectOf (effect))
        object->processReplacing (inputs, outputs, sampleFrames);
}

void processClassDoubleReplacing (AEffect* effect, double** inputs, double** outputs, std::int32_t sampleFrames)
{
    if (auto* object = objectOf (effect))
        object->processDoubleReplacing (inputs, outputs, sampleFrames);
}
