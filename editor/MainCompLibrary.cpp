#include "editor/MainComp.h"

#include "core/VellixAudioProcessor.h"

void MainComp::openLibraryWindow()
{
    if (libraryWindow == nullptr)
    {
        libraryWindow = std::make_unique<Lib_Manager_Win> (processor);
        libraryWindow->getContent().getToolStrip().addListener (this);
    }

    // Switched off and on, so the window comes in front of the host's again.
    libraryWindow->setAlwaysOnTop (false);
    libraryWindow->setAlwaysOnTop (true);
    libraryWindow->setVisible (true);
}

void MainComp::winToolClicked (WinMovCan* sender, int code)
{
    if (libraryWindow == nullptr || sender != &libraryWindow->getContent().getToolStrip())
        return;

    if (code == kWinToolHide)
        libraryWindow->setVisible (false);
}

void MainComp::followCurrentPreset()
{
    // Hidden or behind the other tab, the list still follows: it shows the
    // current preset when it comes back, and RENAME acts on what it selects.
    if (libraryWindow == nullptr)
        return;

    if (auto* presets = libraryWindow->getContent().getPresetBankPage())
        presets->getList().selectRow (processor.getCurrentProgram());
}
