#include "core/VellixAudioProcessor.h"
#include "support/ProgramDumps.h"

#include <gtest/gtest.h>

namespace
{
const juce::uint8* bytesOf (const juce::MemoryBlock& block) { return static_cast<const juce::uint8*> (block.getData()); }

std::vector<juce::uint8> stateOf (VellixAudioProcessor& processor)
{
    juce::MemoryBlock chunk;
    processor.getStateInformation (chunk);
    return { bytesOf (chunk), bytesOf (chunk) + chunk.getSize() };
}
} // namespace

TEST (StateChunks, AFreshProcessorGivesTheInitBank)
{
    VellixAudioProcessor processor;
    auto& bank = processor.getHostBank();
    const auto init = bank.getProgramBlock (0);

    juce::MemoryBlock chunk;
    processor.getStateInformation (chunk);

    ASSERT_EQ (chunk.getSize(), (size_t) HostChunk::kBankChunkSize);
    EXPECT_EQ (juce::String (static_cast<const char*> (chunk.getData()), 25), "MophoPluginBankVersion100");
    for (int slot = 0; slot < 128; ++slot)
        ASSERT_EQ (0, memcmp (bytesOf (chunk) + 25 + slot * 256, init.data(), 256)) << slot;
    EXPECT_EQ (0, memcmp (bytesOf (chunk) + HostChunk::kBankCurrentOffset, bank.getEditBufferBlock().data(), 256));
    EXPECT_EQ (bytesOf (chunk)[HostChunk::kBankIndexOffset], 0);
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    EXPECT_EQ (bank.getProgramBlock (0), bank.getEditBufferBlock());

    EXPECT_EQ (stateOf (processor), stateOf (processor)) << "asked twice without a change, a host gets the same state";
}

TEST (StateChunks, BothChunksCarryTheEditAndTheBankChunkLeavesTheBankAlone)
{
    VellixAudioProcessor processor;
    auto& bank = processor.getHostBank();
    processor.setCurrentProgram (7);
    const auto stored = bank.getProgramBlock (7);
    processor.changeProgramParameter (20, 99, true, false); // the filter is edited

    juce::MemoryBlock bankChunk, programChunk;
    processor.getStateInformation (bankChunk);
    EXPECT_EQ (bytesOf (bankChunk)[HostChunk::kBankCurrentOffset + 20], 99);
    EXPECT_EQ (bytesOf (bankChunk)[HostChunk::kBankIndexOffset], 7);
    EXPECT_EQ (0, memcmp (bytesOf (bankChunk) + 25 + 7 * 256, stored.data(), 256));
    EXPECT_EQ (bank.getProgramBlock (7), stored) << "saving a project stores nothing into the bank";

    processor.getCurrentProgramStateInformation (programChunk);
    ASSERT_EQ (programChunk.getSize(), (size_t) HostChunk::kProgramChunkSize);
    EXPECT_EQ (juce::String (static_cast<const char*> (programChunk.getData()), 29), "MophoPluginSettingsVersion100");
    EXPECT_EQ (bytesOf (programChunk)[29 + 20], 99);
    EXPECT_EQ (bank.getProgramBlock (7)[20], 99) << "the edit is stored into slot 7";
}

TEST (StateChunks, WithNoProgramChosenTheStateLeavesSlotZeroAndTheIndexAsTheyWere)
{
    VellixAudioProcessor processor;
    auto& bank = processor.getHostBank();
    bank.setProgramBlock (0, imageFilledWith (0x21));
    processor.getHub().setEditBufferByte (20, 77);

    const auto chunk = stateOf (processor);
    EXPECT_EQ (bank.getProgramBlock (0), imageFilledWith (0x21));
    EXPECT_EQ (processor.getHub().getCurrentHostProgram(), -1);
    EXPECT_EQ (chunk[(size_t) HostChunk::kBankCurrentOffset + 20], 77);
    EXPECT_EQ (chunk[(size_t) HostChunk::kBankIndexOffset], 0);
}

TEST (StateChunks, AWholeChunkBringsBackTheSlotsTheEditAndTheProgramIndex)
{
    VellixAudioProcessor source;
    for (int slot = 0; slot < 128; ++slot)
        source.getHostBank().setProgramBlock (slot, imageFilledWith ((juce::uint8) slot));
    source.setCurrentProgram (3);
    source.changeProgramParameter (20, 99, true, false);
    auto chunk = stateOf (source);
    std::fill (chunk.begin(), chunk.begin() + 25, 'x'); // any marker is taken

    VellixAudioProcessor target;
    target.setCurrentProgram (9);
    target.getHub().takeEvents();
    target.setStateInformation (chunk.data(), (int) chunk.size());

    for (int slot = 0; slot < 128; ++slot)
        ASSERT_EQ (target.getHostBank().getProgramBlock (slot), imageFilledWith ((juce::uint8) slot));
    EXPECT_EQ (target.getCurrentProgram(), 3);
    EXPECT_EQ (target.getHostBank().getEditBufferBlock(), source.getHostBank().getEditBufferBlock());
    EXPECT_EQ (target.getHub().getEditBufferByte (20), 99);
    std::vector<int> posted;
    for (const auto code : target.getHub().takeEvents())
        posted.push_back (UiEventCode::type (code));
    EXPECT_EQ (posted, (std::vector<int> { kUiEditBufferReplaced, kUiHostProgramSelected }))
        << "the editor shows the program, the preset list the current preset";
    const auto saved = stateOf (target);
    EXPECT_TRUE (std::equal (saved.begin() + 25, saved.end(), chunk.begin() + 25, chunk.end()))
        << "saved again, the restored instance gives the same bytes";

    // An index byte out of range selects the last program.
    chunk[(size_t) HostChunk::kBankIndexOffset] = 200;
    target.setStateInformation (chunk.data(), (int) chunk.size());
    EXPECT_EQ (target.getCurrentProgram(), 127);
}

