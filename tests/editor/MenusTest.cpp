#include "EditorRig.h"
#include "support/ProgramDumps.h"

#include <gtest/gtest.h>

using namespace ProgramImage;

namespace
{
struct Menus : testing::Test, EditorRig
{
    void SetUp() override
    {
        ASSERT_NE (main, nullptr);
        main->handleAsyncUpdate();
    }

    Block slot (int bank, int program) { return *hub().getProgramImage (bank, program); }

    // Ends with the transfer: its overlay gone and the hub idle.
    bool drainUntilTransferEnds (int timeoutMs)
    {
        return drainUntil ([&] { return main->getTransferOverlay() == nullptr && ! hub().isTransferBusy(); }, timeoutMs);
    }

    juce::File file (const juce::String& name) const { return getSettingsFolder().getChildFile (name); }
};

juce::String textOf (const juce::PopupMenu& menu, int itemId)
{
    for (juce::PopupMenu::MenuItemIterator it (menu, true); it.next();)
        if (it.getItem().itemID == itemId)
            return it.getItem().text;
    return "<none>";
}

// The program dumps among the messages that reached the synthesizer, put back
// together from the pieces they travelled in.
std::vector<std::vector<juce::uint8>> programDumpsIn (const std::vector<juce::MidiMessage>& messages)
{
    std::vector<std::vector<juce::uint8>> dumps;
    std::vector<juce::uint8> assembling;

    for (const auto& m : messages)
    {
        for (int i = 0; i < m.getRawDataSize(); ++i)
        {
            const auto byte = m.getRawData()[i];
            if (byte == kSysExStart)
                assembling.assign (1, byte);
            else if (! assembling.empty())
                assembling.push_back (byte);

            if (byte == kSysExEnd && ! assembling.empty())
            {
                if (assembling.size() == (size_t) kProgramDumpSize && assembling[3] == kProgramDumpCommand)
                    dumps.push_back (assembling);
                assembling.clear();
            }
        }
    }

    return dumps;
}
} // namespace

