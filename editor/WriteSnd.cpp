#include "editor/WriteSnd.h"

#include "core/midi/MidiCntrState.h"
#include "core/model/ProgramImage.h"
#include "editor/EditorLook.h"
#include "editor/ProgramCategoryNames.h"

namespace
{
constexpr const char* bankButtonTexts[] = { "BANK A", "BANK B", "BANK C" };
constexpr int kButtonWidth = 70, kButtonHeight = 18;

// Pixels of the layout, but for the panel's inset in design units.
constexpr float kPanelX = 13.0f;
constexpr int kPanelY = 2, kPanelBottomGap = 8, kGridWidth = 350, kGridTop = 87, kGridBottomGap = 103, kRowHeight = 26;
constexpr int kBankButtonsLeft = 100, kBankButtonsTop = 93, kButtonStepY = 36, kDisplayTop = 10;
constexpr int kRightButtonsDx = 380, kCancelAboveEnd = 54, kWriteAboveEnd = 18, kRenameBelowDisplay = 10;
const juce::Rectangle<int> captionArea { 105, 15, 100, 20 }; // from the panel's corner
constexpr int kNoticeGap = 12, kNoticeLines = 2;
constexpr float kNoticeFontHeight = 13.0f;
} // namespace

WriteSnd::WriteSnd (MidiCntrState& h, int bank, int program, const juce::String& programName, int programCategory)
    : hub (h),
      destinationBank (juce::isPositiveAndBelow (bank, MidiCntrState::kNumHardwareBanks) ? bank : 0),
      destinationProgram (juce::jlimit (0, 127, program)),
      category (juce::isPositiveAndBelow (programCategory, kNumProgramCategories) ? programCategory : 0)
{
    for (size_t b = 0; b < bankButtons.size(); ++b)
    {
        bankButtons[b] = std::make_unique<KwsBut> (bankButtonTexts[b], (int) b, kwsButBank);
        addAndMakeVisible (*bankButtons[b]);
        bankButtons[b]->addChangeListener (this);
    }

    writeButton = std::make_unique<KwsBut> ("WRITE", kWriteId, kwsButDialog);
    addAndMakeVisible (*writeButton);
    cancelButton = std::make_unique<KwsBut> ("CANCEL", kWriteId, kwsButDialog);
    addAndMakeVisible (*cancelButton);

    grid = std::make_unique<KwsGrid> (hub);
    addAndMakeVisible (*grid);
    grid->addChangeListener (this);
    grid->configureForPages();
    grid->fillList (kGridOneBank, destinationBank);

    display = std::make_unique<LCD_Comp> (&hub);
    addAndMakeVisible (*display);
    display->setAll (destinationBank, destinationProgram, category, programName, getCategoryName (category));
    display->addChangeListener (this);
}

WriteSnd::~WriteSnd() = default;

void WriteSnd::layout (int pageWidth, int pageHeight)
{
    const int x = EditorLook::scaled (kPanelX, hub.getEditorScale());
    panel = { x, kPanelY, pageWidth - 2 * x, pageHeight - kPanelBottomGap };
    const int d = (pageWidth - kGridWidth) / 2;

    for (size_t b = 0; b < bankButtons.size(); ++b)
        bankButtons[b]->placeWithStyleImages (d - kBankButtonsLeft, kBankButtonsTop + kButtonStepY * (int) b, kButtonWidth, kButtonHeight, true);

    // Never scaled: it reads as the synthesizer's own display.
    display->place (d, panel.getY() + kDisplayTop, 1.0f);

    const int r = (panel.getBottom() - kGridBottomGap) / kRowHeight * kRowHeight;
    grid->setBounds (d, kGridTop, kGridWidth, juce::jmax (0, r));
    cancelButton->placeWithStyleImages (d + kRightButtonsDx, kGridTop + r - kCancelAboveEnd, kButtonWidth, kButtonHeight, true);
    writeButton->placeWithStyleImages (d + kRightButtonsDx, kGridTop + r - kWriteAboveEnd, kButtonWidth, kButtonHeight, true);

    setBounds (0, 23, pageWidth, pageHeight);
}

