#include "windows/library/Plugin_Bank.h"

#include "core/VellixAudioProcessor.h"
#include "windows/library/PageButtons.h"
#include "core/storage/FileMan.h"

// Plugin_Bank in two files: this one builds the page, lays it out and follows
// its list; Plugin_BankCommands.cpp runs the menus, files and dialogs.

namespace
{
using PageButton = PageButtonRow<Plugin_Bank>;

constexpr PageButton pageButtons[] = {
    { Plugin_Bank::kLoadButton, "LOAD", Plugin_Bank::kLoadId, "Load preset or preset bank from files.", 10, false, PageButtonShown::always },
    { Plugin_Bank::kSaveButton, "SAVE", Plugin_Bank::kSaveId, "Save th current preset or preset bank.", 50, false, PageButtonShown::withRows },
    { Plugin_Bank::kApplyButton, "APPLY", Plugin_Bank::kApplyId, "Apply the current preset from the preset bank.", 90, true, PageButtonShown::never },
    { Plugin_Bank::kRenameButton, "RENAME", Plugin_Bank::kRenameId, "Rename the current preset.", 130, true, PageButtonShown::withSelection },
    { Plugin_Bank::kSetCurrentButton, "SET CURRENT", Plugin_Bank::kSetCurrentId, "Import current preset to the preset bank.", 170, true, PageButtonShown::always },
    { Plugin_Bank::kDoneButton, "DONE", Plugin_Bank::kDoneId, "", 40, true, PageButtonShown::always },
};
static_assert (std::size (pageButtons) == Plugin_Bank::kNumButtons);

constexpr float kButtonFontHeight = 12.0f;
constexpr int kButtonsFromRight = 120;
constexpr int kRowAreaWidth = 302, kListWidth = 334;
} // namespace

Plugin_Bank::Plugin_Bank (VellixAudioProcessor& p) : processor (p)
{
    list = std::make_unique<Plugin_File> (processor);
    list->setColumnWidths ({ 50, 180, 0, 0 });
    list->setColumnCount (2);
    addAndMakeVisible (*list);
    list->addListener (this);

    createPageButtons (pageButtons, buttons, kButtonFontHeight, *this, *this);
    buttons[(size_t) kApplyButton]->setVisible (false);

    setUpLibraryStatusLabel (statusLabel);
    addAndMakeVisible (statusLabel);

    setSize (500, 600);
    updateButtons();
}

Plugin_Bank::~Plugin_Bank() = default;

void Plugin_Bank::paint (juce::Graphics& g)
{
    g.fillAll (EditorLook::libraryPage);
    g.setColour (EditorLook::libraryPageRule);
    g.fillRect (0, 4, getWidth(), 2);
}

void Plugin_Bank::resized()
{
    list->setRowAreaWidth (kRowAreaWidth);
    list->setBounds (20, 10, kListWidth, kListRows * list->getLook().rowHeight);

    placePageButtons (pageButtons, buttons, kButtonsFromRight, getWidth(), getHeight());

    statusLabel.setBounds (400, getHeight() - 30, 400, 24);
    updateButtons();
}

bool Plugin_Bank::hasSelectedPreset() const noexcept
{
    return list->getRowCount() > 0 && list->getSelectedPreset() >= 0;
}

void Plugin_Bank::updateButtons()
{
    const bool rows = list->getRowCount() > 0;
    const bool selection = hasSelectedPreset();

    applyPageButtonRule (pageButtons, buttons, rows, selection);
}

void Plugin_Bank::presetListChanged (int, int)
{
    updateButtons();

    // A right-button press reports twice, so the preset is recalled twice.
    if (hasSelectedPreset())
        processor.setCurrentProgram (list->getSelectedPreset());
}

void Plugin_Bank::presetListDoubleClicked (int, int)
{
    // The window listens to DONE and hides itself before the page's close request.
    buttons[(size_t) kDoneButton]->triggerClick();
}

void Plugin_Bank::libButtonEntered (LibBut* button, int)
{
    statusLabel.setText (button->helpText, juce::dontSendNotification);
}

void Plugin_Bank::libButtonExited (LibBut*, int)
{
    statusLabel.setText ({}, juce::dontSendNotification);
}
