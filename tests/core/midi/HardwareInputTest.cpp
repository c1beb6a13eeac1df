#include "core/midi/MidiCntrState.h"
#include "support/HubRig.h"
#include "support/ProgramDumps.h"

#include <gtest/gtest.h>

namespace
{
juce::MidiMessage ccMessage (int controller, int value) { return juce::MidiMessage::controllerEvent (1, controller, value); }

juce::MidiMessage raw (std::vector<int> bytes)
{
    std::vector<juce::uint8> b (bytes.begin(), bytes.end());
    return juce::MidiMessage (b.data(), (int) b.size());
}

std::vector<juce::uint8> programDump (int bank, int program, juce::uint8 fill)
{
    return buildProgramDump (bank, program, imageFilledWith (fill));
}

struct HardwareInput : testing::Test, HubRig
{
    using HubRig::receive;
    void receive (const std::vector<juce::uint8>& bytes, size_t from = 0, size_t to = std::string::npos)
    {
        to = juce::jmin (to, bytes.size());
        receive (juce::MidiMessage (bytes.data() + from, (int) (to - from)));
    }
    void nrpn (int number, int value)
    {
        for (auto m : { ccMessage (99, number >> 7), ccMessage (98, number & 127), ccMessage (6, value >> 7), ccMessage (38, value & 127) })
            receive (m);
    }

    std::vector<int> eventTypes()
    {
        std::vector<int> types;
        for (auto code : hub.takeEvents())
            types.push_back (UiEventCode::type (code));
        return types;
    }
};
} // namespace

TEST_F (HardwareInput, NrpnReachesTheHostThroughTheControllerQueue)
{
    const int position = hub.nrpnToParam (40);
    nrpn (40, 17);
    receive (ccMessage (38, 18)); // the number and MSB stand: a second parameter change

    EXPECT_EQ (hub.takeControllerChanges(), juce::Array<int> ({ ControllerChangeCode::make (position, 17), ControllerChangeCode::make (position, 18) }));
}

TEST_F (HardwareInput, GlobalNrpnSetsItsGlobalValue)
{
    nrpn (384, 5);
    nrpn (388, 1);

    EXPECT_EQ (hub.getGlobalValue (0), 5);
    EXPECT_EQ (hub.getGlobalValue (3), 1);
    EXPECT_EQ (hub.takeEvents(), juce::Array<juce::int64> ({ UiEventCode::make (kUiGlobalReceived, 0, 0, 0),
                                                             UiEventCode::make (kUiGlobalReceived, 0, 0, 3) }));
    EXPECT_TRUE (hub.takeControllerChanges().isEmpty());
}

TEST_F (HardwareInput, AValueWithoutANumberChangesNothing)
{
    nrpn (40, 17);
    hub.takeControllerChanges();
    hub.resetNrpnInput();

    receive (ccMessage (38, 5));

    EXPECT_TRUE (hub.takeControllerChanges().isEmpty());
    EXPECT_TRUE (hub.takeEvents().isEmpty());
}

TEST_F (HardwareInput, ChannelMessagesBecomeHostValuesAndEvents)
{
    receive (juce::MidiMessage::pitchWheel (1, 8192));
    receive (ccMessage (1, 90));
    receive (juce::MidiMessage::channelPressureChange (1, 30));
    receive (juce::MidiMessage::aftertouchChange (1, 60, 40));
    receive (ccMessage (7, 100)); // neither queued nor posted

    EXPECT_EQ (hub.takeControllerChanges(), juce::Array<int> ({ ControllerChangeCode::make (441, 8192), ControllerChangeCode::make (186, 90),
                                                                ControllerChangeCode::make (442, 30), ControllerChangeCode::make (373, 40) }));
    EXPECT_EQ (hub.takeEvents(), juce::Array<juce::int64> ({ UiEventCode::make (kUiPitchBend, 1, 0, 64),
                                                             UiEventCode::make (kUiController, 1, 1, 90) }));
}

TEST_F (HardwareInput, NotesReachTheHostPlacedByTheirArrival)
{
    receive (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100));
    juce::Thread::sleep (10);
    receive (juce::MidiMessage::noteOff (1, 60));
    EXPECT_EQ (eventTypes(), (std::vector<int> { kUiNoteOn, kUiNoteOff }));

    juce::MidiBuffer block;
    hub.processHostMidi (block, 512, 44100);
    ASSERT_EQ (block.getNumEvents(), 2);
    EXPECT_EQ (block.getFirstEventTime(), 0);
    EXPECT_GT (block.getLastEventTime(), 400) << "10 ms apart spread over the block";

    hub.processHostMidi (block, 512, 44100);
    EXPECT_TRUE (block.isEmpty()) << "each note reaches the host once";
}

TEST_F (HardwareInput, PlacementFollowsTheStampsAndKeepsHalfASecond)
{
    struct Case
    {
        std::vector<juce::uint32> stamps;
        std::vector<int> positions;
    };
    const Case cases[] = {
        { { 1000, 1001, 1100 }, { 0, 4, 437 } },
        { { 5000 }, { 0 } },
        { { 1000, 1501 }, { 0 } },                    // the first is 501 ms older than the newest
        { { 0xFFFFFFF0u, 0x00000005u }, { 0, 421 } }, // 21 ms apart, across the counter's wrap
    };

    for (const auto& c : cases)
    {
        for (auto stamp : c.stamps)
            hub.addToDeviceInputBuffer (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), stamp);

        juce::MidiBuffer block;
        hub.processHostMidi (block, 441, 44100);

        std::vector<int> positions;
        for (const auto event : block)
            positions.push_back (event.samplePosition);
        EXPECT_EQ (positions, c.positions);
    }
}

