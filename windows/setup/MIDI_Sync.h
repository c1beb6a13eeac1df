#pragma once

#include "editor/widgets/KwsLabel.h"
#include "editor/widgets/RateSlider.h"

// The latency panel of the MIDI setup page: the host's sample rate and the
// MIDI send delay used at it. Each slider change updates the panel's copy of
// the delay table and sends a change message; the editor hands the whole
// table to the hub. Message thread only.
class MIDI_Sync : public juce::Component,
                  public juce::ChangeListener,
                  public juce::ChangeBroadcaster
{
public:
    MIDI_Sync();
    ~MIDI_Sync() override;

    // The name of a sample-rate index as the hub derives it, "" for none.
    static juce::String sampleRateName (int sampleRateIndex);

    void setLatencySettings (int delayMode, int sampleRateIndex, const juce::Array<int>& delayTable);

    int getDelayMode() const noexcept { return delayMode; }
    int getDelaySlot() const noexcept { return delaySlot; }
    const juce::Array<int>& getDelayTable() const noexcept { return delayTable; }
    KwsLabel& getSampleRateLabel() noexcept { return sampleRateLabel; }
    RateSlider& getSlider() noexcept { return slider; }

    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void paint (juce::Graphics& g) override;

private:
    KwsLabel sampleRateLabel;
    RateSlider slider;
    juce::Label delayCaption;
    int delayMode = 0;
    int delaySlot = 0;
    juce::Array<int> delayTable;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MIDI_Sync)
};
