#include "core/midi/MidiCntrState.h"
#include "editor/widgets/WidgetHarness.h"
#include "support/VirtualMidi.h"
#include "windows/setup/MIDI_Setup.h"

#include <gtest/gtest.h>

using namespace widgetharness;
using Report = MIDI_Setup::Report;
using PortMenu = MIDI_Setup::PortMenu;

namespace
{
// The page alone, over a hub with two devices each way.
struct SetupPage : testing::Test
{
    SetupPage()
    {
        page.setPortNames ({ "In A", "In B" }, { "Out A", "Out B" });
        page.setBounds (0, 23, 1148, 700);
    }

    ScopedMidiDeviceLayer layer;
    MidiCntrState hub;
    MIDI_Setup page { hub };
};

std::vector<juce::String> itemsOf (const juce::PopupMenu& menu)
{
    std::vector<juce::String> items;
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
        items.push_back (juce::String (it.getItem().itemID) + " " + it.getItem().text);
    return items;
}
} // namespace

TEST (MidiSetupLayout, PressesOpenThePortMenusOnlyInsideTheFields)
{
    struct Case
    {
        int x, y;
        PortMenu menu;
    };
    const Case cases[] = {
        { 200, 103, PortMenu::input },  { 200, 104, PortMenu::none },  { 61, 81, PortMenu::input },
        { 349, 81, PortMenu::input },   { 60, 90, PortMenu::none },    { 350, 90, PortMenu::none },
        { 200, 80, PortMenu::none },    { 200, 131, PortMenu::output }, { 200, 153, PortMenu::output },
        { 200, 154, PortMenu::none },   { 200, 130, PortMenu::none },  { 500, 90, PortMenu::none },
    };

    for (const auto& c : cases)
        EXPECT_EQ (MIDI_Setup::portMenuAt ({ c.x, c.y }), c.menu) << c.x << ", " << c.y;
}

TEST_F (SetupPage, APressInAFieldOpensItsMenuWhenThereAreDevices)
{
    // A dismissed menu goes only once the message loop runs: the cases that
    // open none come first.
    press (page, 200, 104);
    EXPECT_FALSE (juce::PopupMenu::dismissAllActiveMenus()) << "just below the input field";

    page.setPortNames ({}, {});
    press (page, 200, 103);
    press (page, 200, 140);
    EXPECT_FALSE (juce::PopupMenu::dismissAllActiveMenus()) << "\"NONE\" alone is no choice";

    page.setPortNames ({ "In A" }, {});
    press (page, 200, 103);
    EXPECT_TRUE (juce::PopupMenu::dismissAllActiveMenus());
}

TEST_F (SetupPage, PortMenusListNoneThenTheDevicesAndReportThePosition)
{
    EXPECT_EQ (itemsOf (page.buildPortMenu (PortMenu::output)),
               (std::vector<juce::String> { "1 NONE", "2 Out A", "3 Out B" }));
    EXPECT_EQ (itemsOf (page.buildPortMenu (PortMenu::input)), (std::vector<juce::String> { "1 NONE", "2 In A", "3 In B" }));

    page.handlePortMenu (PortMenu::output, 3);
    page.handlePortMenu (PortMenu::input, 1);
    page.handlePortMenu (PortMenu::input, 0); // dismissed
    page.handlePortMenu (PortMenu::input, 4); // names no item

    EXPECT_EQ (page.takeReports(), (std::vector<Report> { { kSetupOutputPort, 2 }, { kSetupInputPort, 0 } }));
    EXPECT_EQ (page.chosenOutput, 2);
    EXPECT_EQ (page.chosenInput, 0);
}

TEST_F (SetupPage, EachSwitchReportsItsCodeAndNewState)
{
    struct Case
    {
        MIDI_Setup::Switch which;
        int code;
    };
    const Case cases[] = { { MIDI_Setup::clockSwitch, kSetupClock },
                           { MIDI_Setup::synthToHostSwitch, kSetupSynthToHostThru },
                           { MIDI_Setup::hostToSynthSwitch, kSetupHostToSynthThru } };

    for (const auto& c : cases)
    {
        auto& box = page.getSwitch (c.which);
        press (box, 5, 5);
        box.dispatchPendingMessages();
        press (box, 5, 5);
        box.dispatchPendingMessages();

        EXPECT_EQ (page.takeReports(), (std::vector<Report> { { c.code, 1 }, { c.code, 0 } })) << c.code;
    }
}

TEST_F (SetupPage, ReportsWaitInOrderBehindOneChangeMessage)
{
    ChangeCounter editor;
    std::vector<Report> seen;
    editor.onChange = [&] { for (const auto& r : page.takeReports()) seen.push_back (r); };
    page.addChangeListener (&editor);

    auto& clock = page.getSwitch (MIDI_Setup::clockSwitch);
    auto& thru = page.getSwitch (MIDI_Setup::synthToHostSwitch);
    press (clock, 5, 5);
    press (thru, 5, 5);
    clock.dispatchPendingMessages();
    thru.dispatchPendingMessages();
    page.kwsButtonChanged (&page.getOkButton());
    page.dispatchPendingMessages();

    EXPECT_EQ (editor.count, 1) << "the change messages coalesced";
    EXPECT_EQ (seen, (std::vector<Report> { { kSetupClock, 1 }, { kSetupSynthToHostThru, 1 }, { kSetupOk, 0 } }));
    EXPECT_TRUE (page.takeReports().empty());
}

