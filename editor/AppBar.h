#pragma once

#include "editor/widgets/AppSetBarBut.h"
#include "editor/widgets/KwsBut.h"
#include "editor/widgets/KwsLabel.h"

class MidiCntrState;

// The strip across the top of the editor: the library tool button, the seven
// command buttons, the MIDI channel and the synthesizer's status. Its
// coordinates are pixels, never scaled.
class AppBar : public juce::Component,
               public juce::ChangeBroadcaster
{
public:
    static constexpr int kHeight = 23;

    // Ids of the buttons, as MainComp receives them.
    enum ButtonId : int
    {
        kRecv = 71,
        kEdit = 73,
        kFile = 75,
        kMidi = 77,
        kProgramView = 97,
        kSequencerView = 98,
        kBank = 99,
        kSend = 701,
        kWrite = 969
    };

    explicit AppBar (MidiCntrState& hub);
    ~AppBar() override;

    void paint (juce::Graphics& g) override;

    AppSetBarBut& getToolButton() noexcept { return *toolButton; }
    KwsLabel& getChannelLabel() noexcept { return *channelLabel; }
    KwsLabel& getStatusLabel() noexcept { return *statusLabel; }
    const juce::OwnedArray<KwsBut>& getCommandButtons() const noexcept { return commandButtons; }
    KwsBut* findButton (int id) const;

private:
    MidiCntrState& hub;
    std::unique_ptr<AppSetBarBut> toolButton;
    juce::OwnedArray<KwsBut> commandButtons;
    std::unique_ptr<KwsLabel> channelLabel, statusLabel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AppBar)
};
