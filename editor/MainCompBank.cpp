#include "editor/MainComp.h"

#include "editor/ProgramCategoryNames.h"

namespace
{
// Where the program editor shows above the bank page, in design units.
constexpr float kEditorAboveBankHeight = 164.0f;
constexpr int kBankPageBottomGap = 24, kWritePageBottomGap = 23;
} // namespace

void MainComp::createBankPage()
{
    bankPage = std::make_unique<BankComp> (hub);
    addChildComponent (*bankPage);
    bankPage->getOkButton().addChangeListener (this);
    bankPage->addChangeListener (this);
}

void MainComp::destroyBankPage()
{
    bankPage.reset();
}

void MainComp::switchPage (int which, bool show, int autoCloseMs)
{
    if (which == kWritePageSwitch)
        showWritePage (show);
    if (writePageShown)
        return;

    if (which == kAboutSwitch)
    {
        showAbout (show, autoCloseMs);
    }
    else if (which == kMidiSetupSwitch)
    {
        showMidiSetup (show);
    }
    else if (which == kBankPageSwitch)
    {
        closeKeyboardDrawer();
        if (viewMode == kSequencerView)
            setViewMode (kProgramView);

        bankPageShown = show;
        if (show)
        {
            bankPage->showFromModel();
            // Over the pages, but under whatever opens over it later.
            bankPage->setAlwaysOnTop (false);
            bankPage->setAlwaysOnTop (true);
        }
        else
        {
            bankPage->setBounds (0, AppBar::kHeight, 10, 10);
        }
        bankPage->setVisible (show);
        layoutChildren();
    }
}

void MainComp::showWritePage (bool show)
{
    closeKeyboardDrawer();
    setWritePageShown (show);

    if (! show)
    {
        writePage.reset();
        return;
    }

    if (writePage != nullptr)
        return;

    const auto image = hub.getEditBufferImage();
    const int bank = hub.getCurrentHardwareBank(), program = hub.getCurrentHardwareProgram();
    writePage = std::make_unique<WriteSnd> (hub, bank, program,
                                            ProgramImage::readName (ProgramImage::toArray (image), ProgramImage::kNameOffset),
                                            image[(size_t) ProgramImage::kCategoryOffset]);
    addChildComponent (*writePage);
    // Over every page, the bank and MIDI setup pages among them.
    writePage->setAlwaysOnTop (true);
    writePage->addChangeListener (this);
    writePage->getWriteButton().addChangeListener (this);
    writePage->getCancelButton().addChangeListener (this);
    writePage->getGrid().setSelectedRow (writePage->getDestinationProgram());
    writePage->layout (getWidth(), drawerTop() - kWritePageBottomGap);
    writePage->setVisible (true);
}

void MainComp::writeProgram()
{
    if (writePage == nullptr)
        return;

    const int bank = writePage->getDestinationBank(), program = writePage->getDestinationProgram();
    auto image = hub.getEditBufferImage();
    const auto name = ProgramImage::encodeName (writePage->getWriteName());
    std::copy (name.begin(), name.end(), image.begin() + ProgramImage::kNameOffset);
    image[(size_t) ProgramImage::kCategoryOffset] = (juce::uint8) writePage->getCategory();

    // Stored here whatever becomes of the dump; the page says when it never left.
    hub.storeProgram (true, bank, program, image);
    const bool sent = hub.sendProgramDump (bank, program, image);
    // The slot written is the program in hand now, as on the synthesizer's own panel.
    hub.selectProgram (bank, program, false, false);

    writePage->getGrid().repaint();
    writePage->getDisplay().setAll (bank, program, writePage->getCategory(), writePage->getDisplay().getNameText(),
                                    getCategoryName (writePage->getCategory()));
    writePage->showWriteResult (sent);
}

void MainComp::handleBankPageCode (int code)
{
    auto& grid = bankPage->getGrid();

    switch (code)
    {
        case kBankPageProgramMenu: showProgramMenu (grid.getSelectedBank(), grid.getSelectedProgram()); break;
        case kBankPagePresets: showBankMenu (bankPage->getMenuButton (code)); break;
        case kBankPageFile: showBankFileMenu (bankPage->getMenuButton (code)); break;
        case kBankPageMidi: showBankTransferMenu (bankPage->getMenuButton (code)); break;
        case kBankPageUseLoadedData: hub.setUseLoadedData (! hub.isUseLoadedData()); break;
        default: break;
    }
}

bool MainComp::handleBankAndWriteButton (KwsBut* sender)
{
    if (sender == &bankPage->getOkButton())
    {
        kwsButtonClicked (AppBar::kBank);
        return true;
    }

    if (writePage == nullptr)
        return false;

    if (sender == &writePage->getWriteButton())
    {
        writeProgram();
        return true;
    }

    if (sender == &writePage->getCancelButton())
    {
        showWritePage (false);
        return true;
    }

    return false;
}

bool MainComp::handleBankPageChange (juce::ChangeBroadcaster* source)
{
    if (source == bankPage.get())
    {
        handleBankPageCode (bankPage->getCode());
        return true;
    }

    return writePage != nullptr && source == writePage.get();
}

void MainComp::followBankContents()
{
    auto& grid = bankPage->getGrid();
    grid.fillList (grid.getListMode(), grid.getListParameter());
    if (writePage != nullptr)
        writePage->getGrid().repaint();
}

void MainComp::layoutBankAndWritePages()
{
    if (bankPage != nullptr && bankPageShown)
    {
        if (viewMode == kProgramView && editorPanel != nullptr)
            editorPanel->setBounds (0, AppBar::kHeight, getWidth(), EditorLook::scaled (kEditorAboveBankHeight, hub.getEditorScale()));
        bankPage->layout (getWidth(), drawerTop() - kBankPageBottomGap);
    }

    if (writePage != nullptr)
        writePage->layout (getWidth(), drawerTop() - kWritePageBottomGap);
}
