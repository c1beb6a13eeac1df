#include "windows/library/Plugin_Bank.h"

#include "core/VellixAudioProcessor.h"
#include "core/storage/FileMan.h"

namespace
{
constexpr int kNumHardwareBanks = 3;
constexpr int kLoadFxPresetDialog = 11, kLoadFxBankDialog = 10;
constexpr int kSaveFxPresetDialog = 111, kSaveFxBankDialog = 110;
const char* const kBankFileDefaultName = "Mopho Preset Bank";
const juce::Rectangle<int> parkedBounds { -100, -100, 50, 50 };
} // namespace

juce::String Plugin_Bank::currentPresetName() const
{
    const int current = processor.getCurrentProgram();
    const juce::SpinLock::ScopedLockType sl (processor.getHub().getImageLock());
    return processor.getHostBank().getProgramName (current).trimEnd();
}

void Plugin_Bank::libButtonClicked (LibBut*, int id)
{
    switch (id)
    {
        case kDoneId:
            changeCode = kCloseRequest;
            sendChangeMessage();
            break;
        case kRenameId: renameSelected(); break;
        case kApplyId:
            if (hasSelectedPreset())
                processor.setCurrentProgram (list->getSelectedPreset());
            break;
        case kSaveId: showMenu (buildSaveMenu(), kSaveButton, &Plugin_Bank::handleSaveMenu); break;
        case kLoadId: showMenu (buildLoadMenu(), kLoadButton, &Plugin_Bank::handleLoadMenu); break;
        case kSetCurrentId: showSetCurrent(); break;
        default: break;
    }
    updateButtons();
}

//==============================================================================
juce::PopupMenu Plugin_Bank::buildSaveMenu() const
{
    juce::PopupMenu menu;
    menu.addItem (kSavePresetFile, "Save " + currentPresetName() + " Preset as");
    menu.addItem (kSaveBankFile, "Save Preset Bank as");
    return menu;
}

juce::PopupMenu Plugin_Bank::buildLoadMenu() const
{
    juce::PopupMenu menu;
    menu.addItem (kLoadPresetFile, "Load Single Preset File");
    menu.addItem (kLoadBankFile, "Load Preset Bank File");
    menu.addSeparator();
    menu.addItem (kLoadProgramBankFile, "Load Program Bank From File");
    menu.addSeparator();
    for (int bank = 0; bank < kNumHardwareBanks; ++bank)
        if (auto* b = processor.getHub().getBank (bank))
            menu.addItem (kLoadHardwareBankA + bank, "Load From " + b->getBankName());
    return menu;
}

void Plugin_Bank::showMenu (const juce::PopupMenu& menu, int buttonIndex, void (Plugin_Bank::*handler) (int))
{
    auto shown = menu;
    shown.setLookAndFeel (&getLookAndFeel());
    juce::Component::SafePointer<Plugin_Bank> safeThis (this);
    shown.showMenuAsync (juce::PopupMenu::Options().withTargetComponent (buttons[(size_t) buttonIndex].get()),
                         [safeThis, handler] (int itemId) {
                             if (safeThis != nullptr)
                                 (safeThis.getComponent()->*handler) (itemId);
                         });
}

void Plugin_Bank::browse (char kind, int mode, const juce::String& defaultName, std::function<void (const juce::String&)> chosen)
{
    fileMan = std::make_unique<FileMan>();
    auto& files = *fileMan;
    juce::Component::SafePointer<Plugin_Bank> safeThis (this);
    files.browseForFile (kind, mode, defaultName, [safeThis, &files, chosen] (bool confirmed) {
        if (safeThis != nullptr && confirmed && files.getChosenPath().isNotEmpty())
            chosen (files.getChosenPath());
    });
}

void Plugin_Bank::handleSaveMenu (int itemId)
{
    juce::Component::SafePointer<Plugin_Bank> safeThis (this);
    if (itemId == kSavePresetFile)
        browse ('c', kSaveFxPresetDialog, currentPresetName(), [safeThis] (const juce::String& path) {
            safeThis->reportSave (safeThis->saveFxPreset (path), path);
        });
    else if (itemId == kSaveBankFile)
        browse ('c', kSaveFxBankDialog, kBankFileDefaultName, [safeThis] (const juce::String& path) {
            safeThis->reportSave (safeThis->saveFxBank (path), path);
        });
    updateButtons();
}

void Plugin_Bank::reportSave (bool written, const juce::String& path)
{
    // A file that could not be written must not pass for saved.
    statusLabel.setText (written ? juce::String() : "Could not save " + juce::File (path).getFileName(),
                         juce::dontSendNotification);
    updateButtons();
}

bool Plugin_Bank::saveFxPreset (const juce::String& path)
{
    return processor.saveProgramStateFile (path);
}

bool Plugin_Bank::saveFxBank (const juce::String& path)
{
    return processor.saveBankStateFile (path);
}

