#include "editor/FlashPanel.h"
#include "widgets/WidgetHarness.h"

#include "core/VellixAudioProcessor.h"
#include "support/VirtualMidi.h"

#include <gtest/gtest.h>

using namespace widgetharness;

namespace
{
struct SectionPage : testing::Test
{
    SectionPage()
    {
        page.setVisible (true);
        page.addChangeListener (&changes);
    }

    int messages()
    {
        page.dispatchPendingMessages();
        return changes.count;
    }

    ScopedMidiDeviceLayer layer;
    VellixAudioProcessor processor;
    FlashPanel page { processor };
    ChangeCounter changes;
};
} // namespace

TEST_F (SectionPage, SectionsOpenMagnifiedAndCentredOnTheEditorsWidth)
{
    struct Case
    {
        int section, editorWidth;
        juce::Rectangle<float> box;
        int position;                     // a control of the section
        juce::Rectangle<int> inBox;       // its bounds, relative to the box's corner
    };
    const Case cases[] = {
        // LFO, 554 x 159 enlarged; its first Frequency knob at design (6, 24).
        { 5, 1148, { 158, 100, 831, 238.5f }, 41, { 9, 36, 97, 96 } },
        { 5, 975, { 72, 100, 831, 238.5f }, 41, { 9, 36, 97, 96 } },
        // The Tempo knob at design (159, 11) in its box.
        { 6, 1148, { 382, 100, 382.5f, 238.5f }, 95, { 238, 16, 97, 96 } },
        { 6, 975, { 296, 100, 382.5f, 238.5f }, 95, { 238, 16, 97, 96 } },
        { 0, 1148, { 148, 100, 850.5f, 238.5f }, 28, { 211, 135, 97, 96 } },
    };

    for (const auto& c : cases)
    {
        page.showSection (c.section, c.editorWidth);
        const auto box = page.getBox();
        EXPECT_EQ (box, c.box) << c.section << " at " << c.editorWidth;
        EXPECT_EQ (page.getControl (c.position).getBounds(), c.inBox.translated ((int) box.getX(), (int) box.getY()))
            << c.section << " at " << c.editorWidth;
        EXPECT_TRUE (page.getControl (c.position).isVisible());
        EXPECT_FLOAT_EQ (page.getControl (c.position).getScale(), FlashPanel::kScale);
        EXPECT_EQ (page.getBounds(), juce::Rectangle<int> (0, 0, 1148, 700)) << "the page keeps its size";
    }
}

TEST_F (SectionPage, OnlyTheShownSectionsControlsAndEnvelopeAreShown)
{
    page.showSection (0, 1148);
    const auto box = page.getBox().toNearestIntEdges();
    EXPECT_EQ (page.getEnvelope (0).getBounds(), juce::Rectangle<int> (495 + box.getX(), 6 + box.getY(), 339, 123));
    EXPECT_TRUE (page.getEnvelope (0).isVisible());
    EXPECT_FLOAT_EQ (page.getEnvelope (0).getScale(), FlashPanel::kScale);

    page.showSection (4, 1148);
    for (int index = 0; index < EditorPanel::kNumEnvelopes; ++index)
        EXPECT_FALSE (page.getEnvelope (index).isVisible()) << index;
    for (int position = 0; position < EditorTables::kNumControls; ++position)
        EXPECT_EQ (page.getControl (position).isVisible(), page.getControl (position).getSection() == 4) << position;

    page.showSection (EditorTables::kNumSections, 1148);
    EXPECT_EQ (page.getShownSection(), 4) << "no such section: nothing changes";
    page.showSection (6, 1148);
    EXPECT_EQ (page.getCaption (6), juce::String ("SEQUENCER"));
}

TEST_F (SectionPage, APressOutsideTheBoxAsksToClose)
{
    page.showSection (5, 1148); // the box spans x 158..989 and y 100..338.5
    struct Case
    {
        juce::Point<int> at;
        int messages;
    };
    const Case cases[] = {
        { { 989, 200 }, 0 }, { { 990, 200 }, 1 }, { { 158, 100 }, 0 }, { { 157, 200 }, 1 },
        { { 500, 338 }, 0 }, { { 500, 339 }, 1 }, { { 500, 99 }, 1 }, { { 5, 5 }, 1 },
    };

    for (const auto& c : cases)
    {
        changes.count = 0;
        rightPress (page, c.at.x, c.at.y);
        press (page, c.at.x, c.at.y);
        EXPECT_EQ (messages(), c.messages) << c.at.x << "," << c.at.y;
    }

    // A right press on one of its controls opens nothing and changes nothing.
    changes.count = 0;
    auto& knob = page.getControl (41);
    const int shown = knob.getDisplayedValue();
    rightPress (knob, 10, 10);
    EXPECT_EQ (messages(), 0);
    EXPECT_EQ (knob.getDisplayedValue(), shown);
    EXPECT_TRUE (processor.getHub().takeEvents().isEmpty());
}

TEST_F (SectionPage, OnlyTheLastShownSectionFollowsTheModel)
{
    page.showSection (1, 1148);
    page.refreshControl (page.getControl (37), 90);  // AMP's decay
    page.refreshControl (page.getControl (21), 90);  // the filter's resonance
    EXPECT_EQ (page.getControl (37).getDisplayedValue(), 90);
    EXPECT_EQ (page.getEnvelope (1).getStage (Envel::decay), 90.0f);
    EXPECT_NE (page.getControl (21).getDisplayedValue(), 90);

    auto& hub = processor.getHub();
    hub.setEditBufferByte (38, 77);
    hub.setEditBufferByte (29, 77);
    page.refreshShownControls();
    EXPECT_EQ (page.getControl (38).getDisplayedValue(), 77);
    EXPECT_EQ (page.getEnvelope (1).getStage (Envel::sustain), 77.0f);
    EXPECT_NE (page.getControl (29).getDisplayedValue(), 77);
}
