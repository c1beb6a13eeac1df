#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <functional>

class MidiCntrState;

// Told of the mouse on a player, in its owner's coordinates.
class KeyPlayListener
{
public:
    virtual ~KeyPlayListener() = default;
    virtual void keyPlayEvent() = 0;
    virtual void keyPlayMouseDown (int x, int y) = 0;
    virtual void keyPlayMouseUp (int x, int y) = 0;
    virtual void keyPlayMouseDrag (int x, int y) = 0;
};

// Posted as key commands (event 40); no page acts on them.
enum KeyCommandCode : int
{
    kKeyCommandF9 = 623,
    kKeyCommandF7 = 624,
    kKeyCommandF8 = 625,
    kKeyCommandDigit0 = 726 // digits 0-9: 726-735
};

// Plays the synthesizer from the computer keyboard while it has the focus,
// with its own octave and velocity, and shows what it did for a moment.
class KeyPlayClass : public juce::Component,
                     private juce::Timer
{
public:
    static constexpr int kDrawerMode = 100, kLibraryMode = 101, kQuietMode = 102;
    static constexpr int kStartVelocity = 100, kStartBaseNote = 36;
    static constexpr int kNoteKeys = 12;
    static constexpr int kStatusMs = 750;

    KeyPlayClass (MidiCntrState& hub, int keyMode);
    ~KeyPlayClass() override;

    void addKeyPlayListener (KeyPlayListener* listener);
    void setFontSize (float size) { fontSize = size; }
    void setColours (juce::Colour background, juce::Colour text);

    bool keyPressed (const juce::KeyPress& key) override;
    bool keyStateChanged (bool isKeyDown) override;

    // Sends the note-off of every note still sounding.
    void releaseAllNotes();

    static juce::String getNoteName (int note);
    const juce::String& getStatusText() const noexcept { return status; }
    int getVelocity() const noexcept { return velocity; }
    int getBaseNote() const noexcept { return baseNote; }

    // Whether a key is held now: the framework asks the keyboard; tests hand
    // in their own answer.
    std::function<bool (int keyCode)> isKeyDown = [] (int keyCode) { return juce::KeyPress::isKeyCurrentlyDown (keyCode); };

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    void timerCallback() override;
    void playKey (int key);
    void releaseKey (int key);
    void setStatus (const juce::String& text);
    template <typename Call> void notify (Call&& call);

    MidiCntrState& hub;
    int keyMode;

    // Added under the lock, walked without it (message thread).
    juce::Array<KeyPlayListener*> listeners;
    juce::CriticalSection listenerLock;

    int velocity = kStartVelocity, baseNote = kStartBaseNote;
    float fontSize = 12.0f;
    juce::Colour background, textColour { juce::Colours::white };
    juce::String status;

    // The note each held key sounds, -1 for none: its release stops exactly
    // that note, whatever the octave has become since.
    std::array<int, kNoteKeys> keyNotes;
    std::array<bool, 128> noteOn {};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeyPlayClass)
};
