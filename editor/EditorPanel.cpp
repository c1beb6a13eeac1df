#include "editor/EditorPanel.h"

#include "core/VellixAudioProcessor.h"
#include "core/model/ParDes.h"
#include "editor/EditorLook.h"

#include <BrindlemarkAssets.h>

namespace
{
using EditorTables::EditorSectionTable;

const juce::Rectangle<float> kEnvelopeAreas[EditorPanel::kNumEnvelopes] = {
    { 340.0f, 170.0f, 226.0f, 82.0f }, { 340.0f, 333.0f, 226.0f, 82.0f }, { 340.0f, 496.0f, 226.0f, 82.0f }
};
const juce::Rectangle<float> kProgramDisplayArea { 674.0f, 90.0f, 180.0f, 43.0f };
const juce::Rectangle<float> kSequencerButtonArea { 910.0f, 20.0f, 96.0f, 24.0f };
const juce::Rectangle<float> kSynthLogoArea { 662.0f, 13.0f, 200.0f, 65.0f };
const juce::Rectangle<float> kMakerLogoArea { 365.0f, 580.0f, 179.0f, 52.0f };
constexpr float kSequencerFontHeight = 12.0f;

constexpr float kRingDiameter = 120.0f;

constexpr float kSectionCorner = 10.0f, kSectionEdge = 2.0f;
constexpr float kCaptionHeight = 14.0f;
constexpr int kCaptionInsetX = 8, kCaptionBaseline = 16;

// The last position whose control follows the page's scale; 109 and 110 stay parked.
constexpr int kLastScaledPosition = 108;

juce::Rectangle<float> sectionArea (const EditorTables::SectionRow& row)
{
    return { (float) row.x, (float) row.y, (float) row.w, (float) row.h };
}
} // namespace

EditorPanel::EditorPanel (VellixAudioProcessor& p) : processor (p)
{
    using namespace BrindlemarkAssets;
    synthLogo = juce::ImageCache::getFromMemory (logo_synth_png, logo_synth_pngSize);
    makerLogo = juce::ImageCache::getFromMemory (logo_maker_png, logo_maker_pngSize);

    createControls (*this, processor, controls);
    for (auto& control : controls)
        control->setVisible (true);

    createEnvelopes (*this, envelopes);
    for (auto& view : envelopes)
    {
        view->setBounds (getEnvelopeBounds (view->getIndex()));
        view->setVisible (true);
    }

    sequencerButton.placeWithStyleImages ((int) kSequencerButtonArea.getX(), (int) kSequencerButtonArea.getY(),
                                          (int) kSequencerButtonArea.getWidth(), (int) kSequencerButtonArea.getHeight(),
                                          true);
    addAndMakeVisible (sequencerButton);

    for (auto& control : controls)
        control->addListener (this);
    for (auto& view : envelopes)
        view->addChangeListener (this);

    for (auto& control : controls)
    {
        control->setBackgroundFill();
        control->leaveArtTo (this);
    }
    for (auto& view : envelopes)
        view->leaveArtTo (this);

    setOpaque (true);
    setSize (kDesignWidth, kDesignHeight);
}

EditorPanel::~EditorPanel()
{
    // Children go in the reverse order of their addition.
    removeChildComponent (&sequencerButton);
    for (auto it = envelopes.rbegin(); it != envelopes.rend(); ++it)
        it->reset();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
        it->reset();
}

void EditorPanel::setScale (float s)
{
    scale = s;

    for (int position = 0; position <= kLastScaledPosition; ++position)
        controls[(size_t) position]->setScale (s);

    for (auto& view : envelopes)
    {
        view->setScale (s);
        view->setBounds (getEnvelopeBounds (view->getIndex()));
    }

    const auto button = EditorLook::scaled (kSequencerButtonArea, s);
    sequencerButton.placeWithStyleImages (button.getX(), button.getY(), button.getWidth(), button.getHeight(), true);
    sequencerButton.fontHeight = kSequencerFontHeight * s;
    repaint();
}

juce::Rectangle<int> EditorPanel::getProgramDisplayBounds() const noexcept
{
    return EditorLook::scaled (kProgramDisplayArea, scale);
}

juce::Rectangle<int> EditorPanel::getEnvelopeBounds (int index) const noexcept
{
    if (index < 0 || index >= kNumEnvelopes)
        return {};

    return EditorLook::scaled (kEnvelopeAreas[index], scale);
}

void EditorPanel::createControls (juce::Component& page, VellixAudioProcessor& processor, Controls& controls)
{
    const auto& tables = processor.getHub().getParameterTables();
    for (int position = 0; position < EditorTables::kNumControls; ++position)
    {
        auto control = std::make_unique<KwsCont> (processor);
        page.addChildComponent (*control);

        // Bytes 111-114 get their range and kind but no place: never seen.
        const auto row = EditorTables::rowFor (position, tables);
        control->setup (row.position, row.label, row.x, row.y, row.w, row.h, row.minimum, row.maximum, row.style,
                        row.kind);
        if (row.section != EditorTables::kNoSection)
            control->setSection (row.section);

        controls[(size_t) position] = std::move (control);
    }
}

