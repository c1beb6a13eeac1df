#include "editor/MainComp.h"

#include "core/VellixAudioProcessor.h"

MainComp::MainComp (VellixAudioProcessor& p) : processor (p)
{
    setOpaque (true);
}

void MainComp::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
}
