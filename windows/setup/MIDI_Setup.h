#pragma once

#include "editor/widgets/Check_But.h"
#include "editor/widgets/KwsBut.h"
#include "editor/widgets/KwsLabel.h"
#include "windows/setup/Global_Container.h"
#include "windows/setup/MIDI_Sync.h"

#include <array>
#include <vector>

class MidiCntrState;

// What the MIDI setup page reports to the editor, with a value.
enum MidiSetupEventCode : int
{
    kSetupHostToSynthThru = 202, // 1 on, 0 off
    kSetupOk = 203,
    kSetupClock = 206,           // 1 on, 0 off
    kSetupSynthToHostThru = 210, // 1 on, 0 off
    kSetupInputPort = 300,       // position in the input names, 0 for "NONE"
    kSetupOutputPort = 302       // position in the output names, 0 for "NONE"
};

// The page the editor lays over itself for the MIDI ports, the switches, the
// latency and the synthesizer's status. Of the model it changes only the
// SysEx-size mode; every other choice is reported to the editor, which applies
// it. Reports queue up and one change message tells of them: change messages
// coalesce, and a report lost would leave a switch shown on while the hub has
// it off. Message thread only; its positions are pixels, never scaled.
class MIDI_Setup : public juce::Component,
                   public juce::Timer,
                   public juce::ChangeListener,
                   public juce::ChangeBroadcaster,
                   public kwsbutChangeListener,
                   public Global_Listener
{
public:
    struct Report
    {
        int code, value;
        bool operator== (const Report& other) const noexcept { return code == other.code && value == other.value; }
    };

    enum Switch : int
    {
        clockSwitch,
        synthToHostSwitch,
        hostToSynthSwitch,
        numSwitches
    };

    enum class PortMenu
    {
        none,
        input,
        output
    };

    static constexpr int kGlobalsButtonId = 999;
    static constexpr int kOkButtonId = 1111;
    static constexpr const char* kNoPort = "NONE";
    static constexpr const char* kHelpText = "  Mopho global settings should be set manually as follows:\n\n"
                                             "  MIDI Channel = All channels\n"
                                             "  MIDI sysex send/receive = ON\n"
                                             "  MIDI Controller Send = ON\n"
                                             "  MIDI Controller Receive = ON\n"
                                             "  Parameter send = NRPN\n"
                                             "  Parameter Receive = ALL\n"
                                             "  MIDI Out select = OUT\n";

    explicit MIDI_Setup (MidiCntrState& hub);
    ~MIDI_Setup() override;

    void setPortNames (const juce::StringArray& inputs, const juce::StringArray& outputs);
    const juce::StringArray& getInputNames() const noexcept { return inputNames; }
    const juce::StringArray& getOutputNames() const noexcept { return outputNames; }

    // Written by the editor when the page opens and after each port change.
    int chosenInput = 0, chosenOutput = 0;
    bool inputOpen = false, outputOpen = false;

    void setSwitch (Switch which, bool on);
    Check_But& getSwitch (Switch which) noexcept { return switches[(size_t) which]; }
    KwsLabel& getStatusLabel() noexcept { return statusLabel; }
    KwsLabel& getSysExSizeLabel() noexcept { return sysExSizeLabel; }
    MIDI_Sync& getLatencyPanel() noexcept { return latencyPanel; }
    KwsBut& getOkButton() noexcept { return okButton; }
    KwsBut& getGlobalsButton() noexcept { return globalsButton; }
    const juce::Label& getHelpText() const noexcept { return helpText; }

    // The global-parameter panel, over the help text while it is open. Its
    // close box reports from inside the panel's own mouse handling, so the
    // panel goes from a one-shot timer, never inside that call.
    static constexpr int kGlobalPanelCloseDelayMs = 100;
    void showGlobalPanel (bool show);
    Global_Container* getGlobalPanel() const noexcept { return globalPanel.get(); }
    void globalPanelEvent (int code, int value) override;
    void timerCallback() override;

    // Every report since the last call, oldest first.
    std::vector<Report> takeReports();

    // Port menus: a press in a field opens its menu; the chosen item id goes
    // to the handler, which tests call directly.
    static PortMenu portMenuAt (juce::Point<int> position) noexcept;
    juce::PopupMenu buildPortMenu (PortMenu which) const;
    void showPortMenu (PortMenu which);
    void handlePortMenu (PortMenu which, int itemId);

    void showSysExSizeMenu();
    void handleSysExSizeMenu (int itemId);

    void mouseDown (const juce::MouseEvent& e) override;
    void kwsButtonChanged (KwsBut* button) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void paint (juce::Graphics& g) override;

private:
    void report (int code, int value);
    void showSysExSizeText();
    const juce::StringArray& namesOf (PortMenu which) const noexcept;
    void paintPortField (juce::Graphics& g, PortMenu which) const;

    MidiCntrState& hub;
    std::vector<Report> reports;
    juce::Label helpText;
    std::unique_ptr<Global_Container> globalPanel;
    KwsLabel statusLabel;
    MIDI_Sync latencyPanel;
    juce::StringArray inputNames, outputNames;
    std::array<Check_But, numSwitches> switches;
    KwsLabel sysExSizeLabel;
    KwsBut okButton { "OK", kOkButtonId, kwsButDialog };
    KwsBut globalsButton { "GLOBALS", kGlobalsButtonId, kwsButDialog };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MIDI_Setup)
};
