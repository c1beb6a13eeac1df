#include "core/VellixAudioProcessorEditor.h"
#include "core/model/ParDes.h"
#include "editor/MainComp.h"
#include "support/SynthRig.h"
#include "support/Waiting.h"
#include "widgets/WidgetHarness.h"

#include <gtest/gtest.h>

using namespace widgetharness;

namespace
{
struct ProgramEditor : testing::Test, SynthRig
{
    ProgramEditor()
    {
        processor->setEditorSize (1148, 700);
        editor.reset (processor->createEditorIfNeeded());
        main = dynamic_cast<MainComp*> (editor->getChildComponent (0));
    }

    ~ProgramEditor() override { editor.reset(); }

    EditorPanel& panel() { return main->getEditorPanel(); }

    // Sets a value through the control, the way a player's gesture does.
    void setThroughControl (KwsCont& control, int value)
    {
        const int shown = control.getDisplayedValue();

        switch (control.getStyle())
        {
            case kwsContKnob:
            {
                const int pixelsAStep = control.getMaximum() < KwsCont::kSlowDragBelow ? KwsCont::kSlowDragBelow : 1;
                press (control, 10, 10);
                drag (control, 10 + (value - shown) * pixelsAStep, 10);
                release (control, 10 + (value - shown) * pixelsAStep, 10);
                break;
            }
            case kwsContList:
                control.handleValueList (value + 1);
                break;
            case kwsContCheck:
                click (control, 2, 2);
                break;
            case kwsContSwitch:
                click (control, control.getWidth() / 2, 2);
                break;
            default:
                FAIL() << "no style " << control.getStyle();
        }
    }

    // Every complete NRPN the synthesizer received, as (number, value).
    std::vector<std::pair<int, int>> nrpnsReceived() const
    {
        std::vector<std::pair<int, int>> found;
        int numberMsb = 0, numberLsb = 0, valueMsb = 0;

        for (const auto& m : synth->getReceived())
        {
            if (! m.isController())
                continue;
            const int v = m.getControllerValue();
            switch (m.getControllerNumber())
            {
                case SimulatedMopho::kNrpnNumberMsbController: numberMsb = v; break;
                case SimulatedMopho::kNrpnNumberLsbController: numberLsb = v; break;
                case SimulatedMopho::kDataEntryMsbController: valueMsb = v; break;
                case SimulatedMopho::kDataEntryLsbController: found.emplace_back (numberMsb * 128 + numberLsb, valueMsb * 128 + v); break;
                default: break;
            }
        }
        return found;
    }

    std::unique_ptr<juce::AudioProcessorEditor> editor;
    MainComp* main = nullptr;
};
} // namespace

TEST_F (ProgramEditor, EveryControlReachesTheSynthesizerAndShowsItsDump)
{
    ASSERT_NE (main, nullptr);
    main->handleAsyncUpdate();
    synth->clearReceived();

    const auto& tables = hub().getParameterTables();
    std::vector<std::pair<int, int>> expectedNrpns;
    std::map<int, int> wanted;

    for (const auto& row : EditorTables::EditorControlTable)
    {
        auto& control = panel().getControl (row.position);
        const int shown = control.getDisplayedValue();
        int value = row.minimum + (row.position * 37 + 11) % (row.maximum - row.minimum + 1);
        if (row.maximum == 1 || value == shown)
            value = shown == row.maximum ? row.minimum : shown + 1;

        setThroughControl (control, value);
        wanted[row.position] = value;
        expectedNrpns.emplace_back (tables.getNrpn (row.position), value);

        EXPECT_EQ (hub().getEditBufferByte (row.position), value) << row.position;
        EXPECT_EQ (control.getDisplayedValue(), shown) << row.position << ": shown only when the model reports it";
    }

    main->handleAsyncUpdate();
    for (const auto& [position, value] : wanted)
        EXPECT_EQ (panel().getControl (position).getDisplayedValue(), value) << position;

    ASSERT_TRUE (waitUntil ([&] { return nrpnsReceived().size() >= expectedNrpns.size(); }));
    EXPECT_EQ (nrpnsReceived(), expectedNrpns);
    const auto synthBuffer = synth->getEditBuffer();
    for (const auto& [position, value] : wanted)
        EXPECT_EQ (synthBuffer[(size_t) position], value) << position;

    // Back the other way: a dump of random in-range values from the synthesizer.
    juce::Random random (18);
    auto image = synth->getEditBuffer();
    for (int position = 0; position < EditorTables::kNumControls; ++position)
    {
        const auto row = EditorTables::rowFor (position, tables);
        image[(size_t) position] = (juce::uint8) (row.minimum + random.nextInt (row.maximum - row.minimum + 1));
    }
    synth->setEditBuffer (image);
    const int refreshes = main->getRefreshCount();
    synth->panelSendsEditBufferDump();

    ASSERT_TRUE (waitUntil ([&] {
        main->handleAsyncUpdate();
        return main->getRefreshCount() > refreshes;
    }));

    for (int position = 0; position < EditorTables::kNumControls; ++position)
    {
        const auto& control = panel().getControl (position);
        EXPECT_EQ (control.getDisplayedValue(), image[(size_t) position]) << position;
        EXPECT_EQ (control.getValueText(), ParDes::getValueText (control.getDisplayKind(), image[(size_t) position]))
            << position;
    }
}

TEST_F (ProgramEditor, TheSequencerButtonSwitchesTheViewAndTheOverviewShrinksThePage)
{
    ASSERT_NE (main, nullptr);
    click (panel().getSequencerButton(), 10, 10);
    EXPECT_EQ (main->getViewMode(), MainComp::kSequencerView);
    EXPECT_EQ (panel().getBounds(), juce::Rectangle<int> (680, 223, 456, 264));
    EXPECT_FLOAT_EQ (panel().getScale(), MainComp::kOverviewScale);

    main->setViewMode (MainComp::kProgramView);
    EXPECT_EQ (panel().getBounds(), juce::Rectangle<int> (0, 23, 1148, 657));
    EXPECT_FLOAT_EQ (panel().getScale(), 1.0f);
}

TEST_F (ProgramEditor, ByteEventsReachOnlyTheirControl)
{
    ASSERT_NE (main, nullptr);
    main->handleAsyncUpdate();
    const int before = panel().getControl (21).getDisplayedValue();

    main->handleUiEvent (UiEventCode::make (kUiProgramByteChanged, 0, 20, 100));
    main->handleUiEvent (UiEventCode::make (kUiProgramByteChanged, 0, 117, 5));   // the category: no control
    main->handleUiEvent (UiEventCode::make (kUiProgramByteChanged, 0, 230, 5));   // past the program
    main->handleUiEvent (UiEventCode::make (kUiProgramByteChanged, 0, 0x114, 9)); // read as position 20

    EXPECT_EQ (panel().getControl (20).getDisplayedValue(), 9);
    EXPECT_EQ (panel().getControl (21).getDisplayedValue(), before);
}