juce::String WriteSnd::getWriteName() const
{
    return name.isEmpty() ? display->getNameText() : name;
}

void WriteSnd::paint (juce::Graphics& g)
{
    EditorLook::paintPagePanel (g, panel, EditorLook::writePageDim);

    g.setColour (EditorLook::writeCaption);
    g.setFont (EditorLook::font (13.0f, juce::Font::bold));
    g.drawText ("Destination:", captionArea + panel.getPosition(), juce::Justification::topLeft, true);

    if (notice.isNotEmpty())
    {
        g.setColour (EditorLook::writeNotice);
        g.setFont (EditorLook::font (kNoticeFontHeight, juce::Font::bold));
        g.drawFittedText (notice, noticeArea(), juce::Justification::centredLeft, kNoticeLines);
    }
}

juce::Rectangle<int> WriteSnd::noticeArea() const
{
    const auto beside = display->getBounds().withLeft (display->getRight() + kNoticeGap);
    return beside.withRight (juce::jmax (beside.getX(), panel.getRight() - kNoticeGap));
}

void WriteSnd::showWriteResult (bool reachedOutput)
{
    notice = reachedOutput ? juce::String()
                           : "Not sent to the synthesizer: the MIDI output is closed.\n"
                                 + LCD_Comp::numberText (destinationBank, destinationProgram)
                                 + " is kept in the plug-in's bank only.";
    repaint (noticeArea());
}

void WriteSnd::kwsButtonChanged (KwsBut* sender)
{
    for (size_t b = 0; b < bankButtons.size(); ++b)
        if (sender == bankButtons[b].get())
            return grid->fillList (kGridOneBank, (int) b);

    if (renameBox == nullptr)
        return;

    if (sender == &renameBox->getOkButton())
    {
        applyName (renameBox->getText());
        closeRenameBox();
    }
    else if (sender == &renameBox->getCancelButton())
    {
        closeRenameBox();
    }
}

void WriteSnd::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == grid.get())
    {
        const auto [bank, program] = std::make_pair (grid->getSelectedBank(), grid->getSelectedProgram());
        if (! hub.getProgramImage (bank, program))
            return;
        destinationBank = bank;
        destinationProgram = program;
        display->setBankAndProgram (bank, program);
    }
    else if (source == display.get())
    {
        if (display->getClickZone() == LCD_Comp::kZoneName)
        {
            openRenameBox();
        }
        else if (display->getClickZone() == LCD_Comp::kZoneCategory)
        {
            juce::Component::SafePointer<WriteSnd> safeThis (this);
            showCategoryMenu (getLookAndFeel(), [safeThis] (int chosen) {
                if (safeThis != nullptr)
                    safeThis->chooseCategory (chosen);
            });
        }
    }
}

void WriteSnd::openRenameBox()
{
    if (renameBox != nullptr)
        return;

    name = display->getNameText().substring (0, ProgramImage::kNameLength);
    renameBox = std::make_unique<RenameCnt> (display->getX(), display->getY() + kRenameBelowDisplay, name.trimEnd());
    addAndMakeVisible (*renameBox);
    renameBox->getOkButton().addChangeListener (this);
    renameBox->getCancelButton().addChangeListener (this);
}

void WriteSnd::applyName (const juce::String& text)
{
    name = text.substring (0, ProgramImage::kNameLength).paddedRight (' ', ProgramImage::kNameLength);
    display->setName (text);
}

void WriteSnd::chooseCategory (int chosen)
{
    if (! juce::isPositiveAndBelow (chosen, kNumProgramCategories))
        return;
    category = chosen;
    display->setCategory (chosen, getCategoryName (chosen));
}

void WriteSnd::closeRenameBox()
{
    renameBox.reset();
}