TEST_F (HardwareInput, ProgramChangeLoadsFromTheCurrentBankOnly)
{
    receive (ccMessage (32, 1));
    receive (juce::MidiMessage::programChange (1, 9));

    EXPECT_EQ (hostBank.getEditBufferBlock(), hub.getBank (1)->getProgramBlock (9));
    EXPECT_EQ (hub.getCurrentHardwareProgram(), 9);
    EXPECT_EQ (hub.takeControllerChanges(), juce::Array<int> ({ ControllerChangeCode::make (217, 1), ControllerChangeCode::make (184, 9) }));

    // A bank the synthesizer's three do not include: the program change that
    // follows names no program of ours.
    const auto before = hostBank.getEditBufferBlock();
    receive (ccMessage (32, 5));
    receive (juce::MidiMessage::programChange (1, 3));

    EXPECT_EQ (hostBank.getEditBufferBlock(), before);
    EXPECT_TRUE (hub.takeControllerChanges().isEmpty());
}

TEST_F (HardwareInput, AProgramDumpGoesToItsSlotAndTheEditBuffer)
{
    receive (programDump (1, 5, 0x21));

    ProgramImage::Block expected;
    expected.fill (0x21);
    EXPECT_EQ (hub.getBank (1)->getProgramBlock (5), expected);
    EXPECT_EQ (hostBank.getEditBufferBlock(), expected);
    EXPECT_EQ (hub.getCurrentHardwareBank(), 1);
    EXPECT_EQ (hub.getCurrentHardwareProgram(), 5);
    EXPECT_EQ (eventTypes(), (std::vector<int> { kUiBankContentsChanged, kUiEditBufferReplaced }));
}

TEST_F (HardwareInput, MessagesThatAreNoDumpOfOursChangeNothing)
{
    const auto before = hostBank.getEditBufferBlock();
    auto dumpForBank7 = programDump (7, 5, 0x33);
    auto shortDump = programDump (0, 0, 0x33);
    shortDump.erase (shortDump.begin() + 10);

    receive (dumpForBank7);
    receive (shortDump);
    receive (raw ({ 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x01, 0x25, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7 })); // identity reply
    receive (raw ({ 0xF0, 0x01, 0xF7 }));

    EXPECT_EQ (hostBank.getEditBufferBlock(), before);
    EXPECT_TRUE (hub.takeEvents().isEmpty());
    for (int bank = 0; bank < 3; ++bank)
    {
        Bank_Program factory ("Factory");
        factory.loadFactoryBank (bank);
        EXPECT_EQ (hub.getBank (bank)->getProgramBlock (5), factory.getProgramBlock (5));
    }
}

TEST_F (HardwareInput, DumpsAreReassembledFromPiecesAroundRealTimeBytes)
{
    const auto dump = programDump (2, 9, 0x44);

    receive (dump, 0, 256);
    receive (raw ({ 0xF8 }));
    receive (raw ({ 0xFE }));
    EXPECT_TRUE (hub.takeEvents().isEmpty()) << "not complete yet";
    receive (dump, 256);

    ProgramImage::Block expected;
    expected.fill (0x44);
    EXPECT_EQ (hub.getBank (2)->getProgramBlock (9), expected);
}

TEST_F (HardwareInput, AChannelMessageBetweenPiecesEndsTheDumpButNotTheNext)
{
    const auto broken = programDump (0, 1, 0x55);
    const auto next = programDump (0, 2, 0x66);
    const auto before = hub.getBank (0)->getProgramBlock (1);

    receive (broken, 0, 100);
    receive (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100));
    receive (broken, 100);
    receive (next);

    EXPECT_EQ (hub.getBank (0)->getProgramBlock (1), before);
    ProgramImage::Block expected;
    expected.fill (0x66);
    EXPECT_EQ (hub.getBank (0)->getProgramBlock (2), expected);
}

TEST_F (HardwareInput, AnEndlessSysExIsDroppedAndTheNextDumpStillArrives)
{
    receive (raw ({ 0xF0, 0x01, 0x25 }));
    const std::vector<juce::uint8> filler (1000, 0x11);
    for (int i = 0; i < 10; ++i)
        receive (filler);

    receive (programDump (1, 1, 0x12));

    ProgramImage::Block expected;
    expected.fill (0x12);
    EXPECT_EQ (hub.getBank (1)->getProgramBlock (1), expected);
}

TEST_F (HardwareInput, GlobalDumpReadsPairsOfNibbles)
{
    receive (raw ({ 0xF0, 0x01, 0x25, 0x0F, 0x05, 0x01, 0x03, 0x00, 0xF7 }));

    EXPECT_EQ (hub.getGlobalValue (0), 21);
    EXPECT_EQ (hub.getGlobalValue (1), 3);
    EXPECT_TRUE (hub.isSynthesizerFound());
    EXPECT_EQ (eventTypes(), (std::vector<int> { kUiSynthOnLine }));

    // An odd number of data bytes: the closing F7 is no nibble.
    hub.setGlobalValue (1, 99);
    receive (raw ({ 0xF0, 0x01, 0x25, 0x0F, 0x05, 0x01, 0x03, 0xF7 }));
    EXPECT_EQ (hub.getGlobalValue (1), 99);
}
