#pragma once

#include "core/VellixAudioProcessorEditor.h"
#include "editor/MainComp.h"
#include "support/MessageLoop.h"
#include "support/SynthRig.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <typeinfo>

// An open editor for a processor wired to the simulated synthesizer.
struct EditorRig : SynthRig
{
    explicit EditorRig (Ports ports = Ports::inThePortFile) : SynthRig (ports) { open(); }
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

    // What a host's message loop and the editor's event timer do, until the
    // condition holds.
    bool runUntil (const std::function<bool()>& condition, int timeoutMs = 5000)
    {
        return waitUntil ([&] {
            deliverMessages();
            main->handleAsyncUpdate();
            return condition();
        }, timeoutMs);
    }

    std::unique_ptr<juce::AudioProcessorEditor> editor;
    MainComp* main = nullptr;
};

// Mouse events through the peer of the window that shows the target, as the
// windowing system delivers them: the framework finds the component under the
// pointer itself. A press that would land on anything but the target, or a
// part of it, fails the test: the hand aims at what it sees.
struct Pointer
{
    void send (juce::Component& target, juce::Point<int> at, juce::ModifierKeys buttons)
    {
        auto* peer = target.getPeer();
        if (peer == nullptr)
        {
            ADD_FAILURE() << target.getName() << " is in no window";
            return;
        }

        const auto where = peer->getComponent().getLocalPoint (&target, at);
        if (buttons.isAnyMouseButtonDown() && ! held.isAnyMouseButtonDown())
            expectLandsOn (target, peer->getComponent(), where);
        sendAt (*peer, where, buttons);
    }

    void click (juce::Component& target, juce::Point<int> at)
    {
        clickWith (target, at, juce::ModifierKeys::leftButtonModifier);
    }

    void rightClick (juce::Component& target, juce::Point<int> at)
    {
        clickWith (target, at, juce::ModifierKeys::rightButtonModifier);
    }

    // A press at a point of the target, a move by `by` in a few steps, and the
    // release there. The steps are fixed on the screen when the press lands,
    // so a target that moves with the drag, as the keyboard drawer does, is
    // carried by the hand.
    void drag (juce::Component& target, juce::Point<int> from, juce::Point<int> by)
    {
        send (target, from, {});
        send (target, from, juce::ModifierKeys::leftButtonModifier);
        auto* peer = target.getPeer();
        if (peer == nullptr)
            return;

        const auto start = peer->getComponent().getLocalPoint (&target, from);
        for (int step = 1; step <= kDragSteps; ++step)
            sendAt (*peer, start + by * step / kDragSteps, juce::ModifierKeys::leftButtonModifier);
        sendAt (*peer, start + by, {});
        pause();
    }

    static constexpr int kDragSteps = 4;

private:
    void clickWith (juce::Component& target, juce::Point<int> at, juce::ModifierKeys button)
    {
        send (target, at, {});
        send (target, at, button);
        send (target, at, {});
        pause();
    }

    void sendAt (juce::ComponentPeer& peer, juce::Point<int> where, juce::ModifierKeys buttons)
    {
        time += 50;
        held = buttons;
        peer.handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, where.toFloat(), buttons,
                               juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation, time);
    }

    static void expectLandsOn (juce::Component& target, juce::Component& window, juce::Point<int> where)
    {
        auto* hit = window.getComponentAt (where);
        if (hit != &target && ! target.isParentOf (hit))
            ADD_FAILURE() << "a press meant for " << typeName (&target) << " lands on " << typeName (hit);
    }

    static juce::String typeName (juce::Component* c)
    {
        // The mangled name of a class outside any namespace is its length, then the name.
        return c == nullptr ? juce::String ("nothing") : juce::String (typeid (*c).name()).trimCharactersAtStart ("0123456789");
    }

    // Clicks apart in time, as a hand makes them, never count as a double click.
    void pause() { time += 1000; }

    juce::int64 time = juce::Time::currentTimeMillis();
    juce::ModifierKeys held;
};

// Keys as the windowing system delivers them, to the window that holds the
// keyboard focus: down, the key's press, and up. The keys held are the hand's,
// which a player that asks which keys are down can be told.
struct Keys
{
    void press (int keyCode, juce::juce_wchar character = 0, juce::ModifierKeys modifiers = {})
    {
        held.insert (keyCode);
        if (auto* peer = focusedPeer())
        {
            peer->handleKeyUpOrDown (true);
            peer->handleKeyPress (juce::KeyPress (keyCode, modifiers, character));
        }
    }

    void release (int keyCode)
    {
        held.erase (keyCode);
        if (auto* peer = focusedPeer())
            peer->handleKeyUpOrDown (false);
    }

    void type (const juce::String& text)
    {
        for (const auto character : text)
        {
            const bool upper = juce::CharacterFunctions::isUpperCase (character);
            const int keyCode = (int) juce::CharacterFunctions::toUpperCase (character);
            press (keyCode, character, upper ? juce::ModifierKeys::shiftModifier : 0);
            release (keyCode);
        }
    }

    bool isDown (int keyCode) const { return held.count (keyCode) > 0; }

private:
    static juce::ComponentPeer* focusedPeer()
    {
        auto* focused = juce::Component::getCurrentlyFocusedComponent();
        if (focused == nullptr || focused->getPeer() == nullptr)
        {
            ADD_FAILURE() << "no window holds the keyboard focus";
            return nullptr;
        }
        return focused->getPeer();
    }

    std::set<int> held;
};
