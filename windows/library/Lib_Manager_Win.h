#pragma once

#include "windows/library/Lib_Manager_Comp.h"

// The library window: a desktop window of its own without a title bar,
// always on top, holding one Lib_Manager_Comp at its top-left corner.
class Lib_Manager_Win : public juce::DocumentWindow
{
public:
    explicit Lib_Manager_Win (VellixAudioProcessor& processor);
    ~Lib_Manager_Win() override;

    Lib_Manager_Comp& getContent() noexcept { return *content; }

    // The content draws everything and keeps its own size.
    void paint (juce::Graphics&) override {}
    void resized() override {}

private:
    Lib_Manager_Comp* content = nullptr; // owned through the content slot

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Lib_Manager_Win)
};
