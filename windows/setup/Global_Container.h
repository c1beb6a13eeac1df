#pragma once

#include "windows/setup/GlbCont.h"

#include <array>
#include <memory>

// What the global-parameter panel tells the MIDI setup page.
enum GlobalListenerCode : int
{
    kGlobalPanelClose = 2222 // the close box: the page deletes the panel later
};

class Global_Listener
{
public:
    virtual ~Global_Listener() = default;
    virtual void globalPanelEvent (int code, int value) = 0;
};

// The "Global Settings:" panel inside the MIDI setup page: the twelve globals
// of GlobalDescriptorTable, one GlbCont each, and a close box. Message thread.
class Global_Container : public juce::Component
{
public:
    explicit Global_Container (MidiCntrState& hub);
    ~Global_Container() override;

    void addGlobalListener (Global_Listener* listener);
    void removeGlobalListener (Global_Listener* listener);

    // Row i shows global i; rows that no descriptor names stay hidden.
    GlbCont* getRow (int globalIndex) const noexcept;
    void repaintRow (int globalIndex);

    static bool isOnCloseBox (juce::Point<int> position, int width) noexcept;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent& e) override;

private:
    void drawBackground();

    std::array<std::unique_ptr<GlbCont>, GlobalDescriptorTable::kNumRows> rows;
    juce::Image background, closeBox;

    // Changed under the lock; walked without it from the close box, which
    // runs on the message thread like every change.
    juce::CriticalSection listenerLock;
    juce::Array<Global_Listener*> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Global_Container)
};
