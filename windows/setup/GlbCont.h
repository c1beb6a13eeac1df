#pragma once

#include "windows/setup/GlobalDescriptorTable.h"

#include <juce_gui_basics/juce_gui_basics.h>

class MidiCntrState;

// One global on the panel: a value menu, a switch or a knob. It reads the
// hub's GlobalValues whenever it paints, and every change goes through
// setValue, which stores the byte and sends it to the synthesizer at once.
// Message thread only.
class GlbCont : public juce::Component,
                public juce::ChangeBroadcaster
{
public:
    explicit GlbCont (MidiCntrState& hub);

    // Takes the global's row of GlobalDescriptorTable: range, look and place.
    void setup (int globalIndex);
    int getGlobalIndex() const noexcept { return globalIndex; }
    const GlobalDescriptor& getDescriptor() const noexcept { return *descriptor; }

    // The byte as the panel shows it: GlobalValues holds signed bytes.
    int getValue() const noexcept;
    void setValue (int value);

    juce::PopupMenu buildValueMenu() const;
    void showValueMenu();
    void handleValueMenu (int itemId);

    // Where a knob row draws its knob: whole, centred over its name.
    juce::Rectangle<int> getKnobArea() const noexcept;

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;

private:
    void paintMenuField (juce::Graphics& g);
    void paintSwitch (juce::Graphics& g);
    void paintKnob (juce::Graphics& g);

    MidiCntrState& hub;
    int globalIndex = -1;
    const GlobalDescriptor* descriptor;
    juce::Image knobStrip, menuField, switchImage;
    int dragStartValue = 0;
    bool dragging = false, menuArmed = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GlbCont)
};
