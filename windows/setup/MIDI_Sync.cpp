#include "windows/setup/MIDI_Sync.h"

#include "editor/EditorLook.h"

namespace
{
struct SampleRateName
{
    int index;
    const char* text;
};

// The hub counts 48000 Hz as index 1 (the usual rate), so that is its name.
constexpr SampleRateName sampleRateNames[] = {
    { 0, "44100 Hz" }, { 1, "48000 Hz" },  { 2, "88200 Hz" },
    { 3, "96000 Hz" }, { 4, "176400 Hz" }, { 5, "192000 Hz" },
};

constexpr float kTextHeight = 12.0f;
} // namespace

MIDI_Sync::MIDI_Sync()
{
    sampleRateLabel.setTextStyle ({}, EditorLook::kTypefaceName, kTextHeight, juce::Justification::centred);
    sampleRateLabel.setBounds (76, 30, 60, 14);
    addAndMakeVisible (sampleRateLabel);
    sampleRateLabel.addChangeListener (this);

    slider.setBounds (76, 50, RateSlider::kWidth, RateSlider::kHeight);
    addAndMakeVisible (slider);
    slider.addChangeListener (this);

    delayCaption.setText ("Delay:", juce::dontSendNotification);
    delayCaption.setFont (EditorLook::font (kTextHeight));
    delayCaption.setJustificationType (juce::Justification::centredLeft);
    delayCaption.setColour (juce::Label::textColourId, EditorLook::setupCaption);
    delayCaption.setEditable (false);
    delayCaption.setBounds (26, 48, 150, 24);
    // Its bounds reach over the slider's left half, which must still take the presses.
    delayCaption.setInterceptsMouseClicks (false, false);
    addAndMakeVisible (delayCaption);

    setSize (400, 200);
}

MIDI_Sync::~MIDI_Sync()
{
    slider.removeChangeListener (this);
    sampleRateLabel.removeChangeListener (this);
}

juce::String MIDI_Sync::sampleRateName (int sampleRateIndex)
{
    for (const auto& rate : sampleRateNames)
        if (rate.index == sampleRateIndex)
            return rate.text;

    return {};
}

void MIDI_Sync::setLatencySettings (int mode, int sampleRateIndex, const juce::Array<int>& table)
{
    delayMode = mode;
    delaySlot = sampleRateIndex;
    delayTable = table;

    sampleRateLabel.setLabelText (sampleRateName (delaySlot));

    const int stored = delaySlot >= 0 && delaySlot < delayTable.size() ? delayTable[delaySlot] : 0;
    slider.setValue (stored);
}

void MIDI_Sync::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source != &slider || delaySlot < 0)
        return;

    // By index: a short table grows with zeros up to the slot.
    while (delayTable.size() <= delaySlot)
        delayTable.add (0);
    delayTable.set (delaySlot, slider.getValue());

    sendChangeMessage();
}

void MIDI_Sync::paint (juce::Graphics& g)
{
    g.setColour (EditorLook::setupCaption);
    g.setFont (EditorLook::font (kTextHeight));
    g.drawSingleLineText ("Latency settings:", 20, 14);
    g.drawSingleLineText ("S.Rate: ", 30, 41);
}
