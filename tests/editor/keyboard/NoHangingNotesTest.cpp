#include "editor/keyboard/KeyboardRig.h"

#include <gtest/gtest.h>

namespace
{
// Plays the drawer as a restless musician would, chosen by a seed: piano
// presses and glides, computer keys down and up, octave and velocity moves.
struct RandomPlayer
{
    RandomPlayer (KeyBrd& d, juce::int64 seed) : drawer (d), random (seed)
    {
        drawer.getPlayer().isKeyDown = [this] (int code) { return held.count (code) > 0; };
    }

    void step()
    {
        auto& overlay = drawer.getPiano().getOverlay();
        const auto anyPoint = [&] { return juce::Point<int> (random.nextInt (overlay.getWidth()), random.nextInt (170)); };
        static constexpr char noteKeys[] = "ZSXDCVGBHNJM";

        switch (random.nextInt (9))
        {
            case 0: { const auto p = anyPoint(); widgetharness::press (overlay, p.x, p.y); break; }
            case 1: { const auto p = anyPoint(); drag (overlay, p.x, p.y); break; }
            case 2: { const auto p = anyPoint(); widgetharness::release (overlay, p.x, p.y); break; }
            case 3:
            {
                const int code = noteKeys[random.nextInt (12)];
                held.insert (code);
                drawer.getPlayer().keyPressed (juce::KeyPress (code));
                break;
            }
            case 4:
                if (! held.empty())
                {
                    held.erase (std::next (held.begin(), random.nextInt ((int) held.size())));
                    drawer.getPlayer().keyStateChanged (false);
                }
                break;
            case 5: drawer.getPlayer().keyPressed (juce::KeyPress (random.nextBool() ? 'O' : 'P')); break;
            case 6: drawer.getPlayer().keyPressed (juce::KeyPress (random.nextBool() ? 'I' : 'U')); break;
            case 7:
            {
                auto& overview = drawer.getOctaveOverview();
                widgetharness::press (overview, random.nextInt (overview.getWidth()), 2);
                break;
            }
            default: drawer.getVelocityIndicator().setValue (random.nextInt (128)); break;
        }
    }

    KeyBrd& drawer;
    juce::Random random;
    std::set<int> held;
};

struct NoHangingNotes : testing::TestWithParam<int>, KeyboardRig
{
};
} // namespace

TEST_P (NoHangingNotes, ClosingTheEditorAfterAnyPlayingLeavesSilence)
{
    for (int round = 0; round < 3; ++round)
    {
        RandomPlayer musician (drawer(), GetParam() * 10 + round);
        for (int i = 0; i < 80; ++i)
            musician.step();

        close();
        EXPECT_TRUE (soundingNotes().empty()) << "seed " << GetParam() << " round " << round;
        open();
    }
}

INSTANTIATE_TEST_SUITE_P (Seeds, NoHangingNotes, testing::Range (1, 21));
