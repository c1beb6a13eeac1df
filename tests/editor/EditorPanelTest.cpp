#include "editor/EditorPanel.h"
#include "widgets/WidgetHarness.h"

#include "core/VellixAudioProcessor.h"
#include "core/model/ParDes.h"
#include "support/VirtualMidi.h"

#include <gtest/gtest.h>

using namespace widgetharness;

namespace
{
struct Panel : testing::Test
{
    Panel()
    {
        panel.setVisible (true);
        panel.addChangeListener (&changes);
    }

    // A right-button press where the page's own hit test sends it.
    void rightPressAt (juce::Point<int> point)
    {
        auto* target = panel.getComponentAt (point);
        ASSERT_NE (target, nullptr);
        const auto local = target->getLocalPoint (&panel, point);
        rightPress (*target, local.x, local.y);
    }

    // Change messages are asynchronous: the code is read after a dispatch.
    int lastBroadcast()
    {
        for (int i = 0; i < EditorPanel::kNumEnvelopes; ++i)
            panel.getEnvelope (i).dispatchPendingMessages();
        panel.dispatchPendingMessages();
        return changes.count > 0 ? panel.getChangeCode() : -1;
    }

    ScopedMidiDeviceLayer layer;
    VellixAudioProcessor processor;
    EditorPanel panel { processor };
    ChangeCounter changes;
};
} // namespace

TEST_F (Panel, RightPressesOpenTheSectionTheyHit)
{
    struct Case
    {
        const char* where;
        juce::Point<int> point;
        int code; // -1: nothing broadcast
    };
    const Case cases[] = {
        { "empty part of CONTROLS", { 990, 470 }, 104 },
        { "the Tempo knob", { 1070, 40 }, 106 },
        { "envelope view 1's place", panel.getEnvelopeBounds (1).getCentre(), 101 },
        { "an empty part of the LFO", { 600, 640 }, 105 },
        { "the left edge line of CONTROLS", { 798, 300 }, -1 },
        { "the top edge line of AMP", { 100, 328 }, -1 },
        { "the panel between sections", { 700, 150 }, -1 },
    };

    for (const auto& c : cases)
    {
        changes.count = 0;
        rightPressAt (c.point);
        EXPECT_EQ (lastBroadcast(), c.code) << c.where;
    }

    changes.count = 0;
    press (panel, 990, 470);
    EXPECT_EQ (lastBroadcast(), -1) << "a left press broadcasts nothing";
}

TEST_F (Panel, ScaleMovesPlacedControlsTheButtonAndTheReservedPlaces)
{
    panel.setScale (0.5f);

    EXPECT_EQ (panel.getControl (12).getBounds(), juce::Rectangle<int> (66, 2, 52, 10));
    EXPECT_EQ (panel.getControl (95).getBounds(), juce::Rectangle<int> (520, 5, 32, 32));
    EXPECT_EQ (panel.getControl (109).getBounds(), juce::Rectangle<int> (-1017, 410, 110, 32)) << "parked: kept";
    EXPECT_TRUE (panel.getControl (112).getBounds().isEmpty());
    EXPECT_EQ (panel.getSequencerButton().getBounds(), juce::Rectangle<int> (455, 10, 48, 12));
    EXPECT_FLOAT_EQ (panel.getSequencerButton().fontHeight, 6.0f);
    EXPECT_EQ (panel.getProgramDisplayBounds(), juce::Rectangle<int> (337, 45, 90, 21));
    EXPECT_EQ (panel.getEnvelopeBounds (2), juce::Rectangle<int> (170, 248, 113, 41));
    EXPECT_TRUE (panel.getEnvelopeBounds (3).isEmpty());
    EXPECT_EQ (panel.getEnvelope (2).getBounds(), panel.getEnvelopeBounds (2));
    EXPECT_FLOAT_EQ (panel.getEnvelope (2).getScale(), 0.5f);
}

TEST_F (Panel, RefreshShowsEveryByteOfTheEditBuffer)
{
    auto& hub = processor.getHub();
    for (int position = 0; position < EditorTables::kNumControls; ++position)
        hub.setEditBufferByte (position, (position * 7) % 128);
    hub.setEditBufferByte (0, 200);

    panel.refreshControls();

    for (int position = 1; position < EditorTables::kNumControls; ++position)
    {
        const auto& control = panel.getControl (position);
        const int byte = (position * 7) % 128;
        EXPECT_EQ (control.getDisplayedValue(), juce::jlimit (control.getMinimum(), control.getMaximum(), byte)) << position;
        EXPECT_EQ (control.getValueText(), ParDes::getValueText (control.getDisplayKind(), byte)) << position;
    }

    EXPECT_EQ (panel.getControl (0).getDisplayedValue(), 120);
    EXPECT_EQ (panel.getControl (0).getKnobFrame(), 54);

    for (int index = 0; index < EditorPanel::kNumEnvelopes; ++index)
        for (int stage = 0; stage < Envel::numStages; ++stage)
        {
            const int position = EditorTables::kEnvelopeFirstPosition[(size_t) index] + stage;
            EXPECT_EQ (panel.getEnvelope (index).getStage (stage), (float) ((position * 7) % 128)) << position;
        }
}

