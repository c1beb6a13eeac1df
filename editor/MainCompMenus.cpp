#include "editor/MainComp.h"

#include "core/VellixAudioProcessor.h"
#include "core/storage/SettingsFile.h"
#include "editor/ProgramCategoryNames.h"

namespace
{
constexpr int kNumChannels = 16;
constexpr int kNumBanks = MidiCntrState::kNumHardwareBanks;
constexpr int kNumPrograms = Bank_Program::kNumPrograms;

// Item ids, menu by menu.
enum EditMenuId : int { kEditCopy = 1, kEditPaste = 2 };
enum FileMenuId : int { kFileLoadProgram = 1, kFileSaveProgram = 2, kFileAbout = 3 };
enum SendMenuId : int { kSendCurrent = 1, kSendHostProgram = 2 };
enum ProgramSelectId : int { kSelectFirstProgram = 1000, kSelectFirstBank = 100000 };
enum ProgramMenuId : int { kProgramCopy = 1, kProgramPaste = 2, kProgramSave = 3, kProgramLoad = 4 };
enum BankMenuId : int { kBankInitialise = 99, kBankFirstFactory = 100 };
enum BankFileMenuId : int { kBankFirstLoad = 100, kBankFirstSave = 200 };
enum BankTransferMenuId : int
{
    kFirstReceive = 1,
    kReceiveAll = 200,
    kFirstTransmit = 100,
    kTransmitAll = 300
};

// File dialog modes.
constexpr int kLoadProgramMode = 1, kLoadBankMode = 3, kSaveProgramMode = 101, kSaveBankMode = 103;

juce::String bankLetter (int bank)
{
    return juce::String::charToString ((juce::juce_wchar) ('A' + bank));
}

juce::String nameOf (const ProgramImage::Block& image)
{
    return ProgramImage::readName (ProgramImage::toArray (image), ProgramImage::kNameOffset);
}

bool isIdIn (int id, int first, int count)
{
    return id >= first && id < first + count;
}
} // namespace

void MainComp::showMenu (juce::PopupMenu menu, juce::Component* attachedTo, std::function<void (MainComp&, int)> handler)
{
    menu.setLookAndFeel (look.get());

    auto options = juce::PopupMenu::Options();
    if (attachedTo != nullptr)
        options = options.withTargetComponent (attachedTo);

    juce::Component::SafePointer<MainComp> safeThis (this);
    menu.showMenuAsync (options, [safeThis, handler] (int itemId) {
        if (safeThis != nullptr)
            handler (*safeThis, itemId);
    });
}

//==============================================================================
juce::PopupMenu MainComp::buildEditMenu()
{
    juce::PopupMenu menu;
    menu.addItem (kEditCopy, "Copy Program: " + nameOf (hub.getEditBufferImage()));
    menu.addItem (kEditPaste, "Paste " + getClipboardName());
    return menu;
}

void MainComp::showEditMenu()
{
    showMenu (buildEditMenu(), appBar->findButton (AppBar::kEdit), &MainComp::handleEditMenu);
}

void MainComp::handleEditMenu (int itemId)
{
    if (itemId == kEditCopy)
        copyProgram (false, 0, 0);
    else if (itemId == kEditPaste)
        pasteProgram (false, 0, 0);
}

juce::PopupMenu MainComp::buildFileMenu()
{
    juce::PopupMenu menu;
    menu.addItem (kFileLoadProgram, "Load Single Program");
    menu.addItem (kFileSaveProgram, "Save " + nameOf (hub.getEditBufferImage()));
    menu.addSeparator();
    menu.addItem (kFileAbout, "About");
    return menu;
}

void MainComp::showFileMenu()
{
    showMenu (buildFileMenu(), appBar->findButton (AppBar::kFile), &MainComp::handleFileMenu);
}

void MainComp::handleFileMenu (int itemId)
{
    // Whatever was chosen, the host's program index names a program from now on.
    if (hub.getCurrentHostProgram() < 0)
        hub.setCurrentHostProgram (0);

    if (itemId == kFileLoadProgram)
        fileDialog ('b', kLoadProgramMode, {}, [this] (const juce::String& path) { return loadProgramFile (path, false, 0, 0); });
    else if (itemId == kFileSaveProgram)
        fileDialog ('c', kSaveProgramMode, nameOf (hub.getEditBufferImage()),
                    [this] (const juce::String& path) { return saveProgramFile (path, false, 0, 0); });
    else if (itemId == kFileAbout && ! writePageShown)
        showAbout (getAboutPanel() == nullptr, 0);
}

