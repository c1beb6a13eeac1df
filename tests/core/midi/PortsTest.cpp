#include "core/midi/MidiCntrState.h"
#include "core/storage/PortSettingsFile.h"
#include "core/storage/SettingsFile.h"
#include "support/VirtualMidi.h"

#include <gtest/gtest.h>

namespace
{
juce::MemoryBlock bytes (const juce::String& text)
{
    // "|" stands for the next marker byte in order: 0F, 10, 11, 12.
    juce::MemoryBlock block;
    juce::uint8 marker = 0x0F;
    for (auto c : text)
    {
        const auto b = c == '|' ? marker++ : (juce::uint8) c;
        block.append (&b, 1);
    }
    return block;
}

void writePortFile (const juce::MemoryBlock& block)
{
    getPortSettingsFile().replaceWithData (block.getData(), block.getSize());
}

struct PortsFixture : testing::Test
{
    PortsFixture()
    {
        in1 = &layer->addInput ("Mopho In A", "in-1");
        in2 = &layer->addInput ("Mopho In B", "in-2");
        layer->addInput ("X1", "in-3");
        out1 = &layer->addOutput ("Mopho Out A", "out-1");
        out2 = &layer->addOutput ("Mopho Out B", "out-2");
    }

    ScopedMidiDeviceLayer layer;
    VirtualMidiInput* in1 = nullptr;
    VirtualMidiInput* in2 = nullptr;
    VirtualMidiOutput* out1 = nullptr;
    VirtualMidiOutput* out2 = nullptr;
};
} // namespace

TEST_F (PortsFixture, RememberedPortsOpenAtStartUp)
{
    writePortFile (bytes ("Mopho In B|Mopho Out A|NONE|1|"));

    MidiCntrState hub;

    EXPECT_TRUE (in2->isOpen());
    EXPECT_TRUE (in2->isStarted());
    EXPECT_FALSE (in1->isOpen());
    EXPECT_TRUE (out1->isOpen());
    EXPECT_TRUE (hub.getPorts().getSendQueue().isRunning());
    EXPECT_TRUE (hub.getPorts().inputOpen);
    EXPECT_TRUE (hub.getPorts().outputOpen);
    EXPECT_EQ (hub.getPorts().selectedInput, 1);
    EXPECT_EQ (hub.getPorts().sysExBufferSizeMode, 1);
}

TEST_F (PortsFixture, DefaultFileOpensNothingAndIsWrittenOnFirstStart)
{
    ASSERT_FALSE (getPortSettingsFile().exists());

    MidiCntrState hub;

    EXPECT_FALSE (hub.getPorts().inputOpen);
    EXPECT_FALSE (hub.getPorts().outputOpen);
    EXPECT_EQ (hub.getPorts().sysExBufferSizeMode, 0);
    juce::MemoryBlock written;
    getPortSettingsFile().loadFileAsData (written);
    EXPECT_EQ (written, bytes ("NONE|NONE|NONE|0|"));
}

TEST_F (PortsFixture, NamesOfTwoCharactersAreNeverFound)
{
    writePortFile (bytes ("X1|NONE|NONE|0|"));

    MidiCntrState hub;

    EXPECT_EQ (hub.findInputDevice ("X1"), 0);
    EXPECT_EQ (hub.findInputDevice ("Mopho In B"), 2);
    EXPECT_EQ (hub.findOutputDevice ("Nothing like it"), 0);
    EXPECT_FALSE (hub.getPorts().inputOpen);
}

TEST_F (PortsFixture, ChoosingAnotherInputClosesTheFirst)
{
    MidiCntrState hub;

    hub.selectInputDevice (1);
    ASSERT_TRUE (in1->isOpen());

    hub.selectInputDevice (2);

    EXPECT_FALSE (in1->isOpen());
    EXPECT_TRUE (in2->isOpen());
    EXPECT_EQ (hub.getPortSettings()[0], "Mopho In B");
    EXPECT_EQ (in1->getTimesOpened(), 1);

    hub.selectInputDevice (9); // beyond the list: nothing changes
    EXPECT_TRUE (in2->isOpen());
    EXPECT_EQ (hub.getPortSettings()[0], "Mopho In B");
}

TEST_F (PortsFixture, ChoosingNoOutputClosesIt)
{
    MidiCntrState hub;
    hub.selectOutputDevice (2);
    ASSERT_TRUE (out2->isOpen());

    hub.selectOutputDevice (0);

    EXPECT_FALSE (out2->isOpen());
    EXPECT_FALSE (hub.getPorts().outputOpen);
    EXPECT_EQ (hub.getPorts().getOpenOutput(), nullptr);
    EXPECT_EQ (hub.getPortSettings()[1], "NONE");
}

