#include "core/VellixAudioProcessor.h"

#include <gtest/gtest.h>

namespace
{
// Opens the editor as a window, as a host does.
std::unique_ptr<juce::AudioProcessorEditor> openEditor (VellixAudioProcessor& processor)
{
    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
    editor->addToDesktop (juce::ComponentPeer::windowIsTemporary);
    editor->setVisible (true);
    return editor;
}
} // namespace

TEST (EditorShell, OpensAtTheSizeChosenForTheDisplay)
{
    VellixAudioProcessor processor;
    const auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay();
    ASSERT_NE (display, nullptr) << "the GUI tests need an X display";
    const auto expected = VellixAudioProcessor::chooseEditorSize (display->userArea.getWidth());

    auto editor = openEditor (processor);

    ASSERT_NE (editor->getPeer(), nullptr);
    EXPECT_EQ (editor->getWidth(), expected.x);
    EXPECT_EQ (editor->getHeight(), expected.y);
    EXPECT_EQ (editor->getPeer()->getBounds().getWidth(), expected.x);
    EXPECT_EQ (editor->getPeer()->getBounds().getHeight(), expected.y);
}

TEST (EditorShell, ResizeStopsAtTheLimitsAndIsRememberedForTheNextEditor)
{
    VellixAudioProcessor processor;

    struct Case
    {
        int width, height, expectedWidth, expectedHeight;
    };
    const Case cases[] = { { 100, 100, 452, 150 }, { 800, 500, 800, 500 }, { 2000, 2000, 1377, 1046 } };

    for (const auto& c : cases)
    {
        auto editor = openEditor (processor);
        editor->setBoundsConstrained ({ 0, 0, c.width, c.height });

        EXPECT_EQ (editor->getWidth(), c.expectedWidth);
        EXPECT_EQ (editor->getHeight(), c.expectedHeight);
        editor.reset();

        auto reopened = openEditor (processor);
        EXPECT_EQ (reopened->getWidth(), c.expectedWidth);
        EXPECT_EQ (reopened->getHeight(), c.expectedHeight);
    }
}
