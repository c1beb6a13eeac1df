#pragma once

#include "editor/EditorRig.h"
#include "editor/MainComp.h"
#include "editor/widgets/WidgetHarness.h"
#include "support/SynthRig.h"
#include "support/Waiting.h"

#include <set>

// Waits until everything sent so far has reached the synthesizer: an unused
// controller goes last through the same queue.
inline void settleMidi (SynthRig& rig, int markController)
{
    const auto before = rig.toSynth.getReceived().size();
    rig.hub().getPorts().sendController (16, markController, 0);
    waitUntil ([&] {
        const auto all = rig.toSynth.getReceived();
        for (size_t i = before; i < all.size(); ++i)
            if (all[i].isControllerOfType (markController))
                return true;
        return false;
    });
}

// An open editor on a processor wired to the simulated synthesizer, and what
// the synthesizer heard of the notes.
struct KeyboardRig : EditorRig
{
    using EditorRig::EditorRig;

    KeyBrd& drawer() { return main->getKeyboardDrawer(); }

    void settle() { settleMidi (*this, kMarkController); }
    static void settleOn (SynthRig& rig) { settleMidi (rig, kMarkController); }

    // The channel messages the synthesizer received, marks left out.
    std::vector<juce::MidiMessage> channelMessages()
    {
        settle();
        std::vector<juce::MidiMessage> result;
        for (const auto& m : toSynth.getReceived())
            if (! m.isSysEx() && ! m.isControllerOfType (kMarkController))
                result.push_back (m);
        return result;
    }

    std::vector<juce::MidiMessage> notes()
    {
        std::vector<juce::MidiMessage> result;
        for (const auto& m : channelMessages())
            if (m.isNoteOnOrOff())
                result.push_back (m);
        return result;
    }

    // The notes that still sound at the synthesizer, as channel x 128 + note.
    std::set<int> soundingNotes()
    {
        std::set<int> sounding;
        for (const auto& m : notes())
        {
            const int key = m.getChannel() * 128 + m.getNoteNumber();
            if (m.isNoteOn())
                sounding.insert (key);
            else
                sounding.erase (key);
        }
        return sounding;
    }

    static constexpr int kMarkController = 119;
};

inline void drag (juce::Component& component, int x, int y)
{
    component.mouseDrag (widgetharness::mouseAt (component, x, y));
}