TEST_F (PortsFixture, SavedPortFileRoundTrips)
{
    {
        MidiCntrState hub;
        hub.selectInputDevice (1);
        hub.selectOutputDevice (2);
        hub.getPorts().sysExBufferSizeMode = 3;
        hub.loadOrSavePortSettings (MidiCntrState::kSavePorts);
    }

    juce::MemoryBlock written;
    getPortSettingsFile().loadFileAsData (written);
    EXPECT_EQ (written, bytes ("Mopho In A|Mopho Out B|NONE|3|"));

    MidiCntrState hub;
    EXPECT_TRUE (in1->isOpen());
    EXPECT_TRUE (out2->isOpen());
    EXPECT_EQ (hub.getPorts().sysExBufferSizeMode, 3);
}

TEST (PortSettingsFile, MissingOrShuffledMarkersKeepTheDefaults)
{
    struct Case
    {
        juce::MemoryBlock file;
        juce::StringArray expected;
    };

    const juce::uint8 shuffled[] = { 'a', 'b', 'c', 0x11, 'd', 'e', 'f', 0x10, 'g', 0x0F, '7', 0x12 };
    const juce::uint8 onlyMode[] = { 0x12, '5', 0x12 };
    const juce::uint8 modeFirst[] = { '9', 0x12, 'x', 0x11 };

    const Case cases[] = {
        { bytes ("In|Out|Third|2|"), { "In", "Out", "Third", "2" } },
        { bytes ("In|"), { "In", "NONE", "NONE", "0" } },
        { bytes ("In|Out|"), { "In", "NONE", "NONE", "0" } },
        { juce::MemoryBlock (shuffled, sizeof (shuffled)), { "abc\x11" "def\x10g", "NONE", "NONE", "0" } },
        { juce::MemoryBlock (onlyMode, sizeof (onlyMode)), { "NONE", "NONE", "NONE", "0" } },
        { juce::MemoryBlock (modeFirst, sizeof (modeFirst)), { "NONE", "NONE", "NONE", "0" } },
        { juce::MemoryBlock ("no markers at all", 17), { "NONE", "NONE", "NONE", "0" } },
    };

    for (const auto& c : cases)
    {
        auto settings = PortSettingsFile::defaults();
        PortSettingsFile::parse (c.file, settings);
        EXPECT_EQ (settings, c.expected) << c.file.toString();
    }
}

TEST_F (PortsFixture, GarbagePortFilesOpenNothingUnexpected)
{
    juce::Random random (11);

    for (int trial = 0; trial < 60; ++trial)
    {
        juce::MemoryBlock garbage ((size_t) random.nextInt (64));
        random.fillBitsRandomly (garbage.getData(), garbage.getSize());
        auto* b = static_cast<juce::uint8*> (garbage.getData());
        for (size_t i = 0; i < garbage.getSize(); ++i)
            if (random.nextInt (4) == 0)
                b[i] = (juce::uint8) (0x0F + random.nextInt (4)); // plenty of markers
        writePortFile (garbage);

        MidiCntrState hub;

        EXPECT_EQ (hub.getPortSettings().size(), 4);
        EXPECT_GE (hub.getPorts().sysExBufferSizeMode, std::numeric_limits<int>::min());
    }
}

TEST_F (PortsFixture, TinyPortFileIsRewrittenFromTheSettings)
{
    writePortFile (juce::MemoryBlock ("ab", 2));

    MidiCntrState hub;

    juce::MemoryBlock written;
    getPortSettingsFile().loadFileAsData (written);
    EXPECT_EQ (written, bytes ("NONE|NONE|NONE|0|"));
}

TEST_F (PortsFixture, SwitchesComeFromTheSettingsButHostThruIsAlwaysOn)
{
    juce::StringArray list;
    for (int i = 0; i < 50; ++i)
        list.add ("0");
    list.set (kSlotHostToSynthThru, "0");
    list.set (kSlotClock, "1");
    list.set (kSlotSynthToHostThru, "1");
    getGlobalSettingsFile().replaceWithText (buildSettingsText (list));

    MidiCntrState hub;

    EXPECT_TRUE (hub.isHostToSynthThruOn());
    EXPECT_TRUE (hub.isClockOn());
    EXPECT_TRUE (hub.isSynthToHostThruOn());
}
