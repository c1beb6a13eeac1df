#include "editor/SeqPanel.h"

#include "core/VellixAudioProcessor.h"
#include "core/model/ParDes.h"
#include "editor/EditorLook.h"

namespace SequencerTables
{
using EditorTables::kNoSection;

const std::array<EditorTables::ControlRow, kNumControls> SequencerControlTable { {
    { 101, "Seq 1 Destination", 15, 56, 102, 32, 0, 46, kwsContList, kKindModDest, kNoSection },
    { 102, "Seq 2 Destination.", 15, 224, 102, 32, 0, 47, kwsContList, kKindSeq2Dest, kNoSection },
    { 103, "Seq 3 Destination", 15, 390, 102, 32, 0, 46, kwsContList, kKindModDest, kNoSection },
    { 104, "Seq 4 Destination", 15, 550, 102, 32, 0, 47, kwsContList, kKindSeq4Dest, kNoSection },
    { 95, "Tempo", 785, 33, 65, 64, 30, 250, kwsContKnob, kKindBpm, kNoSection },
    { 96, "Clock Divide", 665, 132, 110, 32, 0, 12, kwsContList, kKindClockDivide, kNoSection },
    { 99, "Sequencer Trigger", 665, 92, 110, 32, 0, 5, kwsContList, kKindSeqTrigger, kNoSection },
    { 100, "Sequencer", 665, 68, 110, 16, 0, 1, kwsContCheck, kKindOnOff, kNoSection },
} };
} // namespace SequencerTables

namespace
{
using namespace SequencerTables;

constexpr int kFirstDestination = 101;
constexpr int kDestinationControl = 0; // index of track 0's destination; the others follow
constexpr int kSequencerControl = 7;

// Where the controls sit in the track editor, as top-left corners.
struct ControlPlace { int index, x, top; };
constexpr ControlPlace editorPlaces[] = { { 4, 926, 17 }, { 5, 806, 9 }, { 6, 806, 46 }, { kSequencerControl, 91, 24 } };
constexpr int kEditedDestinationX = 91, kEditedDestinationY = 62; // a setup position
constexpr int kParkedX = -1500;

constexpr int kOverviewTrackX = 123, kOverviewTrackWidth = 522, kOverviewTrackHeight = 155;
constexpr int kOverviewTrackY[kNumTracks] = { 2, 167, 332, 497 };
const juce::Rectangle<int> kEditorArea { 88, 100, 976, 522 };
constexpr int kTabX = 220, kTabY = 20, kTabWidth = 136, kTabHeight = 60, kTabGap = 7;

struct ButtonPlace { float x, y, w, h, fontHeight; };
constexpr ButtonPlace kProgramPlace { 910, 20, 96, 24, 13 };
constexpr ButtonPlace kEditPlaces[kNumTracks] = { { 40, 91, 60, 18, 11 }, { 40, 256, 60, 18, 11 },
                                                  { 40, 421, 60, 18, 11 }, { 40, 586, 60, 18, 11 } };
constexpr ButtonPlace kOverviewDrawModePlace { 785, 117, 60, 18, 11 };
constexpr ButtonPlace kEditorDrawModePlace { 992, 16, 64, 24, 12 };
constexpr ButtonPlace kOkPlace { 992, 50, 64, 24, 13 };

constexpr float kRingDiameter = 100.0f;
constexpr float kCorner = 10.0f, kEdge = 2.0f, kTitleHeight = 14.0f, kTabLabelHeight = 11.0f;

void place (KwsBut& button, const ButtonPlace& where, float s)
{
    const auto bounds = EditorLook::scaled (juce::Rectangle<float> (where.x, where.y, where.w, where.h), s);
    button.placeWithStyleImages (bounds.getX(), bounds.getY(), bounds.getWidth(), bounds.getHeight(), true);
    // After the style's look, which sets its own caption height.
    button.fontHeight = where.fontHeight * s;
}

juce::Rectangle<int> tabArea (int track)
{
    return { kTabX + track * (kTabWidth + kTabGap), kTabY, kTabWidth, kTabHeight };
}
} // namespace

SeqPanel::SeqPanel (VellixAudioProcessor& p) : processor (p)
{
    setOpaque (true);

    addAndMakeVisible (programButton);
    addChildComponent (okButton);
    for (auto& button : editButtons)
    {
        button = std::make_unique<KwsBut> ("Edit", 0, kwsButPlain);
        addAndMakeVisible (*button);
    }
    addAndMakeVisible (drawModeButton);

    // PROGRAM is the editor's to answer.
    okButton.addChangeListener (this);
    for (auto& button : editButtons)
        button->addChangeListener (this);
    drawModeButton.addChangeListener (this);

    for (auto* button : { &programButton, &okButton, &drawModeButton })
        button->placeWithStyleImages (0, 0, 0, 0, false);
    for (auto& button : editButtons)
        button->placeWithStyleImages (0, 0, 0, 0, false);

    for (size_t i = 0; i < controls.size(); ++i)
    {
        const auto& row = SequencerControlTable[i];
        controls[i] = std::make_unique<KwsCont> (processor);
        controls[i]->setup (row.position, row.label, row.x, row.y, row.w, row.h, row.minimum, row.maximum, row.style,
                            row.kind);
        controls[i]->setBackgroundFill();
        addAndMakeVisible (*controls[i]);
    }

    for (int t = 0; t < kNumTracks; ++t)
    {
        auto track = std::make_unique<SeqClass> (processor, t);
        track->addListener (this);
        track->setDesignBounds (kOverviewTrackX, kOverviewTrackY[t], kOverviewTrackWidth, kOverviewTrackHeight);
        addAndMakeVisible (*track);
        tracks[(size_t) t] = std::move (track);
    }

    setSize (kDesignWidth, kDesignHeight);
}

