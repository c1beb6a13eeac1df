#include "editor/ProgBar.h"

#include "editor/EditorLook.h"

namespace
{
constexpr int kLabelWidth = 88;
constexpr float kLabelFontHeight = 18.0f;
constexpr int kCancelX = 319, kCancelWidth = 60;
constexpr float kTrackCorner = 10.0f, kLabelCorner = 5.0f;
} // namespace

ProgBar::ProgBar (int, int width, int height)
{
    boxX = (width - boxWidth) / 2;
    boxY = (height - boxHeight) / 2;

    track = std::make_unique<juce::TextButton> (juce::String());
    track->setColour (juce::TextButton::buttonColourId, EditorLook::progressTrack);
    track->setColour (juce::TextButton::buttonOnColourId, EditorLook::progressTrackOn);
    addAndMakeVisible (*track);
    track->setBounds (boxX, boxY, kTrackWidth, kTrackHeight);

    fill = std::make_unique<juce::TextButton> (juce::String());
    fill->setConnectedEdges (juce::Button::ConnectedOnRight);
    fill->setColour (juce::TextButton::buttonColourId, EditorLook::progressFill);
    fill->setColour (juce::TextButton::buttonOnColourId, EditorLook::progressFillOn);
    addAndMakeVisible (*fill);
    fill->setBounds (boxX, boxY, 0, kTrackHeight);

    label = std::make_unique<juce::Label> (juce::String(), "-");
    label->setFont (EditorLook::font (kLabelFontHeight, juce::Font::bold));
    label->setJustificationType (juce::Justification::centred);
    label->setEditable (false);
    label->setColour (juce::Label::textColourId, EditorLook::progressText);
    addAndMakeVisible (*label);
    label->setBounds (boxX, boxY + boxHeight, kLabelWidth, kTrackHeight);

    cancel = std::make_unique<KwsBut> ("CANCEL", kCancelId, kwsButDialog);
    addAndMakeVisible (*cancel);
    cancel->placeWithStyleImages (boxX + kCancelX, boxY + boxHeight, kCancelWidth, kTrackHeight, true);

    setBounds (0, 0, width, height);
}

ProgBar::~ProgBar()
{
    if (isCurrentlyModal (false))
        exitModalState (0);

    label.reset();
    cancel.reset();
    track.reset();
    fill.reset();
}

void ProgBar::setProgress (int newValue, const juce::String& newText)
{
    value = juce::jlimit (minimum, maximum, newValue);
    text = newText;
    label->setText (newText, juce::dontSendNotification);
    fill->setSize (value * kPixelsPerStep, kTrackHeight);
}

void ProgBar::close()
{
    setVisible (false);
    if (isCurrentlyModal (false))
        exitModalState (0);
}

void ProgBar::paint (juce::Graphics& g)
{
    g.fillAll (EditorLook::overlayDim);
    g.setColour (EditorLook::overlayBox);
    g.fillRoundedRectangle (track->getBounds().toFloat(), kTrackCorner);
    g.fillRoundedRectangle (label->getBounds().toFloat(), kLabelCorner);
}

bool ProgBar::canModalEventBeSentToComponent (const juce::Component* target)
{
    const auto* covered = getParentComponent() != nullptr ? getParentComponent()->getTopLevelComponent() : nullptr;
    return target != nullptr && covered != nullptr && ! covered->isParentOf (target) && target != covered;
}
