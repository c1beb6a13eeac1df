#pragma once

#include "core/midi/MidiCntrState.h"
#include "core/storage/FileMan.h"
#include "editor/AppBar.h"
#include "editor/keyboard/KeyBrd.h"
#include "editor/widgets/KwsBut.h"
#include "windows/setup/MIDI_Setup.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>

class VellixAudioProcessor;

// The editor's root page: builds and lays out the pages on a 1148 x 700 design
// canvas scaled to the window, follows the hub's events and answers the
// buttons and change messages of its pages.
class MainComp : public juce::Component,
                 public kwsbutListener,
                 public kwsbutChangeListener,
                 public stateListener,
                 public juce::ChangeListener,
                 public juce::ChangeBroadcaster,
                 public MidiCntrStateListener,
                 public juce::Timer,
                 public juce::AsyncUpdater
{
public:
    static constexpr int kDesignWidth = 1148;
    static constexpr int kDesignHeight = 700;
    static constexpr int kProgramView = 97;
    static constexpr int kSequencerView = 98;

    static constexpr const char* kOnLineText = "DSI:  MOPHO DSK ON-LINE";
    static constexpr const char* kOffLineText = "OFF-LINE";

    explicit MainComp (VellixAudioProcessor& processor);
    ~MainComp() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void layoutChildren();

    // Hub callbacks, on whichever thread posted: they only mark that events
    // wait; the message thread drains them.
    void midiCntrStateChanged (MidiCntrState* hub) override;
    void stateCommandPosted() override;
    void auxStateChanged() override {}

    void handleAsyncUpdate() override;
    void handleUiEvent (juce::int64 code);
    void refreshAll();

    void kwsButtonClicked (int buttonId) override;
    void kwsButtonChanged (KwsBut* sender) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void timerCallback() override {}

    // The MIDI channel menu: opened from the channel label; the choice (an
    // item id 1-16) goes to its handler, which tests call directly.
    void showChannelMenu();
    void handleChannelMenu (int itemId);

    void setViewMode (int mode);
    int getViewMode() const noexcept { return viewMode; }

    //==============================================================================
    // The MIDI setup page (MainCompSetup.cpp): it exists only while shown.
    // Hiding it writes the port file; its reports are applied in order.
    void showMidiSetup (bool show);
    MIDI_Setup* getMidiSetup() const noexcept { return midiSetup.get(); }
    void handleMidiSetupEvent (int code, int value);

    // While the write page is shown, MIDI is ignored and the setup's OK keeps
    // the port file as it is.
    void setWritePageShown (bool shown) noexcept { writePageShown = shown; }
    bool isWritePageShown() const noexcept { return writePageShown; }

    AppBar& getAppBar() noexcept { return *appBar; }

    // The keyboard drawer (MainCompKeyboard.cpp): built with the editor,
    // always on top. Pages above it end at its top edge.
    KeyBrd& getKeyboardDrawer() noexcept { return *keyboardDrawer; }
    int drawerTop() const noexcept;
    void closeKeyboardDrawer();
    int getRefreshCount() const noexcept { return refreshCount; }

private:
    void buildKeyboardDrawer();
    void layoutKeyboardDrawer();
    void followWheels (juce::int64 code);

    // Drains the hub's events on the message thread. The hub's callbacks may
    // run on the audio thread, where posting a message could allocate or wait
    // on the message queue's lock: they only set a flag that this polls.
    struct EventPump : juce::Timer
    {
        explicit EventPump (MainComp& m) : owner (m) {}
        void timerCallback() override
        {
            if (owner.eventsWaiting.exchange (false))
                owner.handleAsyncUpdate();
        }
        MainComp& owner;
    };

    // The MIDI setup page's part of the change messages: true when the source was its own.
    bool handleMidiSetupChange (juce::ChangeBroadcaster* source);
    void removeMidiSetup();
    void setSettingsEntry (int slot, bool on);

    VellixAudioProcessor& processor;
    MidiCntrState& hub;
    FileMan fileMan;
    std::unique_ptr<AppBar> appBar;
    std::unique_ptr<KeyBrd> keyboardDrawer;
    int viewMode = kProgramView;
    int refreshCount = 0;
    std::unique_ptr<MIDI_Setup> midiSetup;
    bool writePageShown = false;

    std::atomic<bool> eventsWaiting { false };
    EventPump eventPump { *this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainComp)
};
