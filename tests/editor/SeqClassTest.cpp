#include "editor/SeqClass.h"
#include "widgets/WidgetHarness.h"

#include "core/VellixAudioProcessor.h"
#include "support/VirtualMidi.h"

#include <gtest/gtest.h>

using namespace widgetharness;

namespace
{
struct Requests : SeqClassListener
{
    void seqClassEvent (int code, int track, int value) override { calls.push_back ({ code, track, value }); }
    std::vector<std::array<int, 3>> calls;
};

// The first track (the one whose steps may rest) at the overview's size (522 x 155: step width 32, factors 1) on a
// processor with no ports: what it sends is read back from the hub's queue,
// and shown only when the test echoes it, as the editor does.
struct Track : testing::Test
{
    Track()
    {
        track.setDesignBounds (0, 0, 522, 155);
        track.addListener (&requests);
    }

    // (step, value) of each step byte this track sent since the last call.
    std::vector<std::pair<int, int>> sent()
    {
        std::vector<std::pair<int, int>> found;
        for (const auto code : processor.getHub().takeEvents())
            if (UiEventCode::type (code) == kUiProgramByteChanged)
                found.emplace_back (UiEventCode::position (code) - 120, UiEventCode::value (code));
        return found;
    }

    void echo()
    {
        for (const auto& [step, value] : sent())
            track.showStepValue (step, value);
    }

    static constexpr int kValueRowY = 100;
    static int middleOf (int step) { return step * 32 + 16; }

    ScopedMidiDeviceLayer layer;
    VellixAudioProcessor processor;
    SeqClass track { processor, 0 };
    Requests requests;
};

using Sent = std::vector<std::pair<int, int>>;
} // namespace

TEST (SeqClassMaths, StepsAreHitOnlyStrictlyInside)
{
    const struct { float x; int step; } cases[] = {
        { 0.0f, -1 }, { 0.5f, 0 }, { 31.9f, 0 }, { 32.0f, -1 }, { 33.0f, 1 },
        { 480.0f, -1 }, { 511.0f, 15 }, { 512.0f, -1 }, { 600.0f, -1 }, { -3.0f, -1 },
    };
    for (const auto& c : cases)
        EXPECT_EQ (SeqClass::stepAt (c.x, 32), c.step) << c.x;

    EXPECT_EQ (SeqClass::stepAt (5.0f, 0), -1) << "a track too small for steps";
}

TEST (SeqClassMaths, DragValuesQuantizeAndCaptions)
{
    const struct { float y, yFactor; int value; } drags[] = {
        { 23.0f, 1.0f, 125 }, { 0.0f, 1.0f, 125 }, { 71.0f, 1.0f, 77 }, { 148.0f, 1.0f, 0 },
        { 400.0f, 1.0f, 0 }, { 142.0f, 2.0f, 77 }, { 50.0f, 0.0f, 0 },
    };
    for (const auto& d : drags)
        EXPECT_EQ (SeqClass::dragValue (d.y, d.yFactor), d.value) << d.y << " at " << d.yFactor;

    const struct { int value; bool quantize; int result; } quantizing[] = {
        { 77, true, 76 }, { 77, false, 77 }, { 0, true, 0 }, { 1, true, 0 }, { 126, true, 126 }, { 127, true, 126 },
    };
    for (const auto& q : quantizing)
        EXPECT_EQ (SeqClass::quantized (q.value, q.quantize), q.result) << q.value;

    const struct { int value; bool pitch; const char* caption; } captions[] = {
        { 0, true, "C0" }, { 25, true, "C+1" }, { 60, true, "F#2" }, { 125, true, "D+5" }, { 60, false, "60" },
        { 126, true, "RST" }, { 127, true, "OFF" }, { 126, false, "RST" }, { 127, false, "OFF" },
    };
    for (const auto& c : captions)
        EXPECT_EQ (SeqClass::captionFor (c.value, c.pitch), c.caption) << c.value;
}

TEST_F (Track, DestinationsOneToThreeArePitches)
{
    for (const auto& [destination, pitch] : std::vector<std::pair<int, bool>> { { 0, false }, { 1, true }, { 3, true }, { 4, false }, { 2, true }, { 47, false } })
    {
        track.setDestination (destination);
        EXPECT_EQ (track.isDestinationPitch(), pitch) << destination;
    }
}