SeqPanel::~SeqPanel()
{
    // Tracks and controls before the buttons, the reverse of their addition.
    for (auto& track : tracks)
        track.reset();
    for (auto& control : controls)
        control.reset();
}

KwsCont* SeqPanel::findControl (int position)
{
    for (auto& control : controls)
        if (control->getPosition() == position)
            return control.get();
    return nullptr;
}

//==============================================================================
void SeqPanel::setScale (float s)
{
    if (! trackEditorShown)
    {
        layoutOverview (s);
        return;
    }

    scaleChildren (s);
    place (drawModeButton, kEditorDrawModePlace, s);
    place (okButton, kOkPlace, s);
}

void SeqPanel::scaleChildren (float s)
{
    scale = s;
    for (auto& control : controls)
        control->setScale (s);
    for (auto& track : tracks)
        track->setScale (s);
}

void SeqPanel::layoutOverview (float s)
{
    scaleChildren (s);
    place (programButton, kProgramPlace, s);
    for (int t = 0; t < kNumTracks; ++t)
        place (*editButtons[(size_t) t], kEditPlaces[t], s);
    place (drawModeButton, kOverviewDrawModePlace, s);
}

void SeqPanel::editTrack (int track)
{
    if (! juce::isPositiveAndBelow (track, kNumTracks))
        return;

    editedTrack = track;
    trackEditorShown = true;
    programButton.setVisible (false);
    okButton.setVisible (true);
    for (auto& button : editButtons)
        button->setVisible (false);

    controls[kSequencerControl]->setLabel ({});
    for (const auto& where : editorPlaces)
        controls[(size_t) where.index]->setPosition (where.x, where.top + 16);

    for (int t = 0; t < kNumTracks; ++t)
    {
        auto& view = *tracks[(size_t) t];
        auto& destination = *controls[(size_t) (kDestinationControl + t)];
        const auto& row = SequencerControlTable[(size_t) (kDestinationControl + t)];

        if (t == track)
        {
            view.displayMode = seqTrackEditor;
            view.setDesignBounds (kEditorArea.getX(), kEditorArea.getY(), kEditorArea.getWidth(), kEditorArea.getHeight());
            destination.setPosition (kEditedDestinationX, kEditedDestinationY);
        }
        else
        {
            const auto tab = tabArea (t);
            view.displayMode = seqTrackTab;
            view.setDesignBounds (tab.getX(), tab.getY(), tab.getWidth(), tab.getHeight());
            destination.setPosition (kParkedX, row.y);
        }
    }

    setScale (scale);
    repaint();
}

void SeqPanel::showOverview()
{
    trackEditorShown = false;
    controls[kSequencerControl]->setLabel (SequencerControlTable[kSequencerControl].label);
    for (size_t i = 0; i < controls.size(); ++i)
        controls[i]->setPosition (SequencerControlTable[i].x, SequencerControlTable[i].y);

    programButton.setVisible (true);
    okButton.setVisible (false);
    for (auto& button : editButtons)
        button->setVisible (true);

    for (int t = 0; t < kNumTracks; ++t)
    {
        auto& view = *tracks[(size_t) t];
        view.displayMode = seqTrackOverview;
        view.setDesignBounds (kOverviewTrackX, kOverviewTrackY[t], kOverviewTrackWidth, kOverviewTrackHeight);
    }

    layoutOverview (scale);
    repaint();
}

//==============================================================================
void SeqPanel::refreshFromProgram()
{
    auto& hub = processor.getHub();

    for (auto& control : controls)
        control->forgetDisplayedValue();
    for (auto& control : controls)
        showProgramByte (*control, hub.getEditBufferByte (control->getPosition()));

    for (int t = 0; t < kNumTracks; ++t)
    {
        std::array<int, SeqClass::kNumSteps> bytes {};
        for (int s = 0; s < SeqClass::kNumSteps; ++s)
            bytes[(size_t) s] = hub.getEditBufferByte (SeqClass::kFirstPosition + SeqClass::kNumSteps * t + s);
        tracks[(size_t) t]->setStepsFromProgram (bytes);
    }
}

