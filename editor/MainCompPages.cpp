#include "editor/MainComp.h"

#include "core/VellixAudioProcessor.h"
#include "editor/EditorLook.h"

namespace
{
// The program page's place beside the sequencer page, in design units.
constexpr float kOverviewX = 680.0f, kOverviewY = 200.0f, kOverviewWidth = 456.0f, kOverviewHeight = 264.0f;
} // namespace

void MainComp::createPages()
{
    editorPanel = std::make_unique<EditorPanel> (processor);
    addAndMakeVisible (*editorPanel);
    editorPanel->getSequencerButton().addChangeListener (this);
    createBankPage();
    createSectionEditor();
    createSequencerPage();
}

void MainComp::destroyPages()
{
    sectionEditor.reset();
    writePage.reset();
    destroyBankPage();
    editorPanel.reset();
    seqPanel.reset();
}

void MainComp::layoutPages()
{
    if (editorPanel == nullptr)
        return;

    const float s = hub.getEditorScale();
    layoutSequencerPage (s);

    if (isProgramPageParked())
    {
        parkProgramPage();
        return;
    }

    if (viewMode == kSequencerView)
    {
        editorPanel->setBounds (EditorLook::scaled (kOverviewX, s), EditorLook::scaled (kOverviewY, s) + AppBar::kHeight,
                                EditorLook::scaled (kOverviewWidth, s), EditorLook::scaled (kOverviewHeight, s));
        editorPanel->setScale (s * kOverviewScale);
        editorPanel->setAlwaysOnTop (true);
        editorPanel->setVisible (true);
        return;
    }

    editorPanel->setAlwaysOnTop (false);
    editorPanel->setBounds (0, AppBar::kHeight, getWidth(), drawerTop() - AppBar::kHeight);
    editorPanel->setScale (s);
}

void MainComp::showProgramByte (int position, int value)
{
    if (position < EditorTables::kNumControls)
    {
        editorPanel->setControlFromModel (editorPanel->getControl (position), value);
        sectionEditor->refreshControl (sectionEditor->getControl (position), value);
    }
    showSequencerByte (position, value);
}
