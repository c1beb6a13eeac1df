#include "windows/library/LibClass.h"

#include "core/VellixAudioProcessor.h"
#include "windows/library/PageButtons.h"
#include "editor/ProgramCategoryNames.h"

// LibClass in two files: this one builds the page, lays it out and follows
// its list; LibClassCommands.cpp runs the commands and their questions.

namespace
{
using PageButton = PageButtonRow<LibClass>;

constexpr PageButton pageButtons[] = {
    { LibClass::kLoadButton, "LOAD", LibClass::kLoadId, "Load Library or Bank Files", 10, false, PageButtonShown::always },
    { LibClass::kSaveButton, "SAVE", LibClass::kSaveId, "Save Library File", 50, false, PageButtonShown::withRows },
    { LibClass::kClearButton, "CLEAR ALL", LibClass::kClearAllId, "Remove all items from Library", 90, false, PageButtonShown::withRows },
    { LibClass::kApplyButton, "APPLY", LibClass::kApplyId, "Apply selected program and set as the current program", 90, true, PageButtonShown::never },
    { LibClass::kRenameButton, "RENAME", LibClass::kRenameId, "Rename selected program in the Library", 130, true, PageButtonShown::withSelection },
    { LibClass::kDeleteButton, "DELETE", LibClass::kDeleteId, "Delete selected program from the Library", 170, true, PageButtonShown::withSelection },
    { LibClass::kAddButton, "ADD CURRENT", LibClass::kAddCurrentId, "Add the current program to the Library", 210, true, PageButtonShown::always },
    { LibClass::kDoneButton, "DONE", LibClass::kDoneId, "", 40, true, PageButtonShown::always },
};
static_assert (std::size (pageButtons) == LibClass::kNumButtons);

constexpr float kButtonFontHeight = 12.0f;
constexpr int kButtonsFromRight = 120;
const juce::Rectangle<int> titleBounds { 400, 16, 200, 20 };
const juce::Rectangle<int> categoryFilterBounds { 400, 140, 440, 380 };
} // namespace

LibClass::LibClass (VellixAudioProcessor& p) : processor (p)
{
    list = std::make_unique<KwsFile>();
    addAndMakeVisible (*list);
    list->addListener (this);
    list->setRowAreaWidth (kRowAreaWidth);

    titleLabel = std::make_unique<SimpleLabel> (16.0f, EditorLook::libraryPage, juce::Font::bold,
                                                juce::Justification::centredLeft);
    addAndMakeVisible (*titleLabel);

    categoryFilter = std::make_unique<CatContainer>();
    addAndMakeVisible (*categoryFilter);
    categoryFilter->createCategoryButtons();
    categoryFilter->addListener (this);

    createPageButtons (pageButtons, buttons, kButtonFontHeight, *this, *this);
    buttons[(size_t) kApplyButton]->setVisible (false);

    setSize (500, 600);
    updateButtons();

    titleLabel->setBounds (titleBounds);
    categoryFilter->setBounds (categoryFilterBounds);

    setUpLibraryStatusLabel (statusLabel);
    addAndMakeVisible (statusLabel);
}

LibClass::~LibClass()
{
    // The library reaches the default file only here; an empty one leaves it.
    list->saveDefaultLibrary();
}

void LibClass::loadDefaultLibrary()
{
    list->loadDefaultLibrary();
}

void LibClass::paint (juce::Graphics& g)
{
    g.fillAll (EditorLook::libraryPage);
    g.setColour (EditorLook::libraryPageRule);
    g.fillRect (0, 4, getWidth(), 2);
}

void LibClass::resized()
{
    list->setBounds (20, 10, kListWidth, kListRows * list->getLook().rowHeight);

    placePageButtons (pageButtons, buttons, kButtonsFromRight, getWidth(), getHeight());

    updateButtons();
    statusLabel.setBounds (400, getHeight() - 30, 400, 24);
}

bool LibClass::hasSelectedProgram() const noexcept
{
    return juce::isPositiveAndBelow (list->getSelectedLibraryIndex(), list->getModel().getLibrary().getNumPrograms());
}

void LibClass::updateButtons()
{
    const bool rows = list->getRowCount() > 0;
    const bool selection = rows && hasSelectedProgram();

    applyPageButtonRule (pageButtons, buttons, rows, selection);
}

void LibClass::applySelectedProgram()
{
    if (list->getRowCount() > 0 && hasSelectedProgram())
    {
        ProgramImage::Block image {};
        const auto* program = list->getModel().getLibrary().getProgramData (list->getSelectedLibraryIndex());
        std::copy (program, program + ProgramImage::kSize, image.begin());

        juce::MemoryBlock chunk;
        VellixAudioProcessor::writeProgramStateChunk (image, chunk);
        processor.setCurrentProgramStateInformation (chunk.getData(), (int) chunk.getSize());
    }
    updateButtons();
}

void LibClass::showCategoryCounts()
{
    const auto& model = list->getModel();
    for (int category = 0; category < CatContainer::kNumCategories; ++category)
        categoryFilter->getCountLabel (category).setNumberText (model.getCategoryCount (category));

    categoryFilter->getCountLabel (CatContainer::kSizeLabel)
        .setText ("Size: " + juce::String (model.getLibrary().getNumPrograms()));
}

void LibClass::fileListChanged (int code, int)
{
    if (code == kFileCategoriesCounted)
        showCategoryCounts();
    updateButtons();
    applySelectedProgram();
}

void LibClass::fileListDoubleClicked (int, int)
{
    // The window listens to DONE and hides itself.
    buttons[(size_t) kDoneButton]->triggerClick();
}

void LibClass::categorySelected (int index)
{
    if (index == kCategoryCount)
    {
        titleLabel->setText ({});
        list->rebuildList (KwsFile::kAllCategories);
    }
    else
    {
        titleLabel->setText (getCategoryName (index));
        list->setFilterCategory (index);
        list->rebuildList (KwsFile::kOneCategory);
    }
    updateButtons();
}

void LibClass::mouseDown (const juce::MouseEvent&)
{
    categorySelected (list->getFilterCategory());
}

void LibClass::libButtonEntered (LibBut* button, int)
{
    statusLabel.setText (button->helpText, juce::dontSendNotification);
}

void LibClass::libButtonExited (LibBut*, int)
{
    statusLabel.setText ({}, juce::dontSendNotification);
}