void EditorPanel::createEnvelopes (juce::Component& page, Envelopes& envelopes)
{
    for (int index = 0; index < kNumEnvelopes; ++index)
    {
        auto view = std::make_unique<Envel>();
        view->setIndex (index);
        page.addChildComponent (*view);
        envelopes[(size_t) index] = std::move (view);
    }
}

void EditorPanel::showModelByte (KwsCont& control, Envelopes& envelopes, int value)
{
    control.setDisplayedValue (value, ParDes::getValueText (control.getDisplayKind(), value));

    const int position = control.getPosition();
    const int index = EditorTables::envelopeOf (position);
    if (index >= 0)
        envelopes[(size_t) index]->setStage (position - EditorTables::kEnvelopeFirstPosition[(size_t) index],
                                             (float) value);
}

void EditorPanel::requestEnvelopeStages (const Envel& view, Controls& controls)
{
    const int first = EditorTables::kEnvelopeFirstPosition[(size_t) view.getIndex()];
    for (int stage = 0; stage < EditorTables::kEnvelopeStages; ++stage)
        controls[(size_t) (first + stage)]->requestValue ((int) view.getStage (stage));
}

void EditorPanel::setControlFromModel (KwsCont& control, int value)
{
    showModelByte (control, envelopes, value);
}

void EditorPanel::refreshControls()
{
    auto& hub = processor.getHub();

    for (int position = 0; position < EditorTables::kNumControls; ++position)
    {
        auto& control = *controls[(size_t) position];
        control.forgetDisplayedValue();
        setControlFromModel (control, hub.getEditBufferByte (position));
    }

    repaint();
}

void EditorPanel::setRepaintEnabled (bool enabled)
{
    for (auto& control : controls)
        control->setRepaintEnabled (enabled);
    for (auto& view : envelopes)
        view->setRepaintEnabled (enabled);
}

void EditorPanel::broadcastSection (int section)
{
    changeCode = kSectionPopupBase + section;
    sendChangeMessage();
}

void EditorPanel::kwsContEvent (int code, int, int section)
{
    if (code == KwsCont::kRightButtonCode && section >= 0)
        broadcastSection (section);
}

void EditorPanel::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    for (auto& view : envelopes)
        if (source == view.get())
            envelChanged (*view);
}

void EditorPanel::envelChanged (Envel& view)
{
    if (view.getChangeCode() == envelRightButton)
        broadcastSection (view.getIndex());
    else if (view.getChangeCode() == envelStagesDragged)
        requestEnvelopeStages (view, controls);
}

void EditorPanel::mouseDown (const juce::MouseEvent& e)
{
    if (! e.mods.isRightButtonDown())
        return;

    const float x = (float) e.x, y = (float) e.y;

    for (int index = 0; index < EditorTables::kNumSections; ++index)
    {
        const auto& row = EditorSectionTable[(size_t) index];

        // Strictly inside: a press on the frame line belongs to no section.
        if ((float) row.x * scale < x && x < (float) (row.x + row.w) * scale && (float) row.y * scale < y
            && y < (float) (row.y + row.h) * scale)
        {
            broadcastSection (index);
            return;
        }
    }
}

//==============================================================================
void EditorPanel::paint (juce::Graphics& g)
{
    art.draw (g, getWidth(), getHeight(), scale, [this] (juce::Graphics& picture) {
        paintBackground (picture);
        paintChildArt (picture);
    });
}

void EditorPanel::childArtChanged()
{
    art.invalidate();
    repaint();
}

void EditorPanel::paintBackground (juce::Graphics& g) const
{
    const float s = scale;
    g.fillAll (EditorLook::panel);

    EditorLook::paintPanelRings (g, kRingDiameter, s);

    g.setColour (EditorLook::controlFill);
    for (const auto& row : EditorSectionTable)
        g.fillRoundedRectangle (sectionArea (row) * s, kSectionCorner * s);

    g.setColour (EditorLook::sectionEdge);
    for (const auto& row : EditorSectionTable)
        g.drawRoundedRectangle (sectionArea (row) * s, kSectionCorner * s, kSectionEdge * s);

    g.setColour (EditorLook::text);
    g.setFont (EditorLook::font (kCaptionHeight * s, juce::Font::bold));
    for (const auto& row : EditorSectionTable)
        g.drawSingleLineText (row.caption, (int) ((float) (row.x + kCaptionInsetX) * s),
                              (int) ((float) (row.y + kCaptionBaseline) * s));

    g.drawImage (synthLogo, EditorLook::scaled (kSynthLogoArea, s).toFloat());
    g.drawImage (makerLogo, EditorLook::scaled (kMakerLogoArea, s).toFloat());
}

// Each child's art where the child would paint it: at its place, within its bounds.
void EditorPanel::paintChildArt (juce::Graphics& g) const
{
    const auto paintAt = [&g] (juce::Component& child, auto&& paintArt) {
        if (! child.isVisible())
            return;
        const juce::Graphics::ScopedSaveState state (g);
        if (g.reduceClipRegion (child.getBounds()))
        {
            g.setOrigin (child.getPosition());
            paintArt();
        }
    };

    for (const auto& control : controls)
        paintAt (*control, [&] { control->paintArt (g); });
    for (const auto& view : envelopes)
        paintAt (*view, [&] { view->paintArt (g); });
}