void Plugin_Bank::loadFxPreset (const juce::String& path)
{
    processor.loadProgramStateFile (path);
    list->repaint();
}

void Plugin_Bank::loadFxBank (const juce::String& path)
{
    processor.loadBankStateFile (path);
    list->repaint();
}

void Plugin_Bank::importHardwareBank (int bank)
{
    if (auto* b = processor.getHub().getBank (bank))
        list->storeProgramsIntoPresets (*b, Bank_Program::kNumPrograms);
}

void Plugin_Bank::handleLoadMenu (int itemId)
{
    juce::Component::SafePointer<Plugin_Bank> safeThis (this);
    if (itemId == kLoadPresetFile)
        browse ('b', kLoadFxPresetDialog, {}, [safeThis] (const juce::String& path) { safeThis->loadFxPreset (path); });
    else if (itemId == kLoadBankFile)
        browse ('b', kLoadFxBankDialog, {}, [safeThis] (const juce::String& path) { safeThis->loadFxBank (path); });
    else if (itemId == kLoadProgramBankFile)
        list->loadProgramBankFile ([safeThis] (bool) {
            if (safeThis != nullptr)
                safeThis->updateButtons();
        });
    else if (juce::isPositiveAndBelow (itemId - kLoadHardwareBankA, kNumHardwareBanks))
        importHardwareBank (itemId - kLoadHardwareBankA);

    list->repaint();
    updateButtons();
}

//==============================================================================
void Plugin_Bank::renameSelected()
{
    if (! hasSelectedPreset())
        return;

    const int preset = list->getSelectedPreset();
    juce::String name;
    int category = 0;
    {
        const juce::SpinLock::ScopedLockType sl (processor.getHub().getImageLock());
        name = processor.getHostBank().getProgramName (preset);
        category = juce::jmax (0, processor.getHostBank().getCategory (preset));
    }

    if (question == nullptr)
    {
        question = std::make_unique<TextInputCont>();
        addChildComponent (*question);
        question->addListener (this);
    }

    question->getTextField().setVisible (true);
    question->setBounds (getLocalBounds());
    question->setVisible (true);
    question->toFront (false);
    question->setup ("Rename " + name.trimEnd() + ":", name, "CANCEL", "OK", "", category, kRenameDialogId, preset);
}

void Plugin_Bank::closeQuestion()
{
    if (question != nullptr)
        question->dismiss();
}

void Plugin_Bank::textMsgAccepted (int dialogId, int kind)
{
    if (dialogId != kRenameDialogId || ! juce::isPositiveAndBelow (kind, VellixAudioProcessor::kNumHostPrograms)
        || question == nullptr)
        return;

    closeQuestion();
    const auto text = question->getText();
    {
        const juce::SpinLock::ScopedLockType sl (processor.getHub().getImageLock());
        auto& bank = processor.getHostBank();
        // An empty text keeps the name, yet the category chosen still applies.
        if (text.isNotEmpty())
            bank.setProgramName (kind, text);
        bank.setCategory (kind, question->getCategory());
    }
    list->repaint();
    updateButtons();
}

void Plugin_Bank::textMsgDeclined (int, int)
{
    closeQuestion();
}

void Plugin_Bank::textMsgCancelled (int, int)
{
    closeQuestion();
}

//==============================================================================
void Plugin_Bank::showSetCurrent()
{
    if (setCurrentDialog == nullptr)
    {
        setCurrentDialog = std::make_unique<TextSetCurCont> (processor);
        addChildComponent (*setCurrentDialog);
        setCurrentDialog->addListener (this);
    }

    setCurrentDialog->getNameField().setVisible (true);
    setCurrentDialog->setBounds (getLocalBounds());
    setCurrentDialog->setVisible (true);
    setCurrentDialog->toFront (false);
    setCurrentDialog->setup();
}

void Plugin_Bank::setCurrentAccepted (int targetPreset)
{
    if (setCurrentDialog == nullptr || ! juce::isPositiveAndBelow (targetPreset, VellixAudioProcessor::kNumHostPrograms))
        return;

    const auto name = setCurrentDialog->getNameField().getText();
    setCurrentCancelled();

    // An empty name becomes 16 blanks, as program names are padded.
    const auto codes = ProgramImage::encodeName (name);
    {
        const juce::SpinLock::ScopedLockType sl (processor.getHub().getImageLock());
        auto& bank = processor.getHostBank();
        auto program = bank.getEditBufferBlock();
        std::copy (codes.begin(), codes.end(), program.begin() + ProgramImage::kNameOffset);
        bank.setProgramBlock (targetPreset, program);
    }

    processor.setCurrentProgram (targetPreset);
    list->selectRow (targetPreset);
    list->repaint();
    updateButtons();
}

void Plugin_Bank::setCurrentCancelled()
{
    if (setCurrentDialog == nullptr)
        return;

    setCurrentDialog->setVisible (false);
    setCurrentDialog->setBounds (parkedBounds);
}