TEST_F (Menus, EveryMenuOffersItsEntriesUnderTheirIds)
{
    main->copyProgram (true, 2, 0);
    const auto clip = main->getClipboardName();
    const auto editName = readName (toArray (hub().getEditBufferImage()), kNameOffset);
    const auto slotName = readName (toArray (slot (0, 4)), kNameOffset);

    struct Case
    {
        juce::PopupMenu menu;
        int id;
        juce::String text;
    };
    const Case cases[] = {
        { main->buildEditMenu(), 1, "Copy Program: " + editName },
        { main->buildEditMenu(), 2, "Paste " + clip },
        { main->buildFileMenu(), 1, "Load Single Program" },
        { main->buildFileMenu(), 2, "Save " + editName },
        { main->buildFileMenu(), 3, "About" },
        { main->buildSendMenu(), 1, "Current Preset: " + editName },
        { main->buildSendMenu(), 2, "FX Bank Preset: " + processor->getHostBank().getProgramName (0) },
        { main->buildChannelMenu(), 5, "Channel 5" },
        { main->buildProgramSelectMenu(), 100001, "Program Bank B" },
        { main->buildProgramSelectMenu(), 1004, hub().getBank (0)->getProgramName (4) },
        { main->buildProgramMenu (0, 4), 1, "Copy Program: " + slotName },
        { main->buildProgramMenu (0, 4), 3, "Save " + slotName },
        { main->buildProgramMenu (0, 4), 4, "Load Program " },
        { main->buildBankMenu(), 102, "Bank C" },
        { main->buildBankMenu(), 99, "Initialize Program Bank A" },
        { main->buildBankFileMenu(), 101, "Load Program Bank To Bank B" },
        { main->buildBankFileMenu(), 202, "Save Program Bank C" },
        { main->buildBankTransferMenu(), 3, "Bank C" },
        { main->buildBankTransferMenu(), 200, "Receive All Banks" },
        { main->buildBankTransferMenu(), 101, "Bank B" },
        { main->buildBankTransferMenu(), 300, "Transmit All Banks" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (textOf (c.menu, c.id), c.text) << c.id;

    EXPECT_EQ (hub().getCurrentHostProgram(), 0) << "the Send menu names a host program";
}

TEST_F (Menus, CopyFromOneSlotPastesIntoAnother)
{
    const auto editBefore = hub().getEditBufferImage();
    EXPECT_EQ (textOf (main->buildEditMenu(), 2), "Paste ") << "an empty clipboard";

    main->handleProgramMenu (1, 9, 2);
    EXPECT_NE (slot (1, 9), slot (0, 4)) << "paste with an empty clipboard does nothing";

    main->handleProgramMenu (0, 4, 1); // A:005
    main->handleProgramMenu (1, 9, 2); // B:010

    EXPECT_EQ (slot (1, 9), slot (0, 4));
    EXPECT_EQ (main->getClipboardName(), hub().getBank (0)->getProgramName (4));
    EXPECT_EQ (hub().getEditBufferImage(), editBefore) << "copying a slot leaves the edit buffer";
}

TEST_F (Menus, EditCopyAndPasteBringBackTheCopiedProgram)
{
    const auto copied = hub().getEditBufferImage();
    main->handleEditMenu (1);

    main->handleProgramSelectMenu (1000 + 20);
    ASSERT_NE (hub().getEditBufferImage(), copied);

    main->handleEditMenu (2);
    EXPECT_EQ (hub().getEditBufferImage(), copied);
    EXPECT_TRUE (drainUntil ([&] { return main->getProgramDisplay().getNameText() == readName (toArray (copied), kNameOffset); }));
}

TEST_F (Menus, ChoosingABankSelectsItOnTheSynthesizerAtTheCurrentProgram)
{
    hub().selectProgram (0, 17, false, false);
    ASSERT_TRUE (waitUntil ([&] { return synth->getRequestCount (SimulatedMopho::Request::globalParameters) > 0; }));
    toSynth.clearReceived();

    main->handleProgramSelectMenu (100001); // "Program Bank B"

    ASSERT_TRUE (waitUntil ([&] { return bytesSentToSynth().size() >= 2; }));
    EXPECT_EQ (bytesSentToSynth(), (std::vector<std::vector<int>> { { 0xB0, 32, 1 }, { 0xC0, 17 } }));
    EXPECT_EQ (hub().getEditBufferImage(), slot (1, 17));
    EXPECT_TRUE (drainUntil ([&] { return main->getProgramDisplay().getNumberText() == "B:018"; }));
}

TEST_F (Menus, FactoryBankAndInitialiseFillTheBankShown)
{
    Bank_Program factoryC ("C");
    factoryC.loadFactoryBank (2);

    main->handleBankMenu (102); // "Factory Presets " > "Bank C", bank A shown
    for (int p = 0; p < Bank_Program::kNumPrograms; ++p)
        ASSERT_EQ (slot (0, p), factoryC.getProgramBlock (p)) << p;

    Bank_Program initial ("init");
    initial.initialiseBank();
    main->handleBankMenu (99);
    EXPECT_EQ (slot (0, 0), initial.getProgramBlock (0));
    EXPECT_EQ (slot (0, 127), initial.getProgramBlock (127));
}

TEST_F (Menus, ABankReceivedSavedAndLoadedBackIsTheSame)
{
    main->handleBankTransferMenu (2); // receive bank B
    ASSERT_NE (main->getTransferOverlay(), nullptr);
    ASSERT_TRUE (drainUntilTransferEnds (20000));
    for (int p = 0; p < Bank_Program::kNumPrograms; ++p)
        ASSERT_EQ (slot (1, p), synth->getProgram (1, p)) << p;

    const auto path = file ("bank-b.m_b").getFullPathName();
    ASSERT_TRUE (main->saveBankFile (path, 1));
    juce::MemoryBlock saved;
    juce::File (path).loadFileAsData (saved);
    EXPECT_EQ (saved.getSize(), (size_t) (128 * kProgramDumpSize));

    main->handleBankMenu (99); // bank A shown: B stays as received
    ASSERT_TRUE (main->loadBankFile (path, 0));
    for (int p = 0; p < Bank_Program::kNumPrograms; ++p)
        ASSERT_EQ (slot (0, p), synth->getProgram (1, p)) << p;

    ASSERT_TRUE (main->saveBankFile (file ("again.m_b").getFullPathName(), 1));
    juce::MemoryBlock again;
    file ("again.m_b").loadFileAsData (again);
    EXPECT_EQ (again, saved);
}

TEST_F (Menus, SaveProgramWritesAnEditBufferDumpThatLoadsBack)
{
    const auto edit = hub().getEditBufferImage();
    const auto path = file ("one.m_p").getFullPathName();

    ASSERT_TRUE (main->saveProgramFile (path, false, 0, 0));
    EXPECT_EQ (juce::File (path).getSize(), (juce::int64) kEditBufferDumpSize);

    main->handleProgramSelectMenu (1000 + 9);
    ASSERT_TRUE (main->loadProgramFile (path, false, 0, 0));
    EXPECT_EQ (hub().getEditBufferImage(), edit);

    ASSERT_TRUE (main->saveProgramFile (path, true, 2, 5));
    ASSERT_TRUE (main->loadProgramFile (path, true, 1, 0));
    EXPECT_EQ (slot (1, 0), slot (2, 5));

    EXPECT_FALSE (main->loadProgramFile (file ("missing.m_p").getFullPathName(), false, 0, 0));
    EXPECT_FALSE (main->saveProgramFile (path, true, 3, 0));
}

TEST_F (Menus, SendPutsTheEditBufferIntoTheSynthesizer)
{
    hub().selectProgram (2, 40, false, false);
    main->handleSendMenu (1);
    EXPECT_TRUE (waitUntil ([&] { return synth->getEditBuffer() == slot (2, 40); }));
}

TEST_F (Menus, TransmitSendsTheBankInSlotOrderAndEndsTheTransfer)
{
    main->handleBankTransferMenu (101); // "Transmit Program Bank " > "Bank B"
    ASSERT_NE (main->getTransferOverlay(), nullptr);
    EXPECT_TRUE (drainUntil ([&] { return main->getTransferOverlay()->getText() == "B:3"; }));

    const auto wholeBankMs = (int) (128 * BankTransmitter::spacingMs (kProgramDumpSize)) + 10000;
    ASSERT_TRUE (drainUntilTransferEnds (wholeBankMs));

    const auto dumps = programDumpsIn (synth->getReceived());
    ASSERT_EQ (dumps.size(), 128u);
    for (int p = 0; p < 128; ++p)
    {
        EXPECT_EQ (dumps[(size_t) p][kProgramDumpBankOffset], 1);
        ASSERT_EQ (dumps[(size_t) p][kProgramDumpProgramOffset], p);
        ASSERT_EQ (synth->getProgram (1, p), slot (1, p)) << p;
    }
}

TEST_F (Menus, CancelEndsAReceiveAndTheNextTransferWorks)
{
    synth->setAnswerSpeed (SimulatedMopho::AnswerSpeed::cable);
    main->handleBankTransferMenu (1);
    ASSERT_TRUE (drainUntil ([&] { return main->getTransferOverlay()->getValue() >= 3; }));

    main->kwsButtonChanged (&main->getTransferOverlay()->getCancelButton());
    EXPECT_EQ (main->getTransferOverlay(), nullptr);
    EXPECT_FALSE (hub().isTransferBusy());

    synth->setAnswerSpeed (SimulatedMopho::AnswerSpeed::immediate);
    main->handleBankTransferMenu (3);
    ASSERT_TRUE (drainUntilTransferEnds (20000));
    EXPECT_EQ (slot (2, 127), synth->getProgram (2, 127));
}

TEST_F (Menus, CancelStopsATransmissionAfterTheDumpInFlight)
{
    ASSERT_TRUE (waitUntil ([&] { return synth->getRequestCount (SimulatedMopho::Request::globalParameters) > 0; }));
    synth->clearReceived();
    main->handleBankTransferMenu (100);
    ASSERT_TRUE (waitUntil ([&] { return programDumpsIn (synth->getReceived()).size() >= 2; }));

    main->kwsButtonChanged (&main->getTransferOverlay()->getCancelButton());
    EXPECT_FALSE (hub().isTransmitting());
    EXPECT_FALSE (hub().isTransferBusy());

    const auto sent = synth->getReceived().size();
    juce::Thread::sleep ((int) (2 * BankTransmitter::spacingMs (kProgramDumpSize)));
    EXPECT_EQ (synth->getReceived().size(), sent) << "nothing after CANCEL";
    EXPECT_EQ (programDumpsIn (synth->getReceived()).size() * 2, sent) << "every dump whole, in its two pieces";

    main->handleBankTransferMenu (1);
    EXPECT_TRUE (drainUntilTransferEnds (20000)) << "a receive after it runs to its end";
}

TEST_F (Menus, ATransmissionWithTheOutputClosedWaitsForCancel)
{
    hub().selectOutputDevice (0);
    main->handleBankTransferMenu (300);
    juce::Thread::sleep ((int) BankTransmitter::spacingMs (kProgramDumpSize) * 2);
    main->handleAsyncUpdate();

    ASSERT_NE (main->getTransferOverlay(), nullptr) << "no success without a dump sent";
    EXPECT_EQ (main->getTransferOverlay()->getLabel().getText(), "-");
    EXPECT_EQ (main->getTransferOverlay()->getValue(), 0);

    main->kwsButtonChanged (&main->getTransferOverlay()->getCancelButton());
    EXPECT_EQ (main->getTransferOverlay(), nullptr);
}

TEST_F (Menus, TheCategoryChooserSetsTheByteAndTheSynthesizerFollows)
{
    main->handleCategoryChoice (5);
    main->handleCategoryChoice (-1); // dismissed
    EXPECT_EQ (hub().getEditBufferByte (kCategoryOffset), 5);

    main->handleCategoryChoice (0);
    EXPECT_EQ (hub().getEditBufferByte (kCategoryOffset), 0);
    EXPECT_EQ (main->getProgramDisplay().getCategoryText(), "- Not Assigned -");
    EXPECT_TRUE (waitUntil ([&] { return synth->getEditBuffer()[(size_t) kCategoryOffset] == 0; }));

    main->handleCategoryChoice (25);
    EXPECT_EQ (main->getProgramDisplay().getCategoryText(), "Arpeggiator");
}

TEST_F (Menus, TheFileMenuLeavesTheHostProgramIndexNamingAProgram)
{
    hub().setCurrentHostProgram (-1);
    main->handleFileMenu (0);
    EXPECT_EQ (hub().getCurrentHostProgram(), 0);
}

TEST_F (Menus, TheLightsShowTrafficBothWaysAndGoOutAfterwards)
{
    auto& display = main->getProgramDisplay();
    ASSERT_TRUE (synth->waitForDumpsSent (1)) << "the answer to the editor's global request";
    ASSERT_TRUE (fromSynth.waitUntilDelivered());
    display.timerCallback();
    juce::Thread::sleep (LCD_Comp::kLightHoldMs + 20);
    display.timerCallback();
    ASSERT_FALSE (display.isLightOn (1) || display.isLightOn (2));

    EXPECT_FALSE (display.isTimerRunning()) << "dark lights need no timer";

    main->kwsButtonClicked (AppBar::kRecv);
    ASSERT_TRUE (synth->waitForDumpsSent (2));
    ASSERT_TRUE (fromSynth.waitUntilDelivered());
    display.checkActivity(); // the editor's poll
    EXPECT_TRUE (display.isLightOn (1)) << "the request went out";
    EXPECT_TRUE (display.isLightOn (2)) << "the dump came in";
    EXPECT_TRUE (display.isTimerRunning()) << "lit lights are timed";

    juce::Thread::sleep (LCD_Comp::kLightHoldMs + 20);
    display.timerCallback();
    EXPECT_FALSE (display.isLightOn (1));
    EXPECT_FALSE (display.isLightOn (2));
    EXPECT_FALSE (display.isTimerRunning());
}
