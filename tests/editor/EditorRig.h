#pragma once

#include "core/VellixAudioProcessorEditor.h"
#include "editor/MainComp.h"
#include "support/SynthRig.h"

#include <functional>

// An open editor for a processor wired to the simulated synthesizer.
struct EditorRig : SynthRig
{
    EditorRig() { open(); }
    ~EditorRig() { close(); }

    void open()
    {
        editor.reset (processor->createEditorIfNeeded());
        main = dynamic_cast<MainComp*> (editor->getChildComponent (0));
    }

    void close()
    {
        editor.reset();
        main = nullptr;
    }

    // What the editor's event timer does, until the condition holds.
    bool drainUntil (const std::function<bool()>& condition, int timeoutMs = 5000)
    {
        return waitUntil ([&] {
            main->handleAsyncUpdate();
            return condition();
        }, timeoutMs);
    }

    std::unique_ptr<juce::AudioProcessorEditor> editor;
    MainComp* main = nullptr;
};
