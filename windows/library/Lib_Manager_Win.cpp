#include "windows/library/Lib_Manager_Win.h"

Lib_Manager_Win::Lib_Manager_Win (VellixAudioProcessor& processor)
    : juce::DocumentWindow ({}, EditorLook::background, 0, true)
{
    setUsingNativeTitleBar (false);
    setTitleBarHeight (0);

    content = new Lib_Manager_Comp (processor);
    setContentOwned (content, true);
    content->setWindow (this);

    content->setBounds (0, 0, Lib_Manager_Comp::kWidth, Lib_Manager_Comp::kHeight);
    centreWithSize (Lib_Manager_Comp::kWidth, Lib_Manager_Comp::kHeight);
}

Lib_Manager_Win::~Lib_Manager_Win()
{
    clearContentComponent();
}
