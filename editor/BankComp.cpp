#include "editor/BankComp.h"

#include "core/midi/MidiCntrState.h"
#include "core/model/ProgramImage.h"
#include "editor/EditorLook.h"
#include "editor/ProgramCategoryNames.h"

namespace
{
struct MenuButton
{
    const char* text;
    int code;
    int dx; // from the grid's left edge, on the row above it
};
constexpr MenuButton menuButtonTable[] = {
    { "FILE", kBankPageFile, 0 },
    { "MIDI", kBankPageMidi, 78 },
    { "PRESETS", kBankPagePresets, 156 },
};

constexpr const char* bankButtonTexts[] = { "BANK A", "BANK B", "BANK C" };
constexpr int kMenuButtonId = 6;
constexpr int kNumShownCategoryButtons = 26;
constexpr const char* kNotAssignedText = "-----";
constexpr int kCategoryColumns = 4, kCategoryStepX = 78, kButtonStepY = 36;

// Design units and pixels of the layout.
constexpr float kPanelX = 13.0f, kPanelY = 165.0f;
constexpr int kPanelBottomGap = 6, kGridTop = 40, kGridBottomGap = 60, kGridWidth = 350, kRowHeight = 26;
constexpr int kContentWidth = 550, kBankButtonsLeft = 100, kSwitchDx = 244, kSwitchDy = 30, kCategoryDx = 380;

std::unique_ptr<KwsBut> makeButton (juce::Component& page, kwsbutChangeListener& listener, const juce::String& text, int id)
{
    auto button = std::make_unique<KwsBut> (text, id, kwsButBar);
    page.addAndMakeVisible (*button);
    button->addChangeListener (&listener);
    return button;
}
} // namespace

BankComp::BankComp (MidiCntrState& h) : hub (h)
{
    for (size_t b = 0; b < bankButtons.size(); ++b)
        bankButtons[b] = makeButton (*this, *this, bankButtonTexts[b], (int) b);
    for (size_t i = 0; i < menuButtons.size(); ++i)
        menuButtons[i] = makeButton (*this, *this, menuButtonTable[i].text, kMenuButtonId);
    okButton = makeButton (*this, *this, "OK", 0);

    useLoadedData = std::make_unique<SwitchLED> ("Use Loaded Data", 10.0f);
    addAndMakeVisible (*useLoadedData);
    useLoadedData->addChangeListener (this);

    grid = std::make_unique<KwsGrid> (hub);
    addAndMakeVisible (*grid);
    grid->addChangeListener (this);
    grid->configureForPages();
    grid->fillList (kGridOneBank, 0);

    for (int i = 0; i < kNumCategoryButtons; ++i)
    {
        const auto text = i == 0 ? juce::String (kNotAssignedText) : getCategoryName (i);
        auto& button = categoryButtons[(size_t) i];
        button = makeButton (*this, *this, text, 0);
        // The last two have no category to list.
        button->setVisible (i < kNumShownCategoryButtons);
    }
}

BankComp::~BankComp() = default;

KwsBut& BankComp::getMenuButton (int wanted)
{
    for (size_t i = 0; i < menuButtons.size(); ++i)
        if (menuButtonTable[i].code == wanted)
            return *menuButtons[i];
    return *menuButtons.front();
}

void BankComp::layout (int pageWidth, int pageHeight)
{
    const float s = hub.getEditorScale();
    const int x = EditorLook::scaled (kPanelX, s), y = EditorLook::scaled (kPanelY, s);
    panel = { x, y, pageWidth - 2 * x, pageHeight - y - kPanelBottomGap };

    const int f = y + kGridTop;
    const int g = (pageHeight - y - kGridBottomGap) / kRowHeight * kRowHeight;
    const int e = (pageWidth - kContentWidth) / 2;

    for (size_t b = 0; b < bankButtons.size(); ++b)
        bankButtons[b]->placeWithStyleImages (e - kBankButtonsLeft, f + kButtonStepY * (int) b, kButtonWidth, kButtonHeight, true);
    for (size_t i = 0; i < menuButtons.size(); ++i)
        menuButtons[i]->placeWithStyleImages (e + menuButtonTable[i].dx, f - kButtonStepY, kButtonWidth, kButtonHeight, true);

    useLoadedData->setTopLeftPosition (e + kSwitchDx, f - kSwitchDy);

    for (int i = 0; i < kNumCategoryButtons; ++i)
        categoryButtons[(size_t) i]->placeWithStyleImages (e + kCategoryDx + kCategoryStepX * (i % kCategoryColumns),
                                                           f + kButtonStepY * (i / kCategoryColumns), kButtonWidth, kButtonHeight, true);

    okButton->placeWithStyleImages (categoryButtons[3]->getX(), f + g - kButtonHeight, kButtonWidth, kButtonHeight, true);
    grid->setBounds (e, f, kGridWidth, g);
    setBounds (0, 23, pageWidth, pageHeight);
    repaint();
}

void BankComp::showFromModel()
{
    useLoadedData->on = hub.isUseLoadedData();
    useLoadedData->repaint();

    const int bank = hub.getCurrentHardwareBank();
    grid->fillList (kGridOneBank, juce::isPositiveAndBelow (bank, MidiCntrState::kNumHardwareBanks) ? bank : 0);
    grid->setSelectedRow (hub.getCurrentHardwareProgram());
}

void BankComp::paint (juce::Graphics& g)
{
    EditorLook::paintPagePanel (g, panel, EditorLook::overlayDim);
}

void BankComp::kwsButtonChanged (KwsBut* sender)
{
    for (size_t i = 0; i < menuButtons.size(); ++i)
    {
        if (sender == menuButtons[i].get())
        {
            code = menuButtonTable[i].code;
            sendChangeMessage();
            return;
        }
    }

    for (size_t b = 0; b < bankButtons.size(); ++b)
        if (sender == bankButtons[b].get())
            return grid->showBank ((int) b);

    for (int i = 0; i < kNumShownCategoryButtons; ++i)
        if (sender == categoryButtons[(size_t) i].get())
            return grid->fillList (kGridCategory, i);
}

void BankComp::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == useLoadedData.get())
    {
        code = kBankPageUseLoadedData;
        sendChangeMessage();
    }
    else if (source == grid.get())
    {
        handleGridCode();
    }
}

void BankComp::handleGridCode()
{
    const int bank = grid->getSelectedBank(), program = grid->getSelectedProgram();
    const auto image = hub.getProgramImage (bank, program);
    if (! image)
        return; // no row was hit

    switch (grid->getChangeCode())
    {
        case kGridRowSelected:
            // Loaded data: the synthesizer is assumed to hold it already.
            if (hub.isUseLoadedData())
                hub.storeProgram (false, bank, program, *image);
            else
                hub.selectProgram (bank, program, true, true);
            break;

        case kGridCategoryClick:
        {
            juce::Component::SafePointer<BankComp> safeThis (this);
            showCategoryMenu (getLookAndFeel(), [safeThis, bank, program] (int category) {
                if (safeThis != nullptr)
                    safeThis->handleCategoryChoice (bank, program, category);
            });
            break;
        }

        case kGridRightClick:
            code = kBankPageProgramMenu;
            sendChangeMessage();
            break;

        default:
            break;
    }
}

void BankComp::handleCategoryChoice (int bank, int program, int category)
{
    if (! juce::isPositiveAndBelow (category, kNumProgramCategories) || ! hub.getProgramImage (bank, program))
        return;

    // The plug-in's copy of the bank only: nothing is sent, no event is posted.
    hub.setSlotByte (bank, program, ProgramImage::kCategoryOffset, category);
    grid->repaint();
}