TEST_F (Track, SlidersEditThePressedStepAndPenTheOneUnderThePointer)
{
    press (track, middleOf (3), kValueRowY);
    EXPECT_TRUE (sent().empty()) << "nothing is sent on the press";
    drag (track, middleOf (7), 71);
    drag (track, middleOf (9), 148);
    EXPECT_EQ (sent(), (Sent { { 3, 77 }, { 3, 0 } }));
    EXPECT_EQ (track.getShownValue (3), 0) << "shown only when the model reports it";

    track.drawMode = seqDrawPen;
    press (track, middleOf (3), kValueRowY);
    drag (track, middleOf (5), 71);
    drag (track, middleOf (6), 71);
    drag (track, middleOf (6), 71);
    EXPECT_EQ (sent(), (Sent { { 5, 77 }, { 6, 77 } })) << "an unchanged value is not sent again";

    track.quantize = true;
    press (track, middleOf (8), kValueRowY);
    drag (track, middleOf (8), 71);
    EXPECT_EQ (sent(), (Sent { { 8, 76 } }));

    press (track, 64, kValueRowY); // on the boundary of steps 1 and 2
    track.drawMode = seqDrawSliders;
    drag (track, middleOf (2), 71);
    EXPECT_TRUE (sent().empty()) << "a press on a boundary arms nothing";
}

TEST_F (Track, ResetCellsCycleThroughResetAndRest)
{
    // What a click on step 4's reset cell sent, read from the edit buffer,
    // then shown as the editor would.
    const auto clickCell = [this] {
        processor.getHub().setEditBufferByte (120 + 4, 99);
        click (track, middleOf (4), 5);
        const int value = processor.getHub().getEditBufferByte (120 + 4);
        track.showStepValue (4, value);
        return value;
    };

    track.showStepValue (4, 40);
    std::vector<int> cycle;
    for (int i = 0; i < 3; ++i)
        cycle.push_back (clickCell());
    EXPECT_EQ (cycle, (std::vector<int> { 126, 127, 40 }));

    // Under quantize a reset step stays one.
    track.quantize = true;
    EXPECT_EQ (clickCell(), 126);
    EXPECT_EQ (clickCell(), 126);
}

TEST_F (Track, LoadedStepsAndTheirRests)
{
    std::array<int, SeqClass::kNumSteps> bytes {};
    bytes[0] = 200;
    bytes[1] = 127;
    bytes[2] = 65;
    track.setStepsFromProgram (bytes);
    EXPECT_EQ (track.getShownValue (0), 127) << "200 shows OFF";
    EXPECT_EQ (track.getShownValue (2), 65);

    // A rest that came with the program and was never reset here returns to 0.
    widgetharness::click (track, middleOf (1), 5);
    EXPECT_EQ (sent(), (Sent { { 1, 0 } }));
}

TEST_F (Track, TheWheelStepsTheShownValueAndStopsAtTheTop)
{
    track.quantize = true;
    track.showStepValue (6, 124);
    const juce::MouseWheelDetails up { 0.0f, 0.5f, false, false, false }, down { 0.0f, -0.5f, false, false, false };

    track.mouseWheelMove (mouseAt (track, middleOf (6), kValueRowY), up);
    track.mouseWheelMove (mouseAt (track, middleOf (6), kValueRowY), up);
    EXPECT_EQ (track.getShownValue (6), 126);
    EXPECT_EQ (sent(), (Sent { { 6, 126 } }));

    track.quantize = false;
    track.mouseWheelMove (mouseAt (track, middleOf (6), kValueRowY), up);
    track.mouseWheelMove (mouseAt (track, middleOf (6), kValueRowY), up);
    EXPECT_EQ (track.getShownValue (6), 127);
    EXPECT_EQ (sent(), (Sent { { 6, 127 } }));

    track.showStepValue (7, 0);
    track.mouseWheelMove (mouseAt (track, middleOf (7), kValueRowY), down);
    EXPECT_EQ (track.getShownValue (7), 0);
    EXPECT_TRUE (sent().empty());
}

TEST_F (Track, ATabOnlyAsksToBeEdited)
{
    track.displayMode = seqTrackTab;
    press (track, middleOf (4), 5);
    press (track, middleOf (4), kValueRowY);
    drag (track, middleOf (4), 71);

    EXPECT_TRUE (sent().empty());
    EXPECT_EQ (requests.calls, (std::vector<std::array<int, 3>> { { 69, 0, 0 }, { 69, 0, 0 } }));
}

TEST_F (Track, PaintsEveryModeAndSizeWithoutFault)
{
    std::array<int, SeqClass::kNumSteps> bytes {};
    for (int i = 0; i < SeqClass::kNumSteps; ++i)
        bytes[(size_t) i] = i * 9;
    bytes[3] = 126;
    bytes[4] = 127;
    track.setStepsFromProgram (bytes);
    track.setDestination (1);

    for (const int mode : { seqTrackOverview, seqTrackEditor, seqTrackTab })
        for (const auto size : { juce::Point<int> (976, 522), juce::Point<int> (136, 60), juce::Point<int> (3, 2) })
        {
            track.displayMode = mode;
            track.setDesignBounds (0, 0, size.x, size.y);
            const auto image = render (track);
            EXPECT_EQ (image.getWidth(), size.x);
        }
    EXPECT_EQ (track.getShownValue (3), 126);
}
