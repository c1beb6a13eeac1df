#include "core/storage/SettingsFile.h"
#include "support/SimulatedMopho.h"
#include "support/SynthRig.h"
#include "support/VirtualMidi.h"
#include "vst2/JuceVSTWrapper.h"

#include <gtest/gtest.h>

#include <cstring>

extern "C" AEffect* VSTPluginMain (audioMasterCallback audioMaster);

namespace
{
// A VST2 host as small as it gets: it answers the version, hands out a time
// record when asked and keeps what the plug-in sends it.
struct TestHost
{
    static intptr_t callback (AEffect*, std::int32_t opcode, std::int32_t index, intptr_t value, void* ptr, float opt)
    {
        auto& host = *current;
        host.calls.push_back ({ opcode, index, value, opt });

        switch (opcode)
        {
            case audioMasterVersion: return host.version;
            case audioMasterGetTime: return host.timeInfoValid ? (intptr_t) &host.timeInfo : 0;
            case audioMasterCanDo:
                return host.sendsTimeInfo && ptr != nullptr && std::strcmp (static_cast<const char*> (ptr), "sendVstTimeInfo") == 0;
            case audioMasterProcessEvents:
            {
                const auto* events = static_cast<const VstEvents*> (ptr);
                for (int i = 0; i < events->numEvents; ++i)
                {
                    const auto* e = reinterpret_cast<const VstMidiEvent*> (events->events[i]);
                    if (e->type == kVstMidiType)
                        host.received.push_back ({ (juce::uint8) e->midiData[0], (juce::uint8) e->midiData[1], (juce::uint8) e->midiData[2] });
                }
                return 1;
            }
            default: return 0;
        }
    }

    struct Call
    {
        std::int32_t opcode, index;
        intptr_t value;
        float opt;
    };

    int count (std::int32_t opcode) const
    {
        return (int) std::count_if (calls.begin(), calls.end(), [opcode] (const Call& c) { return c.opcode == opcode; });
    }

    static TestHost* current;
    intptr_t version = 2400;
    bool sendsTimeInfo = false;
    bool timeInfoValid = false;
    VstTimeInfo timeInfo {};
    std::vector<Call> calls;
    std::vector<std::vector<juce::uint8>> received;
};

TestHost* TestHost::current = nullptr;

struct Vst2Plugin : testing::Test
{
    Vst2Plugin()
    {
        TestHost::current = &host;
        effect = VSTPluginMain (&TestHost::callback);
    }

    ~Vst2Plugin() override
    {
        if (effect != nullptr)
            dispatch (effClose);
        TestHost::current = nullptr;
    }

    intptr_t dispatch (std::int32_t opcode, std::int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f)
    {
        return effect->dispatcher (effect, opcode, index, value, ptr, opt);
    }

    VellixAudioProcessor& processor() { return static_cast<JuceVSTWrapper*> (effect->object)->getProcessor(); }

    void process (std::vector<float>& left, std::vector<float>& right)
    {
        float* outs[] = { left.data(), right.data() };
        effect->processReplacing (effect, outs, outs, (std::int32_t) left.size());
    }

    TestHost host;
    AEffect* effect = nullptr;
};
} // namespace

TEST_F (Vst2Plugin, TheRecordIdentifiesAnInstrumentWith184Parameters)
{
    ASSERT_NE (effect, nullptr);
    EXPECT_EQ (effect->magic, kEffectMagic);
    EXPECT_EQ (effect->numPrograms, 128);
    EXPECT_EQ (effect->numParams, 184);
    EXPECT_EQ (effect->numInputs, 2);
    EXPECT_EQ (effect->numOutputs, 2);
    EXPECT_EQ (effect->flags, 0x331);
    EXPECT_EQ (effect->uniqueID, vstFourCC ('J', 'x', 'm', 'b'));
    EXPECT_EQ (effect->version, 300);
    EXPECT_EQ (effect->initialDelay, 0);
    EXPECT_FLOAT_EQ (effect->ioRatio, 1.0f);
    EXPECT_NE (effect->object, nullptr);
    EXPECT_NE (effect->processReplacing, nullptr);
    EXPECT_EQ (host.count (audioMasterVersion), 1);
    EXPECT_TRUE (processor().isVst2());
}

TEST (Vst2Entry, AHostThatAnswersNoVersionGetsNothing)
{
    TestHost host;
    host.version = 0;
    TestHost::current = &host;
    EXPECT_EQ (VSTPluginMain (&TestHost::callback), nullptr);
    EXPECT_EQ (VSTPluginMain (nullptr), nullptr);
    TestHost::current = nullptr;
}

