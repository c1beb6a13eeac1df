#pragma once

#include "core/ScopedXErrorHandler.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

class VellixAudioProcessor;
class MainComp;

// The editor window: the editor's root page, which carries the editor's one
// look, a resize corner, and limits that keep the front panel readable.
class VellixAudioProcessorEditor : public juce::AudioProcessorEditor,
                                   public juce::ChangeListener
{
public:
    static constexpr int kMinWidth = 452, kMaxWidth = 1377;
    static constexpr int kMinHeight = 150, kMaxHeight = 1046;

    explicit VellixAudioProcessorEditor (VellixAudioProcessor& processor);
    ~VellixAudioProcessorEditor() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void changeListenerCallback (juce::ChangeBroadcaster*) override {}

private:
    // First in, last out: no X error from the editor's windows ends the host.
    ScopedXErrorHandler xErrors;
    VellixAudioProcessor& vellixProcessor;
    juce::ComponentBoundsConstrainer sizeLimits;
    std::unique_ptr<MainComp> mainComp;
    std::unique_ptr<juce::ResizableCornerComponent> resizeCorner;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VellixAudioProcessorEditor)
};
