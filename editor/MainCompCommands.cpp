#include "editor/MainComp.h"

#include "core/midi/MophoSysEx.h"
#include "core/storage/SettingsFile.h"

namespace
{
constexpr int kNumChannels = 16;
} // namespace

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

        default:
            // BANK, FILE, EDIT, Send and WRITE open pages and menus
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
    else if (source == keyboardDrawer.get())
    {
        keyboardDrawer->setAlwaysOnTop (false);
        keyboardDrawer->setAlwaysOnTop (true);
    }
    else
        handleMidiSetupChange (source);
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

    // The editor window's look, which the menu cannot find by itself.
    menu.setLookAndFeel (&getLookAndFeel());

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