TEST_F (Vst2Plugin, OpcodesAnswerAsAnInstrumentShould)
{
    struct Case
    {
        std::int32_t opcode;
        intptr_t expected;
    };
    const Case cases[] = {
        { effIdentify, kEffectIdentity }, { effGetVstVersion, 2400 }, { effGetPlugCategory, 2 }, { effGetVendorVersion, 300 },
        { effGetTailSize, 0 }, { effCanBeAutomated, 1 }, { effString2Parameter, 0 }, { effGetCurrentMidiProgram, -1 },
        { effGetNumMidiInputChannels, 0 }, { 200, 0 }, { 9, 0 },
    };

    for (const auto& c : cases)
        EXPECT_EQ (dispatch (c.opcode), c.expected) << c.opcode;

    const std::pair<const char*, intptr_t> canDo[] = { { "receiveVstEvents", 1 }, { "sendVstMidiEvent", 1 }, { "bypass", 1 },
                                                       { "openCloseAnyThread", -1 }, { "", 0 }, { "ReceiveVstEvents", 0 } };
    for (auto [text, expected] : canDo)
        EXPECT_EQ (dispatch (effCanDo, 0, 0, const_cast<char*> (text)), expected) << text;

    char name[64] = {};
    EXPECT_EQ (dispatch (effGetEffectName, 0, 0, name), 1);
    EXPECT_STREQ (name, "Brindlemark");
    EXPECT_EQ (dispatch (effGetVendorString, 0, 0, name), 1);
    EXPECT_STREQ (name, "Kestrow");

    void* in = (void*) 1;
    void* out = (void*) 1;
    EXPECT_EQ (dispatch (effGetSpeakerArrangement, 0, (intptr_t) &in, &out), 0);
    EXPECT_EQ (in, nullptr);
    EXPECT_EQ (out, nullptr);

    VstPinProperties pin;
    std::memset (&pin, 0x5A, sizeof (pin));
    EXPECT_EQ (dispatch (effGetInputProperties, 2, 0, &pin), 0);
    EXPECT_EQ (pin.flags, 0x5A5A5A5A) << "untouched";
    EXPECT_EQ (dispatch (effGetOutputProperties, 1, 0, &pin), 1);
    EXPECT_STREQ (pin.label, "2");
    EXPECT_EQ (pin.flags, kVstPinIsActive | kVstPinIsStereo);
}

TEST_F (Vst2Plugin, ProgramsAndTheirNames)
{
    dispatch (effSetProgram, 0, 9);
    EXPECT_EQ (dispatch (effGetProgram), 9);
    dispatch (effSetProgram, 0, 128);
    EXPECT_EQ (dispatch (effGetProgram), 9) << "128 is no program";
    dispatch (effSetProgram, 0, -4);
    EXPECT_EQ (dispatch (effGetProgram), 0);

    char name[] = "A new name for this";
    dispatch (effSetProgramName, 0, 0, name);
    char read[24] = {};
    dispatch (effGetProgramName, 0, 0, read);
    EXPECT_STREQ (read, "A new name for t");

    EXPECT_EQ (dispatch (effGetProgramNameIndexed, 5, 0, read), 1);
    EXPECT_STREQ (read, "Untitled        ");
    EXPECT_EQ (dispatch (effGetProgramNameIndexed, 128, 0, read), 0);
    EXPECT_EQ (dispatch (effGetProgramNameIndexed, -1, 0, read), 0);
}

TEST_F (Vst2Plugin, ParametersAreTheProgramsBytesOnly)
{
    effect->setParameter (effect, 20, 100.0f / 164.0f);
    EXPECT_EQ (processor().getHub().getEditBufferByte (20), 100);
    EXPECT_FLOAT_EQ (effect->getParameter (effect, 20), 100.0f / 164.0f);

    effect->setParameter (effect, 183, 1.0f);
    EXPECT_EQ (processor().getHub().getEditBufferByte (183), 126);

    const auto before = processor().getHub().getEditBufferImage();
    effect->setParameter (effect, 184, 1.0f);
    effect->setParameter (effect, -1, 1.0f);
    EXPECT_EQ (processor().getHub().getEditBufferImage(), before);
    EXPECT_EQ (effect->getParameter (effect, 184), 0.0f);
    EXPECT_EQ (effect->getParameter (effect, -5), 0.0f);

    effect->setParameter (effect, 24, 7.0f); // values beyond 1 are taken as 1
    EXPECT_EQ (processor().getHub().getEditBufferByte (24), 1);
    effect->setParameter (effect, 4, 0.5f); // a maximum of 1: a half rounds to even
    EXPECT_EQ (processor().getHub().getEditBufferByte (4), 0);

    char text[24] = {};
    dispatch (effGetParamName, 0, 0, text);
    EXPECT_STREQ (text, "OSC1 Freq");
    dispatch (effGetParamName, -3, 0, text);
    EXPECT_STREQ (text, "");
    dispatch (effGetParamDisplay, 95, 0, text);
    EXPECT_STREQ (text, processor().getParameterText (95).toRawUTF8());
    EXPECT_EQ (host.count (audioMasterBeginEdit), 0) << "a host's own change opens no gesture";
}

