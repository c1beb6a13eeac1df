#include "editor/MainComp.h"

#include "core/VellixAudioProcessor.h"

// The pop-up section editor: built with the pages and kept hidden; the
// program editor page's right-button codes open it on a section, and its own
// change message, a press outside its box, closes it.

void MainComp::createSectionEditor()
{
    sectionEditor = std::make_unique<FlashPanel> (processor);
    addChildComponent (*sectionEditor);
    sectionEditor->addChangeListener (this);
    editorPanel->addChangeListener (this);
}

void MainComp::openSectionEditor (int section)
{
    if (section < 0 || section >= EditorTables::kNumSections)
        return;

    editorPanel->setRepaintEnabled (false);
    sectionEditor->setRepaintEnabled (true);
    sectionEditor->showSection (section, getWidth());

    for (int position = 0; position < EditorTables::kNumControls; ++position)
    {
        const auto& shown = editorPanel->getControl (position);
        if (shown.getSection() != section)
            continue;

        auto& control = sectionEditor->getControl (position);
        control.forgetDisplayedValue();
        sectionEditor->refreshControl (control, shown.getDisplayedValue());
    }

    sectionEditor->setAlwaysOnTop (true);
    sectionEditor->toFront (false);
    sectionEditor->setVisible (true);
}

void MainComp::closeSectionEditor()
{
    sectionEditor->setVisible (false);
    sectionEditor->setRepaintEnabled (false);
    // Draws what changed while the section editor covered the page.
    editorPanel->setRepaintEnabled (true);
}

bool MainComp::handleSectionEditorChange (juce::ChangeBroadcaster* source)
{
    if (source == editorPanel.get())
    {
        if (editorPanel->getChangeCode() >= EditorPanel::kSectionPopupBase)
            openSectionEditor (editorPanel->getChangeCode() - EditorPanel::kSectionPopupBase);
        return true;
    }

    if (source == sectionEditor.get())
    {
        closeSectionEditor();
        return true;
    }

    return false;
}