TEST_F (SetupPage, TheSysExSizeMenuSetsTheModeAndTheText)
{
    EXPECT_EQ (page.getSysExSizeLabel().getLabelText(), "256");

    const std::pair<int, const char*> steps[] = { { 2, "SySex Size" }, { 0, "SySex Size" }, { 1, "256" }, { 3, "256" } };
    for (auto [item, text] : steps)
    {
        page.handleSysExSizeMenu (item);
        EXPECT_EQ (page.getSysExSizeLabel().getLabelText(), text) << "item " << item;
    }
    EXPECT_EQ (hub.getPorts().sysExBufferSizeMode, 0);
    EXPECT_TRUE (page.takeReports().empty()) << "the page keeps this choice itself";

    hub.getPorts().sysExBufferSizeMode = 1;
    MIDI_Setup reopened (hub);
    EXPECT_EQ (reopened.getSysExSizeLabel().getLabelText(), "SySex Size");
}

TEST_F (SetupPage, GlobalsOpensThePanelOverTheHelpTextAndClosesItAgain)
{
    hub.takeEvents();

    page.kwsButtonChanged (&page.getGlobalsButton());

    const auto events = hub.takeEvents();
    ASSERT_EQ (events.size(), 1);
    EXPECT_EQ (UiEventCode::type (events[0]), kUiSynthOffLine) << "marked off-line until it answers";
    EXPECT_TRUE (page.takeReports().empty());
    ASSERT_NE (page.getGlobalPanel(), nullptr);
    EXPECT_EQ (page.getGlobalPanel()->getBounds(), juce::Rectangle<int> (38, 285, 750, 280));
    EXPECT_FALSE (page.getHelpText().isVisible());

    page.kwsButtonChanged (&page.getGlobalsButton());
    EXPECT_EQ (page.getGlobalPanel(), nullptr);
    EXPECT_TRUE (page.getHelpText().isVisible());
}

TEST_F (SetupPage, ThePanelsCloseBoxClosesItFromTheTimerNotFromItsOwnClick)
{
    page.kwsButtonChanged (&page.getGlobalsButton());
    auto* panel = page.getGlobalPanel();
    ASSERT_NE (panel, nullptr);

    press (*panel, panel->getWidth() - 20, 15);
    EXPECT_EQ (page.getGlobalPanel(), panel) << "still alive inside its own mouse handling";
    EXPECT_TRUE (page.isTimerRunning());

    page.timerCallback();
    EXPECT_EQ (page.getGlobalPanel(), nullptr);
    EXPECT_TRUE (page.getHelpText().isVisible());
}

//==============================================================================
TEST (MidiSync, NamesTheSampleRateAsTheHubCountsIt)
{
    const std::pair<int, const char*> cases[] = { { 0, "44100 Hz" }, { 1, "48000 Hz" },  { 2, "88200 Hz" },
                                                  { 3, "96000 Hz" }, { 4, "176400 Hz" }, { 5, "192000 Hz" },
                                                  { 6, "" },         { -1, "" } };

    for (auto [index, name] : cases)
        EXPECT_EQ (MIDI_Sync::sampleRateName (index), name) << index;

    EXPECT_EQ (MIDI_Sync::sampleRateName (MidiCntrState::sampleRateIndexFor (48000)), "48000 Hz");
}

TEST (MidiSync, TheSliderShowsTheSlotsDelayWithinItsRange)
{
    struct Case
    {
        int slot;
        juce::Array<int> table;
        int shown;
    };
    const Case cases[] = { { 3, { 0, 0, 0, 250, 0, 0, 0 }, 250 },
                           { 0, { 1500, 0, 0, 0, 0, 0, 0 }, 1000 },
                           { 1, { 0, -20, 0, 0, 0, 0, 0 }, 0 },
                           { 5, { 7, 7 }, 0 } };

    for (const auto& c : cases)
    {
        MIDI_Sync panel;
        panel.setLatencySettings (0, c.slot, c.table);

        EXPECT_EQ (panel.getSlider().getValue(), c.shown) << "slot " << c.slot;
        EXPECT_EQ (panel.getSampleRateLabel().getLabelText(), MIDI_Sync::sampleRateName (c.slot));
    }
}

TEST (MidiSync, TheSliderWritesItsOwnSlotEvenInAShortTable)
{
    MIDI_Sync panel;
    ChangeCounter editor;
    panel.addChangeListener (&editor);
    panel.setLatencySettings (402, 3, { 11 });

    panel.getSlider().setValueAndNotify (250);
    panel.getSlider().dispatchPendingMessages();
    panel.dispatchPendingMessages();

    EXPECT_EQ (panel.getDelayTable(), (juce::Array<int> { 11, 0, 0, 250 }));
    EXPECT_EQ (panel.getDelayMode(), 402) << "handed back unchanged";
    EXPECT_EQ (editor.count, 1);

    press (panel.getSampleRateLabel(), 5, 5);
    panel.getSampleRateLabel().dispatchPendingMessages();
    panel.dispatchPendingMessages();
    EXPECT_EQ (editor.count, 1) << "a click on the rate changes nothing";
}

TEST (MidiSync, TheDelayCaptionLetsPressesThroughToTheSlider)
{
    MIDI_Sync panel;
    panel.setVisible (true);
    panel.setLatencySettings (0, 0, { 500 });

    // Over the slider's left arrow, where the caption's bounds reach too.
    auto* hit = panel.getComponentAt (80, 58);

    EXPECT_EQ (hit, &panel.getSlider());
}