TEST_F (Vst2Plugin, ChunksAreTheVst3BuildsFormats)
{
    processor().getHostBank().setProgramName (3, "Chunked");

    void* data = nullptr;
    const auto size = dispatch (effGetChunk, 0, 0, &data);
    ASSERT_EQ (size, HostChunk::kBankChunkSize);
    juce::MemoryBlock expected;
    processor().getStateInformation (expected);
    EXPECT_EQ (0, std::memcmp (data, expected.getData(), (size_t) size));
    juce::MemoryBlock copy (data, (size_t) size); // the next chunk handed out replaces this one

    void* program = nullptr;
    EXPECT_EQ (dispatch (effGetChunk, 1, 0, &program), HostChunk::kProgramChunkSize);

    processor().getHostBank().setProgramName (3, "Changed");
    EXPECT_EQ (dispatch (effSetChunk, 0, (intptr_t) copy.getSize(), copy.getData()), 0);
    EXPECT_EQ (processor().getProgramName (3), "Chunked         ");

    dispatch (effSetChunk, 0, 0, copy.getData());
    dispatch (effSetChunk, 0, 100, nullptr);
    EXPECT_EQ (processor().getProgramName (3), "Chunked         ");
}

TEST_F (Vst2Plugin, AudioPassesThroughUnchanged)
{
    dispatch (effSetSampleRate, 0, 0, nullptr, 48000.0f);
    dispatch (effSetBlockSize, 0, 256);
    dispatch (effMainsChanged, 0, 1);
    EXPECT_GE (host.count (audioMasterWantMidi), 1);

    juce::Random random (3);
    std::vector<float> left (256), right (256);
    for (auto* channel : { &left, &right })
        for (auto& sample : *channel)
            sample = random.nextFloat() * 2.0f - 1.0f;
    const auto originalLeft = left, originalRight = right;

    process (left, right);

    EXPECT_EQ (left, originalLeft);
    EXPECT_EQ (right, originalRight);
    dispatch (effMainsChanged, 0, 0);
}

TEST_F (Vst2Plugin, TimeInfoIsReadOnlyFromAHostThatSaidAtResumeThatItSendsIt)
{
    host.timeInfoValid = true;
    host.timeInfo.sampleRate = 44100.0;
    host.timeInfo.tempo = 120.0;
    host.timeInfo.flags = kVstTransportPlaying | kVstTempoValid;
    std::vector<float> left (256), right (256);

    for (const bool sends : { false, true, false })
    {
        SCOPED_TRACE (sends ? "sends time info" : "sends none");
        host.sendsTimeInfo = sends;
        const int askedBefore = host.count (audioMasterCanDo);
        dispatch (effMainsChanged, 0, 1);
        EXPECT_EQ (host.count (audioMasterCanDo), askedBefore + 1) << "asked once, at resume";

        const int readsBefore = host.count (audioMasterGetTime);
        process (left, right);
        process (left, right);
        EXPECT_EQ (host.count (audioMasterGetTime) > readsBefore, sends);
        EXPECT_EQ (host.count (audioMasterCanDo), askedBefore + 1) << "blocks never ask";
        dispatch (effMainsChanged, 0, 0);
    }
}

TEST (Vst2Close, CloseAnswersOneAndTheNextInstanceStartsClean)
{
    TestHost host;
    TestHost::current = &host;

    for (int i = 0; i < 3; ++i)
    {
        auto* effect = VSTPluginMain (&TestHost::callback);
        ASSERT_NE (effect, nullptr);
        EXPECT_EQ (effect->dispatcher (effect, effClose, 0, 0, nullptr, 0.0f), 1);
    }

    TestHost::current = nullptr;
}

