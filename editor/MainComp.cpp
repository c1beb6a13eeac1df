#include "editor/MainComp.h"

#include "core/VellixAudioProcessor.h"
#include "core/midi/MophoSysEx.h"
#include "core/storage/SettingsFile.h"

namespace
{
constexpr int kEventPumpHz = 60;
constexpr int kNumChannels = 16;
} // namespace

MainComp::MainComp (VellixAudioProcessor& p) : processor (p), hub (p.getHub())
{
    setOpaque (true);

    hub.addStateListener (this);
    hub.endTransfer();

    appBar = std::make_unique<AppBar> (hub);
    addAndMakeVisible (*appBar);
    appBar->setBounds (0, 0, kDesignWidth, AppBar::kHeight);
    appBar->addChangeListener (this);
    for (auto* button : appBar->getCommandButtons())
        button->addListener (this);
    appBar->getToolButton().addChangeListener (this);
    appBar->getChannelLabel().addChangeListener (this);
    appBar->getChannelLabel().setLabelText ("Chan: " + juce::String (hub.getMidiChannel()));

    // A data entry that arrives before the next whole parameter number names none.
    hub.resetNrpnInput();

    refreshAll();
    setSize (kDesignWidth, kDesignHeight);

    hub.setFirstOpenDone();
    hub.requestGlobals();

    hub.addListener (this);
    // What was posted before we listened (the request's off-line mark among
    // it) must not wait for the next event to come.
    eventsWaiting = true;
    layoutChildren();
    hub.setEditorOpen();

    eventPump.startTimerHz (kEventPumpHz);
}

MainComp::~MainComp()
{
    hub.removeListener (this);
    hub.removeStateListener (this);

    // The connection help page goes with the editor: nothing may act on it, or
    // save the scan's result, once it is gone.
    hub.setHelpPageShown (false);

    eventPump.stopTimer();
    appBar.reset();
    deleteAllChildren();
    cancelPendingUpdate();
    stopTimer();
}

void MainComp::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
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
}

//==============================================================================
void MainComp::midiCntrStateChanged (MidiCntrState*)
{
    eventsWaiting = true;
}

void MainComp::stateCommandPosted()
{
    eventsWaiting = true;
}

void MainComp::handleAsyncUpdate()
{
    for (const auto code : hub.takeEvents())
        handleUiEvent (code);
}

void MainComp::handleUiEvent (juce::int64 code)
{
    switch (UiEventCode::type (code))
    {
        case kUiEditBufferReplaced:
            refreshAll();
            break;

        case kUiSynthOnLine:
            appBar->getStatusLabel().setLabelText (kOnLineText);
            break;

        case kUiSynthOffLine:
            appBar->getStatusLabel().setLabelText (kOffLineText);
            break;

        default:
            // The other events reach pages that are not built yet.
            break;
    }
}

void MainComp::refreshAll()
{
    ++refreshCount;
    repaint();
}

//==============================================================================
void MainComp::kwsButtonClicked (int buttonId)
{
    switch (buttonId)
    {
        case AppBar::kRecv:
            hub.sendDumpRequest (MophoSysEx::kRequestEditBuffer, 0, 0);
            break;

        case AppBar::kProgramView:
        case AppBar::kSequencerView:
            setViewMode (buttonId);
            break;

        default:
            // MIDI, BANK, FILE, EDIT, Send and WRITE open pages and menus
            // that are not built yet.
            break;
    }
}

void MainComp::kwsButtonChanged (KwsBut*)
{
}

void MainComp::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == &appBar->getChannelLabel())
        showChannelMenu();
}

void MainComp::setViewMode (int mode)
{
    viewMode = mode;
    layoutChildren();
}

//==============================================================================
void MainComp::showChannelMenu()
{
    juce::PopupMenu menu;
    for (int channel = 1; channel <= kNumChannels; ++channel)
        menu.addItem (channel, "Channel " + juce::String (channel));

    juce::Component::SafePointer<MainComp> safeThis (this);
    menu.showMenuAsync (juce::PopupMenu::Options().withTargetComponent (&appBar->getChannelLabel()),
                        [safeThis] (int itemId) {
                            if (safeThis != nullptr)
                                safeThis->handleChannelMenu (itemId);
                        });
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
