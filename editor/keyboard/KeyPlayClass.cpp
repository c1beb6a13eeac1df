#include "editor/keyboard/KeyPlayClass.h"

#include "core/midi/MidiCntrState.h"
#include "editor/EditorLook.h"

namespace
{
// Semitones 0-11 of the octave, as upper-case key codes.
constexpr char noteKeys[KeyPlayClass::kNoteKeys] = { 'Z', 'S', 'X', 'D', 'C', 'V', 'G', 'B', 'H', 'N', 'J', 'M' };

struct FunctionKeyCommand
{
    int keyCode;
    KeyCommandCode command;
};

const FunctionKeyCommand functionKeys[] = {
    { juce::KeyPress::F7Key, kKeyCommandF7 },
    { juce::KeyPress::F8Key, kKeyCommandF8 },
    { juce::KeyPress::F9Key, kKeyCommandF9 },
};

// A note-on of velocity 0 is a note-off, so lowering stops at 5: the keys stay
// audible however far the player turns them down.
constexpr int kVelocityStep = 5, kHighestVelocityToRaise = 121, kLowestVelocityToLower = kVelocityStep + 1;
constexpr int kHighestBaseToRaise = 114;
constexpr int kNumNotes = 128;

int noteKeyIndex (int lowerCaseCode)
{
    for (int i = 0; i < KeyPlayClass::kNoteKeys; ++i)
        if (juce::CharacterFunctions::toLowerCase ((juce::juce_wchar) noteKeys[i]) == lowerCaseCode)
            return i;
    return -1;
}
} // namespace

KeyPlayClass::KeyPlayClass (MidiCntrState& h, int mode) : hub (h), keyMode (mode)
{
    keyNotes.fill (-1);
    setWantsKeyboardFocus (true);
    setSize (10, 10);
}

KeyPlayClass::~KeyPlayClass()
{
    releaseAllNotes();
}

void KeyPlayClass::addKeyPlayListener (KeyPlayListener* listener)
{
    const juce::ScopedLock sl (listenerLock);
    listeners.addIfNotAlreadyThere (listener);
}

void KeyPlayClass::setColours (juce::Colour back, juce::Colour text)
{
    background = back;
    textColour = text;
}

bool KeyPlayClass::keyPressed (const juce::KeyPress& key)
{
    const int k = key.getKeyCode();

    if (k == juce::KeyPress::leftKey || k == juce::KeyPress::rightKey || k == juce::KeyPress::upKey
        || k == juce::KeyPress::downKey)
        return true;

    for (const auto& f : functionKeys)
        if (k == f.keyCode)
        {
            hub.postStateCommand (f.command);
            return true;
        }

    if (k > 255)
        return false;

    const int c = juce::CharacterFunctions::toLowerCase ((juce::juce_wchar) k);

    if (c == ' ')
    {
        for (int note = 0; note < kNumNotes; ++note)
            hub.sendNoteOff (hub.getMidiChannel(), note);
        noteOn.fill (false);
        keyNotes.fill (-1);
        setStatus ("All Notes OFF");
        return true;
    }

    if (const int index = noteKeyIndex (c); index >= 0)
    {
        playKey (index);
        return true;
    }

    switch (c)
    {
        case 'i':
            if (velocity <= kHighestVelocityToRaise)
                velocity += kVelocityStep;
            setStatus ("Note Velocity: " + juce::String (velocity));
            return true;
        case 'u':
            if (velocity >= kLowestVelocityToLower)
                velocity -= kVelocityStep;
            setStatus ("Note Velocity: " + juce::String (velocity));
            return true;
        case 'o':
            if (baseNote > 0)
                baseNote -= 12;
            setStatus ("Octave " + juce::String (baseNote / 12 - 2));
            return true;
        case 'p':
            if (baseNote <= kHighestBaseToRaise)
                baseNote += 12;
            setStatus ("Octave " + juce::String (baseNote / 12 - 2));
            return true;
        default:
            break;
    }

    if (c >= '0' && c <= '9')
    {
        if (keyMode == kDrawerMode)
            hub.postStateCommand (kKeyCommandDigit0 + (c - '0'));
        return keyMode == kDrawerMode || keyMode == kLibraryMode || keyMode == kQuietMode;
    }

    return false;
}

void KeyPlayClass::playKey (int key)
{
    const int note = baseNote + key;
    // A held key repeats: it sounds once, until it is let go.
    if (note > 127 || keyNotes[(size_t) key] >= 0 || noteOn[(size_t) note])
        return;

    keyNotes[(size_t) key] = note;
    noteOn[(size_t) note] = true;
    hub.sendNoteOn (hub.getMidiChannel(), note, velocity);
    setStatus ("Play Chn: " + juce::String (hub.getMidiChannel()) + " Key: " + getNoteName (note) + " Vel: "
               + juce::String (velocity));
}

void KeyPlayClass::releaseKey (int key)
{
    const int note = keyNotes[(size_t) key];
    keyNotes[(size_t) key] = -1;
    noteOn[(size_t) note] = false;
    hub.sendNoteOff (hub.getMidiChannel(), note);
}

bool KeyPlayClass::keyStateChanged (bool)
{
    // Every key let go since the last call: two keys may be released at once.
    bool released = false;
    for (int key = 0; key < kNoteKeys; ++key)
        if (keyNotes[(size_t) key] >= 0 && ! isKeyDown (noteKeys[key]))
        {
            releaseKey (key);
            released = true;
        }

    return released;
}

void KeyPlayClass::releaseAllNotes()
{
    for (int note = 0; note < kNumNotes; ++note)
        if (noteOn[(size_t) note])
            hub.sendNoteOff (hub.getMidiChannel(), note);

    noteOn.fill (false);
    keyNotes.fill (-1);
}

juce::String KeyPlayClass::getNoteName (int note)
{
    static const char* const names[] = { "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B" };
    if (note < 0)
        return {};
    return juce::String (names[note % 12]) + juce::String (note / 12);
}

void KeyPlayClass::setStatus (const juce::String& text)
{
    status = text;
    repaint();
    startTimer (kStatusMs);
}

void KeyPlayClass::timerCallback()
{
    stopTimer();
    status.clear();
    repaint();
}

void KeyPlayClass::paint (juce::Graphics& g)
{
    g.fillAll (background);
    g.setColour (textColour);
    g.setFont (EditorLook::font (fontSize));
    g.drawText (status, 0, 0, 400, getHeight(), juce::Justification::centredLeft, false);
}

template <typename Call>
void KeyPlayClass::notify (Call&& call)
{
    for (int i = listeners.size(); --i >= 0;)
        call (*listeners.getUnchecked (i));
}

void KeyPlayClass::mouseDown (const juce::MouseEvent& e)
{
    notify ([&] (KeyPlayListener& l) { l.keyPlayMouseDown (e.x + getX(), e.y + getY()); });
}

void KeyPlayClass::mouseDrag (const juce::MouseEvent& e)
{
    notify ([&] (KeyPlayListener& l) { l.keyPlayMouseDrag (e.x + getX(), e.y + getY()); });
}

void KeyPlayClass::mouseUp (const juce::MouseEvent& e)
{
    notify ([&] (KeyPlayListener& l) { l.keyPlayMouseUp (e.x + getX(), e.y + getY()); });
}
