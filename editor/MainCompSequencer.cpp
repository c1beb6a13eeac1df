#include "editor/MainComp.h"

#include "core/VellixAudioProcessor.h"

// The sequencer view: the sequencer page in place of the program editor,
// which shrinks beside it while the page shows all four tracks and goes out
// of sight while one track is edited.

namespace
{
constexpr int kParkedX = -2000;
constexpr int kLastSequencerSetting = 114;
} // namespace

void MainComp::createSequencerPage()
{
    seqPanel = std::make_unique<SeqPanel> (processor);
    addChildComponent (*seqPanel);
    seqPanel->addChangeListener (this);
    seqPanel->getProgramButton().addChangeListener (this);
}

void MainComp::layoutSequencerPage (float s)
{
    if (viewMode != kSequencerView)
    {
        seqPanel->setVisible (false);
        return;
    }

    // The page's own layout places its PROGRAM and Edit buttons too.
    seqPanel->setBounds (0, AppBar::kHeight, getWidth(), drawerTop() - AppBar::kHeight);
    seqPanel->setScale (s);
    seqPanel->setVisible (true);
}

bool MainComp::isProgramPageParked() const
{
    return viewMode == kSequencerView && seqPanel->isTrackEditorShown();
}

void MainComp::parkProgramPage()
{
    editorPanel->setTopLeftPosition (kParkedX, AppBar::kHeight);
    editorPanel->setVisible (false);
}

void MainComp::showSequencerByte (int position, int value)
{
    if (position >= SeqClass::kFirstPosition
        && position < SeqClass::kFirstPosition + SequencerTables::kNumTracks * SeqClass::kNumSteps)
    {
        const int offset = position - SeqClass::kFirstPosition;
        seqPanel->getTrack (offset / SeqClass::kNumSteps).showStepValue (offset % SeqClass::kNumSteps, value);
    }
    else if (position >= SequencerTables::SequencerControlTable[4].position && position <= kLastSequencerSetting)
    {
        seqPanel->showProgramByte (editorPanel->getControl (position), value);
    }
}

bool MainComp::handleSequencerChange (juce::ChangeBroadcaster* source)
{
    if (source != seqPanel.get())
        return false;

    handleSequencerEvent (seqPanel->getChangeCode(), seqPanel->getChangeValue());
    return true;
}

void MainComp::handleSequencerEvent (int code, int value)
{
    if (code == seqPanelOverview)
    {
        layoutChildren();
        editorPanel->setVisible (true);
    }
    else if (code == seqPanelEditTrack)
    {
        parkProgramPage();
        seqPanel->editTrack (value);
    }
}

void MainComp::leaveTrackEditor()
{
    if (seqPanel != nullptr && seqPanel->isTrackEditorShown())
    {
        seqPanel->showOverview();
        editorPanel->setVisible (true);
    }
}