//==============================================================================
namespace
{
// The instance's hub finds the simulated synthesizer's ports at start-up.
struct Vst2WithSynth : testing::Test
{
    Vst2WithSynth()
    {
        writeSimulatorPortFile (getPortSettingsFile());
        juce::String settings;
        for (int slot = 0; slot < 50; ++slot)
            settings << "^|" << (slot == kSlotSynthToHostThru ? "1" : "0") << "|^";
        getGlobalSettingsFile().replaceWithText (settings);

        TestHost::current = &host;
        effect = VSTPluginMain (&TestHost::callback);
        effect->dispatcher (effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
        effect->dispatcher (effect, effSetBlockSize, 0, 256, nullptr, 0.0f);
        effect->dispatcher (effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    }

    ~Vst2WithSynth() override
    {
        effect->dispatcher (effect, effClose, 0, 0, nullptr, 0.0f);
        TestHost::current = nullptr;
    }

    void processBlock()
    {
        std::vector<float> left (256), right (256);
        float* outs[] = { left.data(), right.data() };
        effect->processReplacing (effect, outs, outs, 256);
    }

    ScopedMidiDeviceLayer layer;
    VirtualMidiInput& fromSynth = layer->addInput ("Synth Out", "sim-out");
    VirtualMidiOutput& toSynth = layer->addOutput ("Synth In", "sim-in");
    SimulatedMopho synth { toSynth, fromSynth };
    TestHost host;
    AEffect* effect = nullptr;
};
} // namespace

TEST_F (Vst2WithSynth, HostMidiGoesToTheSynthesizerAndItsNotesComeBack)
{
    VstMidiEvent note {};
    note.type = kVstMidiType;
    note.byteSize = sizeof (VstMidiEvent);
    note.deltaFrames = 12;
    note.midiData[0] = (char) 0x90;
    note.midiData[1] = 60;
    note.midiData[2] = 100;
    struct
    {
        std::int32_t numEvents;
        intptr_t reserved;
        VstEvent* events[1];
    } list { 1, 0, { reinterpret_cast<VstEvent*> (&note) } };

    EXPECT_EQ (effect->dispatcher (effect, effProcessEvents, 0, 0, &list, 0.0f), 1);
    processBlock();
    ASSERT_TRUE (toSynth.waitForReceived (1));
    EXPECT_TRUE (toSynth.getReceived().front().isNoteOn());

    synth.panelSends (juce::MidiMessage::noteOn (1, 64, (juce::uint8) 90));
    synth.panelSends (juce::MidiMessage::controllerEvent (1, 7, 100));
    EXPECT_TRUE (waitUntil ([&] {
        processBlock();
        return host.received.size() >= 2;
    }));
    EXPECT_EQ (host.received[0], (std::vector<juce::uint8> { 0x90, 64, 90 }));
    EXPECT_EQ (host.received[1], (std::vector<juce::uint8> { 0xB0, 7, 100 })) << "with the thru switch on, controllers reach the host";
}

TEST_F (Vst2WithSynth, ProgramSelectionsReachTheHostAsMidi)
{
    static_cast<JuceVSTWrapper*> (effect->object)->getProcessor().getHub().selectProgram (1, 9, true, true);

    EXPECT_TRUE (waitUntil ([&] {
        processBlock();
        return host.received.size() >= 2;
    }));
    EXPECT_EQ (host.received[0], (std::vector<juce::uint8> { 0xB0, 32, 1 }));
    EXPECT_EQ (host.received[1], (std::vector<juce::uint8> { 0xC0, 9, 0 }));
}

TEST_F (Vst2Plugin, TheEditorOpensInsideTheHostsWindow)
{
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
        GTEST_SKIP() << "needs an X display";

    juce::Component hostWindow;
    hostWindow.setSize (1400, 900);
    hostWindow.addToDesktop (juce::ComponentPeer::windowIsTemporary);
    hostWindow.setVisible (true);

    ERect* rect = nullptr;
    EXPECT_NE (dispatch (effEditGetRect, 0, 0, &rect), 0);
    ASSERT_NE (rect, nullptr);
    EXPECT_EQ (rect->top, 0);
    EXPECT_EQ (rect->left, 0);
    EXPECT_EQ (rect->right, processor().getEditorWidth());
    EXPECT_EQ (rect->bottom, processor().getEditorHeight());

    EXPECT_EQ (dispatch (effEditOpen, 0, 0, hostWindow.getWindowHandle()), 1);
    auto* editor = static_cast<JuceVSTWrapper*> (effect->object)->getEditorComponent();
    ASSERT_NE (editor, nullptr);
    EXPECT_TRUE (editor->isOnDesktop());
    EXPECT_EQ (editor->getWidth(), rect->right);

    EXPECT_EQ (dispatch (effEditIdle), 0);
    dispatch (effEditClose);
    EXPECT_EQ (static_cast<JuceVSTWrapper*> (effect->object)->getEditorComponent(), nullptr);
}
