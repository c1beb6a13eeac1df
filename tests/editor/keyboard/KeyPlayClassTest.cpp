#include "editor/keyboard/KeyboardRig.h"

#include <gtest/gtest.h>

namespace
{
// A player on its own, with a keyboard the test holds down and lets go.
struct Player : testing::Test, SynthRig
{
    Player() { player.isKeyDown = [this] (int code) { return held.count (code) > 0; }; }

    bool down (int code)
    {
        held.insert (code);
        return player.keyPressed (juce::KeyPress (code));
    }

    void up (int code)
    {
        held.erase (code);
        player.keyStateChanged (false);
    }

    std::vector<std::pair<bool, int>> notesSent()
    {
        KeyboardRig::settleOn (*this);
        std::vector<std::pair<bool, int>> result;
        for (const auto& m : toSynth.getReceived())
            if (m.isNoteOnOrOff())
                result.emplace_back (m.isNoteOn (true), m.getNoteNumber());
        return result;
    }

    KeyPlayClass player { hub(), KeyPlayClass::kDrawerMode };
    std::set<int> held;
};
} // namespace

TEST (PlayerNames, NotesAreNamedWithTheirOctave)
{
    const std::pair<int, const char*> cases[] = { { 36, "C3" }, { 62, "D5" }, { 0, "C0" }, { 127, "G10" }, { 61, "C#5" } };
    for (auto [note, name] : cases)
        EXPECT_EQ (KeyPlayClass::getNoteName (note), name);
}

TEST_F (Player, KeysChangeOctaveAndVelocityWithinTheirLimits)
{
    struct Step { int code; int velocity; int base; const char* status; };
    const Step steps[] = {
        { 'Z', 100, 36, "Play Chn: 1 Key: C3 Vel: 100" },
        { 'O', 100, 24, "Octave 0" },  { 'O', 100, 12, "Octave -1" }, { 'O', 100, 0, "Octave -2" },
        { 'O', 100, 0, "Octave -2" },  { 'I', 105, 0, "Note Velocity: 105" }, { 'I', 110, 0, "Note Velocity: 110" },
        { 'I', 115, 0, "Note Velocity: 115" }, { 'I', 120, 0, "Note Velocity: 120" },
        { 'I', 125, 0, "Note Velocity: 125" }, { 'I', 125, 0, "Note Velocity: 125" },
    };

    for (const auto& s : steps)
    {
        EXPECT_TRUE (down (s.code));
        up (s.code);
        EXPECT_EQ (player.getVelocity(), s.velocity);
        EXPECT_EQ (player.getBaseNote(), s.base);
        EXPECT_EQ (player.getStatusText(), s.status);
    }

    for (int i = 0; i < 25; ++i)
        down ('U');
    EXPECT_EQ (player.getVelocity(), 5) << "a note-on of velocity 0 would be a note-off";

    for (int i = 0; i < 12; ++i)
        down ('P');
    EXPECT_EQ (player.getBaseNote(), 120);
    EXPECT_EQ (player.getStatusText(), "Octave 8");
    EXPECT_TRUE (down ('H'));
    EXPECT_TRUE (notesSent().size() == 2u) << "note 128 plays nothing";
}

TEST_F (Player, AHeldKeySoundsOnceAndItsReleaseStopsExactlyItsNote)
{
    down ('Z');
    down ('Z'); // key repeat
    down ('V');
    down ('P'); // the octave moves while both are held
    down ('Z'); // still the same held key
    up ('V');
    up ('Z');

    const std::vector<std::pair<bool, int>> expected = { { true, 36 }, { true, 41 }, { false, 41 }, { false, 36 } };
    EXPECT_EQ (notesSent(), expected);
}

TEST_F (Player, ReleasingSeveralKeysAtOnceStopsThemAll)
{
    down ('Z');
    down ('X');
    held.clear();
    EXPECT_TRUE (player.keyStateChanged (false));
    EXPECT_FALSE (player.keyStateChanged (false));

    EXPECT_EQ (notesSent().size(), 4u);
}

TEST_F (Player, TheSpaceBarSilencesEveryNoteAndTheCommandKeysPost)
{
    down ('Z');
    EXPECT_TRUE (down (' '));
    EXPECT_EQ (player.getStatusText(), "All Notes OFF");
    EXPECT_EQ (notesSent().size(), 1u + 128u);
    up ('Z');
    EXPECT_EQ (notesSent().size(), 1u + 128u) << "nothing left to stop";

    hub().takeEvents();
    const std::pair<int, int> commands[] = { { juce::KeyPress::F7Key, 624 }, { juce::KeyPress::F8Key, 625 },
                                             { juce::KeyPress::F9Key, 623 }, { '5', 731 }, { '0', 726 } };
    for (auto [code, command] : commands)
        EXPECT_TRUE (down (code));

    std::vector<int> posted;
    for (const auto code : hub().takeEvents())
        if (UiEventCode::type (code) == kUiKeyCommand)
            posted.push_back (UiEventCode::value (code));
    EXPECT_EQ (posted, (std::vector<int> { 624, 625, 623, 731, 726 }));

    KeyPlayClass library (hub(), KeyPlayClass::kLibraryMode);
    EXPECT_TRUE (library.keyPressed (juce::KeyPress ('5')));
    EXPECT_TRUE (library.keyPressed (juce::KeyPress (juce::KeyPress::leftKey)));
    EXPECT_FALSE (library.keyPressed (juce::KeyPress ('Q')));
    EXPECT_TRUE (hub().takeEvents().isEmpty());
}

TEST_F (Player, APlayerThatGoesAwayStopsItsNotes)
{
    {
        KeyPlayClass shortLived (hub(), KeyPlayClass::kLibraryMode);
        shortLived.keyPressed (juce::KeyPress ('Z'));
        shortLived.keyPressed (juce::KeyPress ('M'));
    }

    const std::vector<std::pair<bool, int>> expected = { { true, 36 }, { true, 47 }, { false, 36 }, { false, 47 } };
    EXPECT_EQ (notesSent(), expected);
}
