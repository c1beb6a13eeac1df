#include "editor/widgets/RenameCnt.h"

#include "editor/EditorLook.h"

RenameCnt::RenameCnt (int x, int y, const juce::String& textToEdit)
    : okButton ("OK", kOkId, kwsButDialog), cancelButton ("Cancel", kCancelId, kwsButDialog)
{
    okButton.placeWithStyleImages (130, 26, 50, 18, true);
    addAndMakeVisible (okButton);
    cancelButton.placeWithStyleImages (0, 26, 50, 18, true);
    addAndMakeVisible (cancelButton);

    textEditor.setMultiLine (false);
    textEditor.setReadOnly (false);
    textEditor.setScrollbarsShown (false);
    textEditor.setCaretVisible (true);
    textEditor.setPopupMenuEnabled (true);
    textEditor.setSelectAllWhenFocused (true);
    textEditor.setColour (juce::TextEditor::highlightColourId, EditorLook::renameSelection);
    textEditor.setFont (EditorLook::font (14.0f));
    textEditor.setBounds (0, 0, kWidth, 24);
    // The synthesizer's program names hold 16 characters.
    textEditor.setInputRestrictions (kMaxNameLength, {});
    textEditor.setText (textToEdit, true);
    addAndMakeVisible (textEditor);

    setBounds (x, y, kWidth, kHeight);
}

void RenameCnt::paint (juce::Graphics& g)
{
    g.fillAll (EditorLook::renameFill);
}
