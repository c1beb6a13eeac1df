#pragma once

#include "editor/LCD_Comp.h"
#include "editor/widgets/KwsBut.h"
#include "editor/widgets/KwsGrid.h"
#include "editor/widgets/RenameCnt.h"

#include <array>

class MidiCntrState;

// The write page: the destination slot in bank A, B or C, the name and the
// category for the write, then WRITE or CANCEL, which only MainComp hears.
// Nothing here changes the model: the page only keeps what the write command
// reads. It exists only while shown. Message thread only.
class WriteSnd : public juce::Component,
                 public kwsbutChangeListener,
                 public juce::ChangeListener,
                 public juce::ChangeBroadcaster
{
public:
    static constexpr int kWriteId = 999;

    WriteSnd (MidiCntrState& hub, int bank, int program, const juce::String& name, int category);
    ~WriteSnd() override;

    void layout (int pageWidth, int pageHeight);

    // What the write command stores: the slot, and the name (16 characters
    // once a rename was confirmed, else the display's) and the category.
    int getDestinationBank() const noexcept { return destinationBank; }
    int getDestinationProgram() const noexcept { return destinationProgram; }
    int getCategory() const noexcept { return category; }
    juce::String getWriteName() const;
    const juce::String& getName() const noexcept { return name; }

    // After a write: when the dump never left for the synthesizer, a notice
    // beside the display says so, until the next write.
    void showWriteResult (bool reachedOutput);
    const juce::String& getNotice() const noexcept { return notice; }

    // The display's zones lead here; tests call them directly.
    void openRenameBox();
    void applyName (const juce::String& text);
    void chooseCategory (int category);
    RenameCnt* getRenameBox() const noexcept { return renameBox.get(); }

    KwsGrid& getGrid() noexcept { return *grid; }
    LCD_Comp& getDisplay() noexcept { return *display; }
    KwsBut& getWriteButton() noexcept { return *writeButton; }
    KwsBut& getCancelButton() noexcept { return *cancelButton; }
    KwsBut& getBankButton (int bank) noexcept { return *bankButtons[(size_t) bank]; }

    void paint (juce::Graphics& g) override;
    void resized() override {}

    void kwsButtonChanged (KwsBut* sender) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

private:
    void closeRenameBox();
    juce::Rectangle<int> noticeArea() const;

    MidiCntrState& hub;
    std::array<std::unique_ptr<KwsBut>, 3> bankButtons;
    juce::Rectangle<int> panel;
    std::unique_ptr<KwsBut> writeButton, cancelButton;
    std::unique_ptr<KwsGrid> grid;
    std::unique_ptr<LCD_Comp> display;
    std::unique_ptr<RenameCnt> renameBox;
    juce::String name, notice;
    int destinationBank = 0, destinationProgram = 0, category = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WriteSnd)
};
