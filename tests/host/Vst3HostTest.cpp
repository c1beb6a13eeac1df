#include "host/LoadedModule.h"
#include "support/TestPlayHead.h"

#include "core/VellixAudioProcessor.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <pluginterfaces/base/ipluginbase.h>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <malloc.h>

// Loads the built VST3 bundle the way a DAW does: through the framework's VST3
// hosting for the instance, and through the raw factory for its identity.

using namespace LoadedModule;

namespace
{
std::string toString (const Steinberg::char8* text)
{
    return std::string (text);
}

std::string classIdHex (const Steinberg::TUID id)
{
    char hex[33] = {};
    for (int i = 0; i < 16; ++i)
        snprintf (hex + 2 * i, 3, "%02X", (unsigned) (unsigned char) id[i]);
    return hex;
}

size_t heapInUse()
{
    return mallinfo2().uordblks;
}

} // namespace

TEST (Vst3Host, FactoryReportsTheModulesIdentity)
{
    void* module = dlopen (moduleBinary().getFullPathName().toRawUTF8(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE (module, nullptr) << dlerror();

    using EntryFn = bool (*) (void*);
    using FactoryFn = Steinberg::IPluginFactory* (*) ();
    auto entry = reinterpret_cast<EntryFn> (dlsym (module, "ModuleEntry"));
    auto getFactory = reinterpret_cast<FactoryFn> (dlsym (module, "GetPluginFactory"));
    ASSERT_NE (entry, nullptr);
    ASSERT_NE (getFactory, nullptr);
    EXPECT_TRUE (entry (module));

    auto* factory = getFactory();
    ASSERT_NE (factory, nullptr);

    Steinberg::PFactoryInfo info;
    ASSERT_EQ (factory->getFactoryInfo (&info), Steinberg::kResultOk);
    EXPECT_EQ (toString (info.vendor), "Kestrow");
    EXPECT_EQ (toString (info.email), "");
    EXPECT_EQ (info.flags, 16);

    Steinberg::IPluginFactory2* factory2 = nullptr;
    ASSERT_EQ (factory->queryInterface (Steinberg::IPluginFactory2::iid, reinterpret_cast<void**> (&factory2)), Steinberg::kResultOk);
    ASSERT_EQ (factory2->countClasses(), 2);

    struct Expected
    {
        const char* category;
        const char* classId;
    };
    const Expected classes[] = { { "Audio Module Class", "ABCDEF019182FAEB517A72764A786D62" },
                                 { "Component Controller Class", "ABCDEF011234ABCD517A72764A786D62" } };

    for (int i = 0; i < 2; ++i)
    {
        Steinberg::PClassInfo2 classInfo;
        ASSERT_EQ (factory2->getClassInfo2 (i, &classInfo), Steinberg::kResultOk);
        EXPECT_EQ (toString (classInfo.category), classes[i].category);
        EXPECT_EQ (classIdHex (classInfo.cid), classes[i].classId);
        EXPECT_EQ (toString (classInfo.name), "Brindlemark");
        EXPECT_EQ (classInfo.cardinality, 0x7FFFFFFF);
        EXPECT_EQ (classInfo.classFlags, 2u);
        EXPECT_EQ (toString (classInfo.subCategories), "Instrument|Synth");
        EXPECT_EQ (toString (classInfo.vendor), "Kestrow");
        EXPECT_EQ (toString (classInfo.version), "3.0.0");
        EXPECT_EQ (toString (classInfo.sdkVersion), "VST 3.7.2");
    }

    factory2->release();
    factory->release();
    dlclose (module);
}

TEST (Vst3Host, InstanceLooksLikeAMidiInstrumentWith128Programs)
{
    auto description = describe();
    ASSERT_NE (description, nullptr);
    EXPECT_EQ (description->name, "Brindlemark");
    EXPECT_EQ (description->manufacturerName, "Kestrow");
    EXPECT_EQ (description->version, "3.0.0");
    EXPECT_TRUE (description->isInstrument);

    auto plugin = instantiate();
    ASSERT_NE (plugin, nullptr);

    EXPECT_TRUE (plugin->acceptsMidi());
    EXPECT_TRUE (plugin->producesMidi());
    EXPECT_EQ (plugin->getTailLengthSeconds(), 0.0);
    ASSERT_EQ (plugin->getNumPrograms(), 128);
    for (int i = 0; i < 128; ++i)
        EXPECT_EQ (plugin->getProgramName (i), "Untitled        ") << i;

    // Our 443 parameters come first, then the VST3 client's own bypass and
    // program parameters; its hidden MIDI-controller parameters are not automatable.
    juce::StringArray automatable;
    for (auto* p : plugin->getParameters())
        if (p->isAutomatable())
            automatable.add (p->getName (64));

    // A host lists every parameter by its title: none may be blank.
    for (int i = 0; i < automatable.size(); ++i)
        EXPECT_TRUE (automatable[i].isNotEmpty()) << "parameter " << i;

    ASSERT_EQ (automatable.size(), 443 + 2);
    EXPECT_EQ (automatable[443], "Bypass");
    EXPECT_EQ (automatable[444], "Program");
}

TEST (Vst3Host, AudioPassesThroughUnchanged)
{
    for (const int channels : { 1, 2 })
    {
        auto plugin = instantiate();
        ASSERT_NE (plugin, nullptr);

        const auto set = channels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (set);
        layout.outputBuses.add (set);
        ASSERT_TRUE (plugin->setBusesLayout (layout)) << channels;

        constexpr int blockSize = 256;
        plugin->prepareToPlay (48000.0, blockSize);

        juce::Random random (channels);
        juce::AudioBuffer<float> buffer (channels, blockSize), original (channels, blockSize);
        for (int block = 0; block < 4; ++block)
        {
            for (int ch = 0; ch < channels; ++ch)
                for (int i = 0; i < blockSize; ++i)
                    buffer.setSample (ch, i, random.nextFloat() * 2.0f - 1.0f);
            original.makeCopyOf (buffer);

            juce::MidiBuffer midi;
            plugin->processBlock (buffer, midi);

            for (int ch = 0; ch < channels; ++ch)
                for (int i = 0; i < blockSize; ++i)
                    ASSERT_EQ (buffer.getSample (ch, i), original.getSample (ch, i)) << channels << " channels";
        }

        plugin->releaseResources();
    }
}

TEST (Vst3Host, TwentyInstancesInARowLeakNothing)
{
    // Warm up: the module, its message thread, the framework's caches and the
    // allocator's per-thread caches settle within a few dozen instances.
    for (int i = 0; i < 40; ++i)
        ASSERT_NE (instantiate(), nullptr);

    const auto before = heapInUse();
    for (int i = 0; i < 20; ++i)
    {
        auto plugin = instantiate();
        ASSERT_NE (plugin, nullptr);
        plugin->prepareToPlay (44100.0, 512);
        plugin->releaseResources();
    }
    const auto after = heapInUse();

    // A single leaked processor would hold its four banks: over 128 KB.
    EXPECT_LT ((long) after - (long) before, 32 * 1024) << "before " << before << " after " << after;
}

TEST (Vst3Host, HostParameterChangesReachTheSynthesizer)
{
    ModuleWiredToSynth rig;
    auto plugin = instantiate (48000.0, 256);
    ASSERT_NE (plugin, nullptr);
    plugin->prepareToPlay (48000.0, 256);

    // Filter frequency (maximum 164) and tempo (maximum 250), as automation would.
    plugin->getParameters()[20]->setValue (100.0f / 164.0f);
    plugin->getParameters()[95]->setValue (1.0f);

    juce::AudioBuffer<float> audio (1, 256);
    juce::MidiBuffer midi;
    plugin->processBlock (audio, midi);

    EXPECT_TRUE (waitUntil ([&] {
        const auto image = rig.synth.getEditBuffer();
        return image[20] == 100 && image[95] == 250;
    }));
    EXPECT_EQ (plugin->getParameters()[20]->getCurrentValueAsText(), "100");

    plugin->releaseResources();
    plugin.reset();
}

TEST (Vst3Host, AKnobTurnedOnTheSynthesizerReachesTheHostInsideOneGesture)
{
    struct GestureWatcher : juce::AudioProcessorParameter::Listener
    {
        void parameterValueChanged (int, float value) override { lastValue = value; }
        void parameterGestureChanged (int, bool starting) override { (starting ? begins : ends)++; }

        std::atomic<float> lastValue { -1.0f };
        std::atomic<int> begins { 0 }, ends { 0 };
    };

    ModuleWiredToSynth rig;
    auto plugin = instantiate (48000.0, 256);
    ASSERT_NE (plugin, nullptr);
    GestureWatcher watcher;
    auto* filter = plugin->getParameters()[20];
    filter->addListener (&watcher);

    rig.synth.panelSendsNrpn (15, 77); // filter frequency, turned on the synthesizer

    EXPECT_TRUE (waitUntil ([&] { return watcher.begins == 1 && std::abs (watcher.lastValue - 77.0f / 164.0f) < 1e-6f; }));
    EXPECT_TRUE (waitUntil ([&] { return watcher.ends == 1; })) << "the gesture ends 200 ms after the change";
    EXPECT_EQ (watcher.begins, 1);

    filter->removeListener (&watcher);
    plugin.reset();
}

TEST (Vst3Host, NotesTravelBetweenTheHostAndTheSynthesizer)
{
    ModuleWiredToSynth rig;
    auto plugin = instantiate (44100.0, 256);
    ASSERT_NE (plugin, nullptr);
    plugin->prepareToPlay (44100.0, 256);
    juce::AudioBuffer<float> audio (1, 256);

    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 10);
    plugin->processBlock (audio, midi);
    EXPECT_TRUE (rig.toSynth.waitForReceived (1));
    EXPECT_TRUE (rig.toSynth.getReceived().front().isNoteOn());

    rig.synth.panelSends (juce::MidiMessage::noteOn (1, 67, (juce::uint8) 90));
    bool cameBack = false;
    EXPECT_TRUE (waitUntil ([&] {
        midi.clear();
        plugin->processBlock (audio, midi);
        for (const auto event : midi)
            cameBack = cameBack || (event.getMessage().isNoteOn() && event.getMessage().getNoteNumber() == 67);
        return cameBack;
    }));

    plugin->releaseResources();
    plugin.reset();
}

TEST (Vst3Host, ThePlayingTransportDrivesTheSynthesizersClock)
{
    ModuleWiredToSynth rig (true);
    auto plugin = instantiate (44100.0, 256);
    ASSERT_NE (plugin, nullptr);
    TestPlayHead head (120.0, 44100.0);
    plugin->setPlayHead (&head);
    plugin->prepareToPlay (44100.0, 256);
    juce::AudioBuffer<float> audio (1, 256);
    juce::MidiBuffer midi;

    // About one second of audio, paced as a host would.
    const auto start = juce::Time::getMillisecondCounterHiRes();
    for (int block = 0; block < 172; ++block)
    {
        midi.clear();
        plugin->processBlock (audio, midi);
        head.advance (256);
        const double due = start + (block + 1) * 256 * 1000.0 / 44100.0;
        while (juce::Time::getMillisecondCounterHiRes() < due)
            juce::Thread::sleep (1);
    }
    juce::Thread::sleep (50);

    std::vector<double> ticks;
    bool sawSongPosition = false, sawContinue = false;
    for (const auto& m : rig.synth.getReceived())
    {
        const auto status = m.getRawData()[0];
        sawSongPosition = sawSongPosition || status == 0xF2;
        sawContinue = sawContinue || status == 0xFB;
        if (status == 0xF8)
            ticks.push_back (m.getTimeStamp());
    }

    EXPECT_TRUE (sawSongPosition);
    EXPECT_TRUE (sawContinue);
    // 120 bpm: two quarter notes, 48 ticks, in a second (the first block's
    // position is read a block late, so allow one tick either way).
    EXPECT_NEAR ((double) ticks.size(), 48.0, 2.0);

    // Ticks keep the tempo's spacing across the second. The times are arrival
    // times, so a loaded machine that runs a block late moves a few by some
    // milliseconds; a tempo a few percent wrong drifts further by the end.
    const double spacingMs = 60000.0 / (120.0 * 24.0);
    const double loadMs = 20.0;
    for (size_t k = 0; k < ticks.size(); ++k)
        EXPECT_NEAR (ticks[k] - ticks[0], k * spacingMs, loadMs) << "tick " << k;

    plugin->releaseResources();
    plugin.reset();
}

namespace
{
// The framework's VST3 hosting wraps the module's own chunk (the component
// state) in XML; these reach the chunk inside.
juce::MemoryBlock chunkInside (const juce::MemoryBlock& hostState)
{
    juce::MemoryBlock chunk;
    if (auto xml = juce::AudioProcessor::getXmlFromBinary (hostState.getData(), (int) hostState.getSize()))
        if (auto* component = xml->getChildByName ("IComponent"))
            chunk.fromBase64Encoding (component->getAllSubText());
    return chunk;
}

juce::MemoryBlock withChunk (const juce::MemoryBlock& hostState, const juce::MemoryBlock& chunk)
{
    juce::MemoryBlock result;
    if (auto xml = juce::AudioProcessor::getXmlFromBinary (hostState.getData(), (int) hostState.getSize()))
    {
        if (auto* component = xml->getChildByName ("IComponent"))
        {
            component->deleteAllTextElements();
            component->addTextElement (chunk.toBase64Encoding());
        }
        juce::AudioProcessor::copyXmlToBinary (*xml, result);
    }
    return result;
}

juce::MemoryBlock hostStateOf (juce::AudioPluginInstance& plugin)
{
    juce::MemoryBlock state;
    plugin.getStateInformation (state);
    return state;
}

juce::MemoryBlock slotsOf (const juce::MemoryBlock& chunk)
{
    if (chunk.getSize() < (size_t) HostChunk::kBankCurrentOffset)
        return {};
    return juce::MemoryBlock (static_cast<const char*> (chunk.getData()) + HostChunk::kBankSlotsOffset, 128 * 256);
}
} // namespace

TEST (Vst3Host, AProjectsProgramsComeBackByteForByteInAnyInstance)
{
    // A bank of 128 distinct programs, as a project would hold it.
    juce::MemoryBlock project;
    {
        VellixAudioProcessor author;
        juce::Random random (77);
        for (int slot = 0; slot < 128; ++slot)
        {
            ProgramImage::Block image;
            for (auto& b : image)
                b = (juce::uint8) random.nextInt (128);
            author.getHostBank().setProgramBlock (slot, image);
        }
        author.setCurrentProgram (3);
        author.getStateInformation (project);
    }

    auto first = instantiate();
    ASSERT_NE (first, nullptr);
    const auto fresh = hostStateOf (*first);
    // Our chunk, then the framework's own few bytes (program and bypass).
    ASSERT_GE (chunkInside (fresh).getSize(), (size_t) HostChunk::kBankChunkSize);
    EXPECT_EQ (juce::String (static_cast<const char*> (chunkInside (fresh).getData()), 25), "MophoPluginBankVersion100");
    EXPECT_EQ (hostStateOf (*first), fresh) << "asked twice, the host gets the same state";

    first->setStateInformation (withChunk (fresh, project).getData(), (int) withChunk (fresh, project).getSize());
    first->setCurrentProgram (5); // the user moves on
    const auto saved = hostStateOf (*first);
    EXPECT_EQ (slotsOf (chunkInside (saved)), slotsOf (project));
    EXPECT_EQ (hostStateOf (*first), saved);

    auto second = instantiate();
    ASSERT_NE (second, nullptr);
    second->setStateInformation (saved.getData(), (int) saved.getSize());
    EXPECT_EQ (slotsOf (chunkInside (hostStateOf (*second))), slotsOf (project));
    EXPECT_EQ (second->getProgramName (5), first->getProgramName (5));
}

TEST (Vst3Host, TruncatedAndRandomStatesLeaveTheInstanceAsItWas)
{
    auto plugin = instantiate();
    ASSERT_NE (plugin, nullptr);
    plugin->setCurrentProgram (1);
    const auto before = hostStateOf (*plugin);
    const auto chunk = chunkInside (before);

    juce::Random random (9);
    for (const int size : { 0, 10, 25, 32792 })
    {
        juce::MemoryBlock shortChunk (chunk.getData(), (size_t) juce::jmin ((int) chunk.getSize(), size));
        const auto state = withChunk (before, shortChunk);
        plugin->setStateInformation (state.getData(), (int) state.getSize());
        EXPECT_EQ (slotsOf (chunkInside (hostStateOf (*plugin))), slotsOf (chunk)) << size;
    }

    juce::MemoryBlock garbage (3000);
    random.fillBitsRandomly (garbage.getData(), garbage.getSize());
    plugin->setStateInformation (garbage.getData(), (int) garbage.getSize());
    EXPECT_EQ (slotsOf (chunkInside (hostStateOf (*plugin))), slotsOf (chunk));
}

namespace
{
// A project's bank: 128 distinct programs, each byte within its parameter's
// range, written by a processor of our own.
juce::MemoryBlock distinctProgramsChunk (VellixAudioProcessor& author)
{
    const auto& tables = author.getHub().getParameterTables();
    juce::Random random (31);
    for (int slot = 0; slot < 128; ++slot)
    {
        ProgramImage::Block image;
        for (int position = 0; position < 256; ++position)
            image[(size_t) position] = (juce::uint8) random.nextInt (tables.getMax (position) + 1);
        author.getHostBank().setProgramBlock (slot, image);
    }
    author.setCurrentProgram (0);

    juce::MemoryBlock chunk;
    author.getStateInformation (chunk);
    return chunk;
}

void restoreChunk (juce::AudioPluginInstance& plugin, const juce::MemoryBlock& chunk)
{
    const auto state = withChunk (hostStateOf (plugin), chunk);
    plugin.setStateInformation (state.getData(), (int) state.getSize());
}

bool hostReadsTheProgramOf (juce::AudioPluginInstance& plugin, VellixAudioProcessor& expected)
{
    for (int index = 0; index < 184; ++index)
        if (std::abs (plugin.getParameters()[index]->getValue() - expected.getParameter (index)) > 1e-6f)
            return false;
    return true;
}
} // namespace

TEST (Vst3Host, AProjectBringsBackTheSoundBeingEditedAndItsProgram)
{
    auto author = instantiate (48000.0, 256);
    ASSERT_NE (author, nullptr);
    author->prepareToPlay (48000.0, 256);
    author->setCurrentProgram (9);
    author->getParameters()[0]->setValue (0.6f);            // OSC1 Freq
    author->getParameters()[20]->setValue (100.0f / 164.0f); // the filter
    juce::AudioBuffer<float> audio (1, 256);
    juce::MidiBuffer midi;
    author->processBlock (audio, midi);
    const auto project = hostStateOf (*author);

    auto reopened = instantiate (48000.0, 256);
    ASSERT_NE (reopened, nullptr);
    reopened->setStateInformation (project.getData(), (int) project.getSize());

    EXPECT_NEAR (reopened->getParameters()[0]->getValue(), 72.0f / 120.0f, 1e-6f);
    EXPECT_NEAR (reopened->getParameters()[20]->getValue(), 100.0f / 164.0f, 1e-6f);
    EXPECT_EQ (reopened->getCurrentProgram(), 9);

    const auto saved = chunkInside (hostStateOf (*reopened));
    EXPECT_EQ (saved, chunkInside (project)) << "saved again, the same bytes";
    EXPECT_EQ (slotsOf (saved), slotsOf (chunkInside (project))) << "slot 9 as stored, every other slot untouched";

    author->releaseResources();
}

TEST (Vst3Host, EveryParameterComesBackWhenTheStateIsRestored)
{
    // What a plug-in checker does while the transport runs: read the state,
    // set random values on every parameter, restore the state. The values set
    // would reach the processor with the next block; the host's program
    // parameter selects a program at once. (Controller values are live
    // performance data, not part of the state.)
    VellixAudioProcessor author;
    const auto chunk = distinctProgramsChunk (author);
    auto plugin = instantiate (44100.0, 256);
    ASSERT_NE (plugin, nullptr);
    restoreChunk (*plugin, chunk);

    TestPlayHead transport;
    plugin->setPlayHead (&transport);
    plugin->prepareToPlay (44100.0, 256);
    juce::AudioBuffer<float> audio (1, 256);
    juce::MidiBuffer midi;
    plugin->processBlock (audio, midi);

    const auto state = hostStateOf (*plugin);
    std::vector<float> before;
    for (auto* p : plugin->getParameters())
        before.push_back (p->getValue());

    // The framework's hidden MIDI-controller parameters are not automatable
    // and not part of any state: a checker leaves them alone.
    juce::Random random (4);
    for (auto* p : plugin->getParameters())
        if (p->isAutomatable())
            p->setValue (random.nextFloat());

    plugin->setStateInformation (state.getData(), (int) state.getSize());
    for (int i = 0; i < plugin->getParameters().size(); ++i)
        EXPECT_NEAR (plugin->getParameters()[i]->getValue(), before[(size_t) i], 0.001f)
            << plugin->getParameters()[i]->getName (64);

    plugin->releaseResources();
    plugin->setPlayHead (nullptr);
}

TEST (Vst3Host, TheHostReadsTheNewProgramAfterASelectionAndADump)
{
    ModuleWiredToSynth rig;
    VellixAudioProcessor expected;
    const auto chunk = distinctProgramsChunk (expected);
    auto plugin = instantiate (48000.0, 256);
    ASSERT_NE (plugin, nullptr);
    restoreChunk (*plugin, chunk);

    plugin->setCurrentProgram (5);
    expected.setCurrentProgram (5);
    EXPECT_TRUE (waitUntil ([&] { return hostReadsTheProgramOf (*plugin, expected); }, 1000));

    // A sound sent from the synthesizer's panel.
    ProgramImage::Block image = expected.getHostBank().getProgramBlock (77);
    rig.synth.setEditBuffer (image);
    rig.synth.panelSendsEditBufferDump();
    expected.getHostBank().setEditBufferBlock (image);
    EXPECT_TRUE (waitUntil ([&] { return hostReadsTheProgramOf (*plugin, expected); }, 2000));
}

TEST (Vst3Host, AHostsResetGivesTheInitProgramsValues)
{
    auto plugin = instantiate();
    ASSERT_NE (plugin, nullptr);
    VellixAudioProcessor fresh; // its edit buffer holds the init program

    for (const int index : { 0, 1, 13, 20, 25, 95, 104, 183 })
        EXPECT_NEAR (plugin->getParameters()[index]->getDefaultValue(), fresh.getParameter (index), 1e-6f) << index;

    EXPECT_NEAR (plugin->getParameters()[192]->getDefaultValue(), 100.0f / 127.0f, 1e-6f) << "VOLUME starts at 100";
    EXPECT_EQ (plugin->getParameters()[186]->getDefaultValue(), 0.0f);
    EXPECT_EQ (plugin->getParameters()[441]->getDefaultValue(), 0.0f);
}
