#include "core/VellixAudioProcessorEditor.h"

#include "core/VellixAudioProcessor.h"
#include "editor/EditorLook.h"
#include "editor/MainComp.h"

VellixAudioProcessorEditor::VellixAudioProcessorEditor (VellixAudioProcessor& p)
    : AudioProcessorEditor (p), vellixProcessor (p)
{
    mainComp = std::make_unique<MainComp> (p);
    addAndMakeVisible (*mainComp);
    mainComp->setBounds (0, 0, 10, 10);

    resizeCorner = std::make_unique<juce::ResizableCornerComponent> (this, &sizeLimits);
    addAndMakeVisible (*resizeCorner);

    sizeLimits.setSizeLimits (kMinWidth, kMinHeight, kMaxWidth, kMaxHeight);
    // The host's resize requests go through the same limits as the corner.
    setConstrainer (&sizeLimits);
    setResizable (true, false);

    setSize (vellixProcessor.getEditorWidth(), vellixProcessor.getEditorHeight());
}

VellixAudioProcessorEditor::~VellixAudioProcessorEditor()
{
    resizeCorner.reset();
    mainComp.reset();
}

void VellixAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (EditorLook::background);
}

void VellixAudioProcessorEditor::resized()
{
    if (mainComp != nullptr)
        mainComp->setBounds (mainComp->getX(), mainComp->getY(), getWidth(), getHeight());

    if (resizeCorner != nullptr)
        resizeCorner->setBounds (getWidth() - 16, getHeight() - 16, 16, 16);

    vellixProcessor.setEditorSize (getWidth(), getHeight());
}