TEST_F (Panel, EnvelopeDragsRequestOnlyTheStagesTheyMoved)
{
    struct Case
    {
        const char* what;
        int dx, dy;
        std::vector<int> positions;
    };
    const Case cases[] = {
        { "diagonally", 6, -6, { 66, 67 } },
        { "vertically", 0, -6, { 67 } },
    };
    panel.refreshControls();

    for (const auto& c : cases)
    {
        processor.getHub().takeEvents();
        auto& view = panel.getEnvelope (2);
        const auto corner = (view.getCorner (2) * view.getScale()).roundToInt();
        press (view, corner.x, corner.y);
        drag (view, corner.x + c.dx, corner.y + c.dy);
        view.dispatchPendingMessages();

        std::vector<int> sent;
        for (const auto code : processor.getHub().takeEvents())
            if (UiEventCode::type (code) == kUiProgramByteChanged)
                sent.push_back (UiEventCode::position (code));
        EXPECT_EQ (sent, c.positions) << c.what;

        // The model's values come back to the view, as the editor's dispatch would do.
        for (const int position : c.positions)
            panel.setControlFromModel (panel.getControl (position), processor.getHub().getEditBufferByte (position));
    }
}

TEST_F (Panel, SuspendedRepaintsAreKeptForLater)
{
    panel.setRepaintEnabled (false);
    panel.setControlFromModel (panel.getControl (21), 90);
    panel.setControlFromModel (panel.getControl (37), 90);
    EXPECT_TRUE (panel.getControl (21).isRepaintPending());
    EXPECT_TRUE (panel.getEnvelope (1).isRepaintPending());

    panel.setRepaintEnabled (true);
    EXPECT_FALSE (panel.getControl (21).isRepaintPending());
    EXPECT_FALSE (panel.getEnvelope (1).isRepaintPending());
    EXPECT_EQ (panel.getEnvelope (1).getStage (Envel::decay), 90.0f);
    EXPECT_EQ (panel.getControl (21).getDisplayedValue(), 90);
}

// The page keeps what never changes with a value (its panel, the controls'
// fills, boxes and captions, the envelopes' screens) in a picture of its own.
// What it shows must be what its controls and views paint by themselves,
// through values, scales, a return to a scale kept before and a new caption;
// where a value's text meets a caption, a level or two of rounding may differ.
TEST_F (Panel, ItsKeptArtShowsWhatItsControlsWouldPaintThemselves)
{
    const auto leaveArt = [&] (PageArt* page) {
        for (int position = 0; position < EditorTables::kNumControls; ++position)
            panel.getControl (position).leaveArtTo (page);
        for (int index = 0; index < EditorPanel::kNumEnvelopes; ++index)
            panel.getEnvelope (index).leaveArtTo (page);
    };
    const auto paintedByThemselves = [&] {
        leaveArt (nullptr);
        const auto image = render (panel);
        leaveArt (&panel);
        return image;
    };
    const auto pixelsApart = [] (const juce::Image& a, const juce::Image& b) {
        int count = 0;
        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
            {
                const auto p = a.getPixelAt (x, y), q = b.getPixelAt (x, y);
                if (std::abs (p.getRed() - q.getRed()) > 2 || std::abs (p.getGreen() - q.getGreen()) > 2
                    || std::abs (p.getBlue() - q.getBlue()) > 2 || p.getAlpha() != q.getAlpha())
                    ++count;
            }
        return count;
    };

    struct Step
    {
        const char* what;
        std::function<void()> act;
    };
    const Step steps[] = {
        { "as built", [] {} },
        { "a knob, a list, a switch and an envelope moved", [&] {
             panel.setControlFromModel (panel.getControl (0), 100);
             panel.setControlFromModel (panel.getControl (13), 2);
             panel.setControlFromModel (panel.getControl (4), 1);
             panel.setControlFromModel (panel.getControl (28), 90);
         } },
        { "at the small editor's scale", [&] { panel.setScale (975.0f / 1148.0f); } },
        { "as the sequencer view's miniature", [&] { panel.setScale (456.0f / 1148.0f); } },
        { "back at the full scale", [&] { panel.setScale (1.0f); } },
        { "a caption changed", [&] { panel.getControl (0).setLabel ("Pitch"); } },
    };

    for (const auto& step : steps)
    {
        step.act();
        EXPECT_EQ (pixelsApart (render (panel), paintedByThemselves()), 0) << step.what;
    }
}
