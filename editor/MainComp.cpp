#include "editor/MainComp.h"

#include "core/VellixAudioProcessor.h"
#include "core/storage/SettingsFile.h"
#include "editor/EditorLook.h"

// MainComp in topic files: this one builds and lays out the root,
// MainCompPages.cpp builds and places the pages, MainCompEvents.cpp follows
// the hub's events, MainCompCommands.cpp answers the buttons and runs the
// commands, MainCompMenus.cpp builds and answers the menus, MainCompSetup.cpp
// runs the MIDI setup page, MainCompKeyboard.cpp keeps the keyboard drawer,
// MainCompLibrary.cpp the library window, MainCompOverlays.cpp the about box and
// the connection help page, MainCompBank.cpp switches the bank and write pages
// and writes programs.

namespace
{
constexpr int kEventPumpHz = 60;
// While the window's frames poll, the timer only checks that they still come.
constexpr int kStandbyPumpHz = 4;
} // namespace

MainComp::MainComp (VellixAudioProcessor& p) : look (std::make_unique<EditorLook>()), processor (p), hub (p.getHub())
{
    setOpaque (true);
    setLookAndFeel (look.get());

    hub.addStateListener (this);
    hub.endTransfer();

    buildKeyboardDrawer();

    appBar = std::make_unique<AppBar> (hub);
    addAndMakeVisible (*appBar);
    appBar->setBounds (0, 0, kDesignWidth, AppBar::kHeight);
    appBar->addChangeListener (this);
    for (auto* button : appBar->getCommandButtons())
        button->addListener (this);
    appBar->getToolButton().addChangeListener (this);
    appBar->getChannelLabel().addChangeListener (this);
    appBar->getChannelLabel().setLabelText ("Chan: " + juce::String (hub.getMidiChannel()));

    createPages();

    // A data entry that arrives before the next whole parameter number names none.
    hub.resetNrpnInput();

    createProgramDisplay();

    refreshAll();
    setSize (kDesignWidth, kDesignHeight);

    if (! hub.isFirstOpenDone())
        showAbout (true, kFirstOpenAboutMs);
    hub.setFirstOpenDone();
    hub.requestGlobals();

    hub.addListener (this);
    // What was posted before we listened (the request's off-line mark among
    // it) must not wait for the next event to come.
    eventsWaiting = true;
    layoutChildren();
    if (hub.isHelpPageRequested() && ! hub.isSynthesizerFound())
        showMidiScan (! hub.isHelpPageShown());
    hub.setEditorOpen();

    eventPump.startTimerHz (kEventPumpHz);
}

MainComp::~MainComp()
{
    // No frame polls pages that are going.
    frames = {};
    hub.removeListener (this);
    hub.removeStateListener (this);

    // No transfer outlives the overlay that could cancel it.
    if (hub.isTransferBusy())
        hub.endTransfer();

    // Every menu goes before the look it is drawn in.
    juce::PopupMenu::dismissAllActiveMenus();

    eventPump.stopTimer();
    removeMidiSetup(); // without writing the port file
    // The connection help page goes with the editor: nothing may act on it, or
    // save the scan's result, once it is gone.
    showMidiScan (false);
    showAbout (false);
    transferOverlay.reset();
    closedOverlay.reset();
    programDisplay.reset();
    destroyPages();
    appBar.reset();
    // Its keys and player release every note they still sound.
    keyboardDrawer.reset();
    libraryWindow.reset(); // its LIBRARY page writes the default library
    deleteAllChildren();
    cancelPendingUpdate();
    stopTimer();
    setLookAndFeel (nullptr);
}

void MainComp::paint (juce::Graphics& g)
{
    g.fillAll (EditorLook::background);
}

void MainComp::resized()
{
    if (! hub.isEditorOpen())
        return;

    layoutChildren();

    auto& settings = hub.getSettings();
    settings.set (kSlotEditorWidth, juce::String (getWidth()));
    settings.set (kSlotEditorHeight, juce::String (getHeight()));
}

void MainComp::layoutChildren()
{
    hub.setEditorScale ((float) getWidth() / (float) kDesignWidth);

    if (appBar != nullptr)
        appBar->setSize (getWidth(), AppBar::kHeight);

    layoutKeyboardDrawer();
    layoutPages();
    layoutBankAndWritePages();
    if (midiSetup != nullptr)
        midiSetup->setSize (getWidth(), getHeight());

    placeProgramDisplay();

    if (transferOverlay != nullptr)
        transferOverlay->setBounds (getLocalBounds());
    if (aboutPanel != nullptr)
        aboutPanel->setBounds (getLocalBounds());
}

void MainComp::pumpEvents()
{
    retiredOverlays.clear();
    if (eventsWaiting.load (std::memory_order_relaxed) && eventsWaiting.exchange (false))
        handleAsyncUpdate();
    if (programDisplay != nullptr)
        programDisplay->checkActivity();
}

void MainComp::pumpTick()
{
    pumpEvents();

    const bool framesCome = std::exchange (frameSeen, false) && getPeer() != nullptr;
    const int hz = framesCome ? kStandbyPumpHz : kEventPumpHz;
    if (eventPump.getTimerInterval() != 1000 / hz)
        eventPump.startTimerHz (hz);
}

void MainComp::createProgramDisplay()
{
    // The program editor page carries it, so it follows that page into the
    // sequencer view's overview.
    programDisplay = std::make_unique<LCD_Comp> (&hub);
    editorPanel->addAndMakeVisible (*programDisplay);
    programDisplay->addChangeListener (this);
    programDisplay->setActivityLightsEnabled (true);
}

void MainComp::placeProgramDisplay()
{
    if (programDisplay == nullptr || editorPanel == nullptr)
        return;

    const auto area = editorPanel->getProgramDisplayBounds();
    programDisplay->place (area.getX(), area.getY(), editorPanel->getScale());
}
