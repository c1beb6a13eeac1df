#include "core/VellixAudioProcessor.h"

#include <gtest/gtest.h>

TEST (Processor, EditorSizeFollowsTheMainDisplayWidth)
{
    struct Case
    {
        int width, expectedWidth, expectedHeight;
    };

    const Case cases[] = { { 1148, 1148, 700 }, { 1147, 975, 595 }, { 2560, 1148, 700 }, { 0, 975, 595 } };

    for (const auto& c : cases)
        EXPECT_EQ (VellixAudioProcessor::chooseEditorSize (c.width), juce::Point<int> (c.expectedWidth, c.expectedHeight))
            << c.width;
}

TEST (Processor, CurrentProgramStartsAtZero)
{
    VellixAudioProcessor processor;

    EXPECT_EQ (processor.getHub().getCurrentHostProgram(), -1);
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    EXPECT_EQ (processor.getHub().getCurrentHostProgram(), 0);
}

TEST (Processor, SelectingAProgramLoadsItIntoTheEditBuffer)
{
    VellixAudioProcessor processor;
    auto& bank = processor.getHostBank();
    bank.setProgramName (5, "Slot five");
    bank.setCategory (5, 9);
    processor.getHub().takeEvents();

    processor.setCurrentProgram (5);

    EXPECT_EQ (processor.getCurrentProgram(), 5);
    EXPECT_EQ (bank.getEditBufferBlock(), bank.getProgramBlock (5));
    EXPECT_EQ (bank.getEditBufferName(), "Slot five       ");

    const auto events = processor.getHub().takeEvents();
    ASSERT_EQ (events.size(), 2);
    EXPECT_EQ (UiEventCode::type (events[0]), kUiEditBufferReplaced);
    EXPECT_EQ (UiEventCode::type (events[1]), kUiHostProgramSelected);
}

TEST (Processor, RenamingAProgramSelectsItWithoutTheHostEvent)
{
    VellixAudioProcessor processor;
    processor.getHub().takeEvents();

    processor.changeProgramName (7, "Renamed");

    EXPECT_EQ (processor.getProgramName (7), "Renamed         ");
    EXPECT_EQ (processor.getCurrentProgram(), 7);
    EXPECT_EQ (processor.getHostBank().getEditBufferName(), "Renamed         ");

    const auto events = processor.getHub().takeEvents();
    ASSERT_EQ (events.size(), 1);
    EXPECT_EQ (UiEventCode::type (events[0]), kUiEditBufferReplaced);
}

TEST (Processor, HardwareBanksStartWithTheFactoryPrograms)
{
    VellixAudioProcessor processor;

    for (int bankIndex = 0; bankIndex < MidiCntrState::kNumHardwareBanks; ++bankIndex)
    {
        Bank_Program factory ("Factory");
        factory.loadFactoryBank (bankIndex);
        auto* bank = processor.getHub().getBank (bankIndex);
        ASSERT_NE (bank, nullptr);
        EXPECT_EQ (bank->getProgram (0), factory.getProgram (0));
        EXPECT_EQ (bank->getProgram (127), factory.getProgram (127));
    }
    EXPECT_EQ (processor.getHub().getBank (0)->getBankName(), "Program Bank A");
    EXPECT_EQ (processor.getHub().getBank (3), nullptr);
}

TEST (UiEventCode, PacksFieldsWithoutOverlap)
{
    EXPECT_EQ (UiEventCode::make (23, 0, 117, 5), 23LL * (1LL << 44) + 117LL * 65536 + 5);

    const auto code = UiEventCode::make (16, 10, 60, 100);
    EXPECT_EQ (UiEventCode::type (code), 16);
    EXPECT_EQ (UiEventCode::channel (code), 10);
    EXPECT_EQ (UiEventCode::position (code), 60);
    EXPECT_EQ (UiEventCode::value (code), 100);
}
