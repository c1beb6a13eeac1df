#include "vst2/JuceVSTWrapper.h"

#include "vst2/HeldButtonIdle.h"
#include "vst2/Vst2HostWindow.h"

// The editor inside the host's window: opening and closing it, its size as the
// host's window follows it, and the host's idle calls while it is open.

void JuceVSTWrapper::timerCallback()
{
    if (chunkMemory.getSize() > 0 && juce::Time::getMillisecondCounter() - chunkHandedOutAt > (juce::uint32) kChunkKeptMs)
        releaseChunk();

    if (editorComp != nullptr)
        idleHost();
}

void JuceVSTWrapper::idleHost()
{
    // Counted from the end of the previous call, so that the host never sees
    // two of ours closer together, whichever of our timers asked.
    using Clock = std::chrono::steady_clock;
    if (Clock::now() - lastIdleReturned < std::chrono::milliseconds (kIdleSpacingMs))
        return;

    masterIdle();
    lastIdleReturned = Clock::now();
}

//==============================================================================
intptr_t JuceVSTWrapper::getEditorRect (void* ptr)
{
    if (ptr == nullptr || ! processor->hasEditor())
        return 0;

    const juce::MessageManagerLock lock;

    if (editorComp == nullptr)
        editorComp.reset (processor->createEditorIfNeeded());

    if (editorComp == nullptr)
        return 0;

    editorRect = { 0, 0, (std::int16_t) editorComp->getHeight(), (std::int16_t) editorComp->getWidth() };
    *static_cast<ERect**> (ptr) = &editorRect;
    return (intptr_t) &editorRect;
}

intptr_t JuceVSTWrapper::openEditor (void* parentWindow)
{
    if (! processor->hasEditor())
        return 0;

    startTimer (kEditorTimerMs);

    const juce::MessageManagerLock lock;
    closeEditor();
    editorComp.reset (processor->createEditorIfNeeded());

    if (editorComp == nullptr)
        return 0;

    editorComp->setOpaque (true);
    editorComp->addToDesktop (0, parentWindow);
    editorComp->setVisible (true);

    // Watched from here on: the size it opens at is the one the host has read.
    hostWindow = parentWindow;
    editorComp->addComponentListener (this);
    // Offered twice per spacing, so that none comes long after it is due.
    heldButtonIdle = std::make_unique<HeldButtonIdle> (*editorComp, kIdleSpacingMs / 2, [this] { idleHost(); });
    return 1;
}

void JuceVSTWrapper::closeEditor()
{
    // The host closes the editor from a thread of its own while our message
    // thread may be handling the window's events.
    const juce::MessageManagerLock lock;

    heldButtonIdle.reset();

    if (editorComp != nullptr)
    {
        editorComp->removeComponentListener (this);
        processor->editorBeingDeleted (editorComp.get());
        editorComp.reset();
    }

    hostWindow = nullptr;
}

void JuceVSTWrapper::componentMovedOrResized (juce::Component&, bool, bool wasResized)
{
    if (wasResized && ! askingHostToResize)
        fitHostWindowToEditor();
}

void JuceVSTWrapper::fitHostWindowToEditor()
{
    if (editorComp == nullptr || hostWindow == nullptr)
        return;

    const int width = editorComp->getWidth(), height = editorComp->getHeight();
    bool hostResized = false;
    {
        // A host may set our size again while it answers.
        const juce::ScopedValueSetter<bool> asking (askingHostToResize, true);
        char sizeWindowText[] = "sizeWindow";
        hostResized = canHostDo (sizeWindowText) != 0 && sizeWindow (width, height);
    }

    // Otherwise the editor's window would be clipped by the host's, or stand
    // in an empty area of it. The host may have closed the editor meanwhile.
    if (! hostResized)
        Vst2HostWindow::resize (hostWindow, width, height);
}
