#include "editor/keyboard/KeyboardRig.h"

#include <gtest/gtest.h>

using widgetharness::press;
using widgetharness::release;

namespace
{
struct Piano : testing::Test, KeyboardRig
{
    PianoPad& piano() { return drawer().getPiano(); }
    KeyOverlay& overlay() { return piano().getOverlay(); }

    // The centre of a key's touch, in the overlay's space.
    juce::Point<int> lowOn (int key) { return piano().getKey (key).getBounds().getCentre().withY (130); }
};
} // namespace

TEST (PianoKeyVelocity, TheHeightOfThePressDecidesBelowSix)
{
    struct Case { PianoKey::Type type; int y; int velocity; };
    const Case cases[] = {
        { PianoKey::white, 52, 5 },    { PianoKey::white, 0, 5 },    { PianoKey::white, 130, 99 },
        { PianoKey::white, 152, 127 }, { PianoKey::white, 153, -1 }, { PianoKey::black, 60, 76 },
        { PianoKey::black, 100, 127 }, { PianoKey::black, 120, 127 }, { PianoKey::black, 2, 5 },
    };

    for (const auto& c : cases)
        EXPECT_EQ (PianoKey::velocityFromHeight (c.type, c.y), c.velocity) << "type " << c.type << " y " << c.y;
}

TEST_F (Piano, KeysPlayTheirNoteAtTheOctaveWithTheVelocity)
{
    struct Case { int octave; int velocity; int key; int y; int note; int sentVelocity; };
    const Case cases[] = {
        { 2, 100, 0, 130, 24, 100 },  { 2, 100, 64, 10, 88, 100 }, { 0, 0, 0, 130, 0, 99 },
        { 2, 0, 1, 60, 25, 76 },      { 6, 100, 55, 130, 127, 100 },
    };

    for (const auto& c : cases)
    {
        hub().setKeyboardOctave (c.octave);
        hub().setKeyboardVelocity (c.velocity);
        toSynth.clearReceived();

        auto& key = piano().getKey (c.key);
        key.press (c.y);
        key.release();

        const auto sent = notes();
        ASSERT_EQ (sent.size(), 2u) << "key " << c.key;
        EXPECT_TRUE (sent[0].isNoteOn());
        EXPECT_EQ (sent[0].getNoteNumber(), c.note);
        EXPECT_EQ (sent[0].getVelocity(), c.sentVelocity);
        EXPECT_TRUE (sent[1].isNoteOff());
        EXPECT_EQ (sent[1].getNoteNumber(), c.note);
    }
}

TEST_F (Piano, NotesAboveTheTopOfMidiPlayNothing)
{
    hub().setKeyboardOctave (6);
    toSynth.clearReceived();

    auto& key = piano().getKey (56);
    key.press (130);

    EXPECT_FALSE (key.isPressed());
    EXPECT_TRUE (notes().empty());
}

TEST_F (Piano, TheReleaseStopsTheNoteThatSoundsAfterTheOctaveMoved)
{
    auto& key = piano().getKey (0);
    key.press (130);
    hub().setKeyboardOctave (4);
    key.release();

    const auto sent = notes();
    ASSERT_EQ (sent.size(), 2u);
    EXPECT_EQ (sent[1].getNoteNumber(), 24);
    EXPECT_TRUE (soundingNotes().empty());
}

TEST_F (Piano, TheStripRightOfABlackKeyStillPlaysIt)
{
    const auto& black = piano().getKey (1);
    EXPECT_EQ (overlay().keyAt (black.getRight() + 1, 20), 1);
    EXPECT_EQ (overlay().keyAt (black.getRight() + 2, 20), 2);
    EXPECT_EQ (overlay().keyAt (black.getX() + 2, 120), 0) << "below the black keys only the white keys count";
}

TEST_F (Piano, AGlideStopsTheOldNoteBeforeTheNewOneStarts)
{
    const auto c = lowOn (0), d = lowOn (2), e = lowOn (4);

    press (overlay(), c.x, c.y);
    drag (overlay(), d.x, d.y);
    drag (overlay(), d.x + 1, d.y);
    drag (overlay(), e.x, e.y);
    release (overlay(), e.x, e.y);

    std::vector<std::pair<bool, int>> sent;
    for (const auto& m : notes())
        sent.emplace_back (m.isNoteOn(), m.getNoteNumber());

    const std::vector<std::pair<bool, int>> expected = { { true, 24 }, { false, 24 }, { true, 26 },
                                                         { false, 26 }, { true, 28 },  { false, 28 } };
    EXPECT_EQ (sent, expected);
}

TEST_F (Piano, NotesGoToTheSynthesizerOnItsChannelAndNotToTheHost)
{
    main->handleChannelMenu (5);
    piano().getKey (12).press (130);

    juce::MidiBuffer block;
    hub().processHostMidi (block, 256, 44100);

    const auto sent = notes();
    ASSERT_EQ (sent.size(), 1u);
    EXPECT_EQ (sent[0].getChannel(), 5);
    EXPECT_TRUE (block.isEmpty());
}
