#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class VellixAudioProcessor;

// The editor's root page.
class MainComp : public juce::Component
{
public:
    explicit MainComp (VellixAudioProcessor& processor);

    void paint (juce::Graphics& g) override;

private:
    VellixAudioProcessor& processor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainComp)
};