TEST (StateChunks, AChunkOfTheOldRuleRestoresItsCurrentSlotIntoTheEditBuffer)
{
    // Earlier saves wrote slot [index] as the current block.
    std::vector<juce::uint8> chunk ((size_t) HostChunk::kBankChunkSize, 0);
    for (int slot = 0; slot < 128; ++slot)
        std::fill_n (chunk.begin() + 25 + slot * 256, 256, (juce::uint8) (slot + 1));
    std::fill_n (chunk.begin() + HostChunk::kBankCurrentOffset, 256, (juce::uint8) 6);
    chunk.back() = 5;

    VellixAudioProcessor processor;
    processor.setStateInformation (chunk.data(), (int) chunk.size());
    EXPECT_EQ (processor.getCurrentProgram(), 5);
    EXPECT_EQ (processor.getHostBank().getEditBufferBlock(), processor.getHostBank().getProgramBlock (5));
}

TEST (StateChunks, AChunkWithSlotsOnlyKeepsTheEditAndTheIndex)
{
    VellixAudioProcessor source, target;
    source.getHostBank().setProgramBlock (4, imageFilledWith (0x44));
    source.changeProgramParameter (20, 99, true, false);
    const auto chunk = stateOf (source);

    target.setCurrentProgram (9);
    const auto editBuffer = target.getHostBank().getEditBufferBlock();
    target.getHub().takeEvents();
    for (const int size : { HostChunk::kBankCurrentOffset, HostChunk::kBankChunkSize - 1 })
    {
        // Exactly as much as the host hands over, so a read past it is caught.
        std::vector<juce::uint8> data (chunk.begin(), chunk.begin() + size);
        target.setStateInformation (data.data(), size);
        EXPECT_EQ (target.getHostBank().getProgramBlock (4), imageFilledWith (0x44)) << size;
        EXPECT_EQ (target.getCurrentProgram(), 9) << size;
        EXPECT_EQ (target.getHostBank().getEditBufferBlock(), editBuffer) << size;
        EXPECT_TRUE (target.getHub().takeEvents().isEmpty()) << size;
    }

    std::vector<juce::uint8> program (285, 0x42);
    std::fill (program.begin(), program.begin() + 29, 'z');
    target.setCurrentProgramStateInformation (program.data(), (int) program.size());
    EXPECT_EQ (target.getHostBank().getProgramBlock (9), imageFilledWith (0x42));
    EXPECT_EQ (target.getHostBank().getEditBufferBlock(), imageFilledWith (0x42));
    EXPECT_EQ (UiEventCode::type (target.getHub().takeEvents().getLast()), kUiEditBufferReplaced);
}

TEST (StateChunks, ShortAndRandomChunksChangeNothingAndReadNothingBeyond)
{
    VellixAudioProcessor processor;
    processor.setCurrentProgram (2);
    const auto before = stateOf (processor);

    juce::Random random (5);
    for (const int size : { 0, 1, 24, 25, 284, 300, 32792 })
    {
        // Exactly as much as the host hands over, so a read past it is caught
        // by the sanitizers.
        std::vector<juce::uint8> data ((size_t) size);
        for (auto& b : data)
            b = (juce::uint8) random.nextInt (256);

        processor.setStateInformation (data.data(), size);
        processor.setCurrentProgramStateInformation (data.data(), size < 285 ? size : 284);
        EXPECT_EQ (stateOf (processor), before) << size;
    }

    processor.setStateInformation (nullptr, 40000);
    processor.setCurrentProgramStateInformation (nullptr, 400);
    EXPECT_EQ (stateOf (processor), before);
}

TEST (StateChunks, ChunkFilesAreWrittenAndReadWhole)
{
    const auto folder = juce::File::createTempFile ("chunks");
    folder.createDirectory();
    VellixAudioProcessor source, target;
    source.getHostBank().setProgramBlock (5, imageFilledWith (0x11));

    ASSERT_TRUE (source.saveBankStateFile (folder.getChildFile ("bank.fxb").getFullPathName()));
    ASSERT_TRUE (target.loadBankStateFile (folder.getChildFile ("bank.fxb").getFullPathName()));
    EXPECT_EQ (target.getHostBank().getProgramBlock (5), imageFilledWith (0x11));

    EXPECT_FALSE (target.loadBankStateFile (folder.getFullPathName()));
    EXPECT_FALSE (target.loadProgramStateFile (folder.getChildFile ("missing.fxp").getFullPathName()));
    folder.deleteRecursively();
}
