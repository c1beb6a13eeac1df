#pragma once

#include "editor/widgets/KwsBut.h"
#include "editor/widgets/KwsGrid.h"
#include "editor/widgets/SwitchLED.h"

#include <array>

class MidiCntrState;

// What the bank page's change message asks of its owner; read with getCode().
enum BankPageCode : int
{
    kBankPageProgramMenu = 90,
    kBankPagePresets = 201,
    kBankPageUseLoadedData = 206,
    kBankPageFile = 890,
    kBankPageMidi = 891
};

// The bank page, laid over the program editor: the programs of bank A, B or
// C, or of one category across the three, to load into the edit buffer, with
// the buttons that open the bank menus. MainComp builds it once, shows and
// hides it, and acts on its codes and its OK button. Message thread only.
class BankComp : public juce::Component,
                 public kwsbutChangeListener,
                 public juce::ChangeListener,
                 public juce::ChangeBroadcaster
{
public:
    static constexpr int kNumCategoryButtons = 28;
    static constexpr int kButtonWidth = 70, kButtonHeight = 18;

    explicit BankComp (MidiCntrState& hub);
    ~BankComp() override;

    void layout (int pageWidth, int pageHeight);

    // What the page shows as it opens: the switch the hub's flag, the grid
    // the current bank with the current program selected.
    void showFromModel();

    int getCode() const noexcept { return code; }
    KwsGrid& getGrid() noexcept { return *grid; }
    SwitchLED& getUseLoadedDataSwitch() noexcept { return *useLoadedData; }
    KwsBut& getOkButton() noexcept { return *okButton; }
    KwsBut& getBankButton (int bank) noexcept { return *bankButtons[(size_t) bank]; }
    KwsBut& getCategoryButton (int i) noexcept { return *categoryButtons[(size_t) i]; }
    KwsBut& getMenuButton (int code);
    juce::Rectangle<int> getPanel() const noexcept { return panel; }

    // The category chooser's answer for the slot right-clicked: 0-25 writes
    // that slot's category byte, anything else nothing.
    void handleCategoryChoice (int bank, int program, int category);

    void paint (juce::Graphics& g) override;
    void resized() override {}
    bool keyPressed (const juce::KeyPress&) override { return false; }

    void kwsButtonChanged (KwsBut* sender) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

private:
    void handleGridCode();

    MidiCntrState& hub;
    std::unique_ptr<KwsBut> okButton;
    std::array<std::unique_ptr<KwsBut>, 3> bankButtons;
    std::array<std::unique_ptr<KwsBut>, 3> menuButtons; // FILE, MIDI, PRESETS
    std::unique_ptr<SwitchLED> useLoadedData;
    std::unique_ptr<KwsGrid> grid;
    int code = 0;
    std::array<std::unique_ptr<KwsBut>, kNumCategoryButtons> categoryButtons;
    juce::Rectangle<int> panel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BankComp)
};