juce::PopupMenu MainComp::buildSendMenu()
{
    if (hub.getCurrentHostProgram() < 0)
        hub.setCurrentHostProgram (0);

    juce::PopupMenu menu;
    menu.addItem (kSendCurrent, "Current Preset: " + nameOf (hub.getEditBufferImage()));
    menu.addItem (kSendHostProgram, "FX Bank Preset: " + processor.getHostBank().getProgramName (hub.getCurrentHostProgram()));
    return menu;
}

void MainComp::showSendMenu()
{
    showMenu (buildSendMenu(), appBar->findButton (AppBar::kSend), &MainComp::handleSendMenu);
}

void MainComp::handleSendMenu (int itemId)
{
    if (itemId == kSendCurrent)
        refreshFromCurrentProgram();
    else if (itemId == kSendHostProgram)
        hub.recallHostProgram();
    else
        return;

    hub.sendEditBuffer();
}

//==============================================================================
juce::PopupMenu MainComp::buildChannelMenu()
{
    juce::PopupMenu menu;
    for (int channel = 1; channel <= kNumChannels; ++channel)
        menu.addItem (channel, "Channel " + juce::String (channel));
    return menu;
}

void MainComp::showChannelMenu()
{
    showMenu (buildChannelMenu(), &appBar->getChannelLabel(), &MainComp::handleChannelMenu);
}

void MainComp::handleChannelMenu (int itemId)
{
    if (itemId < 1 || itemId > kNumChannels)
        return;

    hub.setMidiChannel (itemId);

    auto& settings = hub.getSettings();
    while (settings.size() <= kSlotMidiChannel)
        settings.add ("0");
    settings.set (kSlotMidiChannel, juce::String (itemId));

    appBar->getChannelLabel().setLabelText ("Chan: " + juce::String (itemId));
}

//==============================================================================
juce::PopupMenu MainComp::buildProgramSelectMenu()
{
    const int current = hub.getCurrentHardwareBank();

    juce::PopupMenu menu;
    for (int bank = 0; bank < kNumBanks; ++bank)
        menu.addItem (kSelectFirstBank + bank, hub.getBank (bank)->getBankName(), true, bank == current);
    menu.addSeparator();

    if (const auto names = hub.copyBank (current))
        for (int program = 0; program < kNumPrograms; ++program)
            menu.addItem (kSelectFirstProgram + program, names->getProgramName (program));

    return menu;
}

void MainComp::showProgramSelectMenu()
{
    showMenu (buildProgramSelectMenu(), nullptr, &MainComp::handleProgramSelectMenu);
}

void MainComp::handleProgramSelectMenu (int itemId)
{
    int bank = hub.getCurrentHardwareBank(), program = hub.getCurrentHardwareProgram();

    if (isIdIn (itemId, kSelectFirstBank, kNumBanks))
        bank = itemId - kSelectFirstBank;
    else if (isIdIn (itemId, kSelectFirstProgram, kNumPrograms))
        program = itemId - kSelectFirstProgram;
    else
        return;

    hub.selectProgram (bank, program, true, true);
}

void MainComp::showCategoryChooser()
{
    juce::Component::SafePointer<MainComp> safeThis (this);
    showCategoryMenu (*look, [safeThis] (int category) {
        if (safeThis != nullptr)
            safeThis->handleCategoryChoice (category);
    });
}

void MainComp::handleCategoryChoice (int category)
{
    if (! juce::isPositiveAndBelow (category, kNumProgramCategories))
        return;

    processor.changeProgramParameter (ProgramImage::kCategoryOffset, category, true, true);
    const int stored = hub.getEditBufferByte (ProgramImage::kCategoryOffset);
    programDisplay->setCategory (stored, getCategoryName (stored));
}

//==============================================================================
juce::PopupMenu MainComp::buildProgramMenu (int bank, int program)
{
    juce::PopupMenu menu;
    const auto image = hub.getProgramImage (bank, program);
    if (! image)
        return menu;

    menu.addItem (kProgramCopy, "Copy Program: " + nameOf (*image));
    menu.addItem (kProgramPaste, "Paste " + getClipboardName());
    menu.addSeparator();
    menu.addItem (kProgramSave, "Save " + nameOf (*image));
    menu.addItem (kProgramLoad, "Load Program ");
    return menu;
}

void MainComp::showProgramMenu (int bank, int program)
{
    if (hub.getProgramImage (bank, program))
        showMenu (buildProgramMenu (bank, program), nullptr,
                  [bank, program] (MainComp& m, int id) { m.handleProgramMenu (bank, program, id); });
}

