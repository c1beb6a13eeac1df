#include "editor/MainComp.h"

#include "core/VellixAudioProcessor.h"
#include "core/midi/MophoSysEx.h"
#include "core/storage/SettingsFile.h"
#include "editor/ProgramCategoryNames.h"

void MainComp::kwsButtonClicked (int buttonId)
{
    switch (buttonId)
    {
        case AppBar::kRecv:
            hub.sendDumpRequest (MophoSysEx::kRequestEditBuffer, 0, 0);
            break;

        case AppBar::kMidi:
            if (! writePageShown)
                showMidiSetup (midiSetup == nullptr);
            break;

        case AppBar::kProgramView:
        case AppBar::kSequencerView:
            setViewMode (buttonId);
            break;

        case AppBar::kEdit:
            showEditMenu();
            break;

        case AppBar::kFile:
            showFileMenu();
            break;

        case AppBar::kSend:
            showSendMenu();
            break;

        case AppBar::kBank:
            switchPage (kBankPageSwitch, ! bankPageShown);
            break;

        case AppBar::kWrite:
            switchPage (kWritePageSwitch, writePage == nullptr);
            break;

        default:
            break;
    }
}

void MainComp::kwsButtonChanged (KwsBut* sender)
{
    if (transferOverlay != nullptr && sender == &transferOverlay->getCancelButton() && hub.isTransferBusy())
        endTransfer();
    else if (handleBankAndWriteButton (sender))
        return;
    else if (sender == &editorPanel->getSequencerButton() || sender == &seqPanel->getProgramButton())
        kwsButtonClicked (sender->getId());
}

void MainComp::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == &appBar->getToolButton())
        openLibraryWindow();
    else if (source == &appBar->getChannelLabel())
    {
        showChannelMenu();
    }
    else if (source == programDisplay.get())
    {
        if (programDisplay->getClickZone() == LCD_Comp::kZoneNumber)
            showProgramSelectMenu();
        else if (programDisplay->getClickZone() == LCD_Comp::kZoneCategory)
            showCategoryChooser();
    }
    else if (source == keyboardDrawer.get())
    {
        keyboardDrawer->setAlwaysOnTop (false);
        keyboardDrawer->setAlwaysOnTop (true);
    }
    else if (! handleOverlayChange (source) && ! handleBankPageChange (source) && ! handleSectionEditorChange (source)
             && ! handleSequencerChange (source))
        handleMidiSetupChange (source);
}

void MainComp::setViewMode (int mode)
{
    leaveTrackEditor();
    viewMode = mode;
    layoutChildren();
}

//==============================================================================
juce::String MainComp::getClipboardName() const
{
    return clipboardValid ? clipboard->getName() : juce::String();
}

namespace
{
// The program a command works on: a bank slot, or the edit buffer.
std::optional<ProgramImage::Block> programOf (MidiCntrState& hub, bool fromBank, int bank, int program)
{
    return fromBank ? hub.getProgramImage (bank, program) : hub.getEditBufferImage();
}
} // namespace

void MainComp::copyProgram (bool fromBank, int bank, int program)
{
    const auto image = programOf (hub, fromBank, bank, program);
    if (! image)
        return;

    clipboard = std::make_unique<DSI_Program>();
    clipboard->setProgram (ProgramImage::toArray (*image));
    clipboardValid = true;
    refreshFromCurrentProgram();
}

void MainComp::pasteProgram (bool toBank, int bank, int program)
{
    if (clipboardValid)
        hub.storeProgram (toBank, bank, program, clipboard->getProgramBlock());
}

void MainComp::refreshFromCurrentProgram()
{
    hub.storeProgram (false, 0, 0, hub.getEditBufferImage());
}

//==============================================================================
bool MainComp::loadProgramFile (const juce::String& path, bool toBank, int bank, int program)
{
    if (! fileMan.loadSingleProgramFile (path))
        return false;

    hub.storeProgram (toBank, bank, program, fileMan.getCurrentProgram().getProgramBlock());
    return true;
}

bool MainComp::loadBankFile (const juce::String& path, int bank)
{
    if (hub.getBank (bank) == nullptr || ! fileMan.loadProgramDumpFile (path))
        return false;

    const auto& dumps = fileMan.getCurrentProgram().getProgramBytes();
    const juce::MemoryBlock block (dumps.begin(), (size_t) dumps.size());
    hub.changeBank (bank, [&block] (Bank_Program& b) { b.loadProgramDumps (block); });
    return true;
}

bool MainComp::saveProgramFile (const juce::String& path, bool fromBank, int bank, int program)
{
    const auto image = programOf (hub, fromBank, bank, program);
    return image && fileMan.saveFile (path, ProgramImage::buildEditBufferDump (*image));
}

bool MainComp::saveBankFile (const juce::String& path, int bank)
{
    // The bank as it stands now, whatever arrives while its dumps are built.
    const auto copy = hub.copyBank (bank);
    return copy != nullptr && fileMan.saveFile (path, copy->buildProgramDumps (bank));
}

void MainComp::fileDialog (char kind, int mode, const juce::String& name, std::function<bool (const juce::String&)> act)
{
    juce::Component::SafePointer<MainComp> safeThis (this);
    fileMan.browseForFile (kind, mode, name.trim(), [safeThis, act] (bool confirmed) {
        if (safeThis != nullptr && confirmed)
            act (safeThis->fileMan.getChosenPath());
    });
}

//==============================================================================
void MainComp::startTransfer (int operation, int startBank)
{
    if (transferOverlay != nullptr)
        return;

    transferOverlay = std::make_unique<ProgBar> (getWidth(), getWidth(), getHeight());
    addAndMakeVisible (*transferOverlay);
    transferOverlay->setAlwaysOnTop (true);
    transferOverlay->getCancelButton().addChangeListener (this);
    transferOverlay->enterModalState (false);

    hub.startTransfer (operation, startBank);
}

void MainComp::endTransfer()
{
    hub.endTransfer();

    if (transferOverlay == nullptr)
        return;

    // CANCEL may be what called: the overlay, and the button with it, is
    // deleted once the button's own call has returned.
    transferOverlay->close();
    closedOverlay = std::move (transferOverlay);

    juce::Component::SafePointer<MainComp> safeThis (this);
    juce::MessageManager::callAsync ([safeThis] {
        if (safeThis != nullptr)
            safeThis->closedOverlay.reset();
    });
}
