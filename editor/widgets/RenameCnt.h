#pragma once

#include "editor/widgets/KwsBut.h"

// The write page's rename box. It sends nothing itself: its owner listens to
// both buttons, reads the text on OK and deletes the box.
class RenameCnt : public juce::Component
{
public:
    static constexpr int kOkId = 1111, kCancelId = 1113;
    static constexpr int kMaxNameLength = 16;
    static constexpr int kWidth = 180, kHeight = 43;

    RenameCnt (int x, int y, const juce::String& textToEdit);

    KwsBut& getOkButton() noexcept { return okButton; }
    KwsBut& getCancelButton() noexcept { return cancelButton; }
    juce::TextEditor& getTextEditor() noexcept { return textEditor; }
    juce::String getText() const { return textEditor.getText(); }

    void paint (juce::Graphics& g) override;
    void resized() override {}

private:
    KwsBut okButton, cancelButton;
    juce::TextEditor textEditor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RenameCnt)
};