void SeqPanel::showProgramByte (KwsCont& control, int value)
{
    control.setDisplayedValue (value, ParDes::getValueText (control.getDisplayKind(), value));

    // Each control's text by its own kind: the slew destinations have a
    // name only on this page's controls.
    auto* own = findControl (control.getPosition());
    if (own == nullptr)
        return;
    if (own != &control)
        own->setDisplayedValue (value, ParDes::getValueText (own->getDisplayKind(), value));

    const int track = control.getPosition() - kFirstDestination;
    if (juce::isPositiveAndBelow (track, kNumTracks))
        tracks[(size_t) track]->setDestination (value);
}

//==============================================================================
void SeqPanel::broadcast (int code, int value)
{
    changeCode = code;
    changeValue = value;
    sendChangeMessage();
}

void SeqPanel::kwsButtonChanged (KwsBut* sender)
{
    if (sender == &okButton)
    {
        showOverview();
        broadcast (seqPanelOverview, 0);
    }
    else if (sender == &drawModeButton)
    {
        showDrawModeMenu();
    }
    else
    {
        for (int t = 0; t < kNumTracks; ++t)
            if (sender == editButtons[(size_t) t].get())
                tracks[(size_t) t]->requestEdit();
    }
}

void SeqPanel::seqClassEvent (int code, int track, int)
{
    if (code == SeqClass::kEditRequestCode)
        broadcast (seqPanelEditTrack, track);
}

juce::PopupMenu SeqPanel::buildDrawModeMenu() const
{
    const auto& first = *tracks[0];
    juce::PopupMenu menu;
    menu.addItem (kSliders, "Sliders", true, first.drawMode == seqDrawSliders);
    menu.addItem (kPen, "Pen", true, first.drawMode == seqDrawPen);
    menu.addSeparator();
    menu.addItem (kQuantize, "Quantize", true, first.quantize);
    return menu;
}

void SeqPanel::showDrawModeMenu()
{
    auto menu = buildDrawModeMenu();
    menu.setLookAndFeel (&getLookAndFeel());

    juce::Component::SafePointer<SeqPanel> safeThis (this);
    menu.showMenuAsync (juce::PopupMenu::Options().withTargetComponent (&drawModeButton), [safeThis] (int itemId) {
        if (safeThis != nullptr)
            safeThis->handleDrawModeMenu (itemId);
    });
}

void SeqPanel::handleDrawModeMenu (int itemId)
{
    // The tracks share one setting: the first track's stands for all.
    const bool quantize = ! tracks[0]->quantize;
    for (auto& track : tracks)
    {
        if (itemId == kSliders || itemId == kPen)
            track->drawMode = itemId == kSliders ? seqDrawSliders : seqDrawPen;
        else if (itemId == kQuantize)
            track->quantize = quantize;
    }
}

//==============================================================================
void SeqPanel::paintBackdrop (juce::Graphics& g, const juce::Rectangle<float>* frames, size_t numFrames) const
{
    const float s = scale;
    g.fillAll (EditorLook::panel);

    EditorLook::paintPanelRings (g, kRingDiameter, s);

    g.setColour (EditorLook::controlFill);
    for (size_t i = 0; i < numFrames; ++i)
        g.fillRoundedRectangle (frames[i], kCorner * s);
    g.setColour (EditorLook::sectionEdge);
    for (size_t i = 0; i < numFrames; ++i)
        g.drawRoundedRectangle (frames[i], kCorner * s, kEdge * s);

    g.setColour (EditorLook::text);
    g.setFont (EditorLook::font (kTitleHeight * s, juce::Font::bold));
}

void SeqPanel::paint (juce::Graphics& g)
{
    const float s = scale;
    const auto at = [s] (float v) { return (int) (v * s); };

    if (! trackEditorShown)
    {
        // The first frame's top stays at one pixel whatever the scale.
        const juce::Rectangle<float> frames[] = { { 8 * s, 1, 850 * s, 158 * s },
                                                  juce::Rectangle<float> (8, 166, 660, 158) * s,
                                                  juce::Rectangle<float> (8, 331, 660, 158) * s,
                                                  juce::Rectangle<float> (8, 496, 660, 158) * s };
        paintBackdrop (g, frames, std::size (frames));
        for (int t = 0; t < kNumTracks; ++t)
            g.drawSingleLineText ("SEQUENCER  " + juce::String (t + 1), at (21), at ((float) (18 + 165 * t)));
        return;
    }

    const juce::Rectangle<float> frames[] = { { 78 * s, 2, 992 * s, 84 * s }, juce::Rectangle<float> (78, 95, 992, 532) * s };
    paintBackdrop (g, frames, std::size (frames));
    g.drawSingleLineText ("SEQUENCER  " + juce::String (editedTrack + 1), at (91), at (18));

    g.setFont (EditorLook::font (kTabLabelHeight * s));
    for (int t = 0; t < kNumTracks; ++t)
    {
        g.setColour (EditorLook::text);
        g.drawSingleLineText ("SEQUENCER " + juce::String (t + 1), at ((float) (250 + 143 * t)), at (16));
        if (t == editedTrack)
        {
            g.setColour (EditorLook::seqTabShade);
            g.fillRect (EditorLook::scaled (tabArea (t).withHeight (58).toFloat(), s));
        }
    }
}
