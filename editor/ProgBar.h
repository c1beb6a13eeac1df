#pragma once

#include "editor/widgets/KwsBut.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The modal overlay over the editor while a bank transfer runs: a progress bar,
// the bank and program reached, and CANCEL. Message thread only.
class ProgBar : public juce::Component
{
public:
    static constexpr int kCancelId = 999;
    static constexpr int kTrackWidth = 384, kTrackHeight = 24;
    static constexpr int kPixelsPerStep = 3;
    static constexpr int kBoxWidth = 400, kBoxHeight = 40;

    // The first value is not used; the overlay covers (0, 0, width, height).
    ProgBar (int x, int width, int height);
    ~ProgBar() override;

    // value is clamped to 0-127; the fill grows three pixels a step.
    void setProgress (int value, const juce::String& text);

    // Hidden and out of its modal state; its owner then deletes it.
    void close();

    void paint (juce::Graphics& g) override;

    // Only the editor it covers waits for the transfer: other windows of the
    // process, another instance's editor among them, keep their clicks.
    bool canModalEventBeSentToComponent (const juce::Component* target) override;

    KwsBut& getCancelButton() noexcept { return *cancel; }
    juce::Label& getLabel() noexcept { return *label; }
    juce::TextButton& getTrack() noexcept { return *track; }
    juce::TextButton& getFill() noexcept { return *fill; }
    int getValue() const noexcept { return value; }
    const juce::String& getText() const noexcept { return text; }
    juce::Rectangle<int> getBox() const noexcept { return { boxX, boxY, boxWidth, boxHeight }; }

private:
    int value = 0, minimum = 0, maximum = 127;
    juce::String text;
    std::unique_ptr<KwsBut> cancel;
    std::unique_ptr<juce::Label> label;
    std::unique_ptr<juce::TextButton> track, fill;
    int boxX = 0, boxHeight = kBoxHeight, boxY = 0, boxWidth = kBoxWidth;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ProgBar)
};
