#include "editor/FlashPanel.h"

#include "core/VellixAudioProcessor.h"
#include "editor/EditorLook.h"

namespace
{
// A control's place in its box: 4 units in from the section's left edge,
// 2 units below its top.
constexpr int kInsetX = 4, kInsetY = 2;
// The envelope view's place in the box of its section, in design units.
const juce::Rectangle<float> kEnvelopeArea { 330.0f, 4.0f, 226.0f, 82.0f };
constexpr float kBoxCorner = 15.0f, kBoxEdge = 3.0f;
constexpr float kCaptionHeight = 21.0f;
constexpr int kCaptionInsetX = 12, kCaptionBaseline = 27;
const char* const kSequencerCaption = "SEQUENCER";
} // namespace

FlashPanel::FlashPanel (VellixAudioProcessor& p) : processor (p)
{
    EditorPanel::createControls (*this, processor, controls);
    EditorPanel::createEnvelopes (*this, envelopes);
    for (auto& view : envelopes)
        view->addChangeListener (this);

    arrangeControls();

    for (auto& control : controls)
        control->setBackgroundFill();

    setBounds (0, 0, EditorPanel::kDesignWidth, EditorPanel::kDesignHeight);
    setRepaintEnabled (false);
}

FlashPanel::~FlashPanel()
{
    for (auto it = envelopes.rbegin(); it != envelopes.rend(); ++it)
        it->reset();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
        it->reset();
}

void FlashPanel::arrangeControls()
{
    shownSection = 0;
    boxX = boxY = 10;

    sections = EditorTables::EditorSectionTable;
    for (size_t i = 0; i < sections.size(); ++i)
    {
        sections[i].w += kSectionGrowth;
        sections[i].h += kSectionGrowth;
        captions[i] = sections[i].caption;
    }
    captions[kSequencerSection] = kSequencerCaption;

    shownControls.clear();
    for (auto& control : controls)
    {
        const int position = control->getPosition();
        control->setVisible (false);
        if (control->getSection() < 0)
            continue;

        const auto& row = EditorTables::EditorControlTable[(size_t) position];
        const auto& section = sections[(size_t) row.section];
        boxPlaces[(size_t) position] = { row.x - section.x + kInsetX, (row.y - 16) - section.y + kInsetY };

        // setPosition takes the table's kind of y, 16 below the top edge.
        control->setPosition (boxPlaces[(size_t) position].x, boxPlaces[(size_t) position].y + 16);
        control->setScale (kScale);

        if (row.section == shownSection)
            shownControls.push_back (position);
    }
}

juce::Rectangle<float> FlashPanel::getBox() const noexcept
{
    const auto& section = sections[(size_t) shownSection];
    return { (float) boxX, (float) boxY, (float) section.w * kScale, (float) section.h * kScale };
}

const juce::String& FlashPanel::getCaption (int section) const
{
    return captions[(size_t) juce::jlimit (0, EditorTables::kNumSections - 1, section)];
}

void FlashPanel::showSection (int section, int editorWidth)
{
    if (section < 0 || section >= EditorTables::kNumSections)
        return;

    setVisible (false);
    shownSection = section;
    boxY = kBoxTop;
    boxX = (int) (((float) editorWidth - (float) sections[(size_t) section].w * kScale) * 0.5f);

    for (const int position : shownControls)
        controls[(size_t) position]->setVisible (false);
    for (auto& view : envelopes)
        view->setVisible (false);
    shownControls.clear();

    for (auto& control : controls)
    {
        if (control->getSection() != section)
            continue;

        const int position = control->getPosition();
        shownControls.push_back (position);
        const auto place = boxPlaces[(size_t) position].toFloat() * kScale;
        control->setTopLeftPosition ((int) (place.x + (float) boxX), (int) (place.y + (float) boxY));
        control->setVisible (true);
    }

    if (section < EditorPanel::kNumEnvelopes)
    {
        auto& view = *envelopes[(size_t) section];
        view.setScale (kScale);
        view.setBounds (EditorLook::scaled (kEnvelopeArea, kScale).translated (boxX, boxY));
        view.setVisible (true);
    }
}

void FlashPanel::setControlFromModel (KwsCont& control, int value)
{
    EditorPanel::showModelByte (control, envelopes, value);
}

void FlashPanel::refreshControl (KwsCont& control, int value)
{
    if (std::find (shownControls.begin(), shownControls.end(), control.getPosition()) != shownControls.end())
        setControlFromModel (control, value);
}

void FlashPanel::refreshShownControls()
{
    auto& hub = processor.getHub();
    for (const int position : shownControls)
    {
        auto& control = *controls[(size_t) position];
        control.forgetDisplayedValue();
        setControlFromModel (control, hub.getEditBufferByte (position));
    }
}

void FlashPanel::setRepaintEnabled (bool enabled)
{
    for (auto& control : controls)
        control->setRepaintEnabled (enabled);
    for (auto& view : envelopes)
        view->setRepaintEnabled (enabled);
}

void FlashPanel::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    for (auto& view : envelopes)
        if (source == view.get())
            envelChanged (*view);
}

void FlashPanel::envelChanged (Envel& view)
{
    // A right-button press on a view of this page opens nothing more.
    if (view.getChangeCode() == envelStagesDragged)
        EditorPanel::requestEnvelopeStages (view, controls);
}

void FlashPanel::mouseDown (const juce::MouseEvent& e)
{
    const auto box = getBox();
    const float x = (float) e.x, y = (float) e.y;

    if (x < box.getX() || x > box.getRight() || y < box.getY() || y > box.getBottom())
        sendChangeMessage();
}

void FlashPanel::paint (juce::Graphics& g)
{
    g.fillAll (EditorLook::popupDim);

    const auto box = getBox();
    g.setColour (EditorLook::controlFill);
    g.fillRoundedRectangle (box, kBoxCorner);
    g.setColour (EditorLook::sectionEdge);
    g.drawRoundedRectangle (box, kBoxCorner, kBoxEdge);

    g.setColour (EditorLook::text);
    g.setFont (EditorLook::font (kCaptionHeight, juce::Font::bold));
    g.drawSingleLineText (captions[(size_t) shownSection], boxX + kCaptionInsetX, boxY + kCaptionBaseline);
}
