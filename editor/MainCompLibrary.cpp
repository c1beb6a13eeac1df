#include "editor/MainComp.h"

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