void MainComp::handleProgramMenu (int bank, int program, int itemId)
{
    const auto image = hub.getProgramImage (bank, program);
    if (! image)
        return;

    if (itemId == kProgramCopy)
        copyProgram (true, bank, program);
    else if (itemId == kProgramPaste)
        pasteProgram (true, bank, program);
    else if (itemId == kProgramSave)
        fileDialog ('c', kSaveProgramMode, nameOf (*image),
                    [this, bank, program] (const juce::String& path) { return saveProgramFile (path, true, bank, program); });
    else if (itemId == kProgramLoad)
        fileDialog ('b', kLoadProgramMode, {},
                    [this, bank, program] (const juce::String& path) { return loadProgramFile (path, true, bank, program); });
}

juce::PopupMenu MainComp::buildBankMenu()
{
    juce::PopupMenu factory;
    for (int k = 0; k < kNumBanks; ++k)
        factory.addItem (kBankFirstFactory + k, "Bank " + bankLetter (k));

    juce::PopupMenu menu;
    menu.addSubMenu ("Factory Presets ", factory);
    menu.addSeparator();
    menu.addItem (kBankInitialise, "Initialize Program Bank " + bankLetter (hub.getCurrentHardwareBank()));
    return menu;
}

void MainComp::showBankMenu (juce::Component& button)
{
    showMenu (buildBankMenu(), &button, &MainComp::handleBankMenu);
}

void MainComp::handleBankMenu (int itemId)
{
    // Into the bank shown, so any factory bank can fill any bank.
    const int bank = hub.getCurrentHardwareBank();

    if (itemId == kBankInitialise)
        hub.changeBank (bank, [] (Bank_Program& b) { b.initialiseBank(); });
    else if (isIdIn (itemId, kBankFirstFactory, kNumBanks))
        hub.changeBank (bank, [itemId] (Bank_Program& b) { b.loadFactoryBank (itemId - kBankFirstFactory); });
}

juce::PopupMenu MainComp::buildBankFileMenu()
{
    juce::PopupMenu menu;
    for (int k = 0; k < kNumBanks; ++k)
        menu.addItem (kBankFirstLoad + k, "Load Program Bank To Bank " + bankLetter (k));
    menu.addSeparator();
    for (int k = 0; k < kNumBanks; ++k)
        menu.addItem (kBankFirstSave + k, "Save Program Bank " + bankLetter (k));
    return menu;
}

void MainComp::showBankFileMenu (juce::Component& button)
{
    showMenu (buildBankFileMenu(), &button, &MainComp::handleBankFileMenu);
}

void MainComp::handleBankFileMenu (int itemId)
{
    if (isIdIn (itemId, kBankFirstLoad, kNumBanks))
    {
        const int bank = itemId - kBankFirstLoad;
        fileDialog ('b', kLoadBankMode, {}, [this, bank] (const juce::String& path) { return loadBankFile (path, bank); });
    }
    else if (isIdIn (itemId, kBankFirstSave, kNumBanks))
    {
        const int bank = itemId - kBankFirstSave;
        fileDialog ('c', kSaveBankMode, hub.getBank (bank)->getBankName(),
                    [this, bank] (const juce::String& path) { return saveBankFile (path, bank); });
    }
}

juce::PopupMenu MainComp::buildBankTransferMenu()
{
    juce::PopupMenu receive, transmit;
    for (int k = 0; k < kNumBanks; ++k)
    {
        receive.addItem (kFirstReceive + k, "Bank " + bankLetter (k));
        transmit.addItem (kFirstTransmit + k, "Bank " + bankLetter (k));
    }

    juce::PopupMenu menu;
    menu.addSubMenu ("Receive Program Bank ", receive);
    menu.addItem (kReceiveAll, "Receive All Banks");
    menu.addSeparator();
    menu.addSubMenu ("Transmit Program Bank ", transmit);
    menu.addItem (kTransmitAll, "Transmit All Banks");
    return menu;
}

void MainComp::showBankTransferMenu (juce::Component& button)
{
    showMenu (buildBankTransferMenu(), &button, &MainComp::handleBankTransferMenu);
}

void MainComp::handleBankTransferMenu (int itemId)
{
    if (isIdIn (itemId, kFirstReceive, kNumBanks))
        startTransfer (MidiCntrState::kReceiveOneBank, itemId - kFirstReceive);
    else if (itemId == kReceiveAll)
        startTransfer (MidiCntrState::kReceiveAllBanks, 0);
    else if (isIdIn (itemId, kFirstTransmit, kNumBanks))
        startTransfer (MidiCntrState::kTransmitOneBank, itemId - kFirstTransmit);
    else if (itemId == kTransmitAll)
        startTransfer (MidiCntrState::kTransmitAllBanks, 0);
}
