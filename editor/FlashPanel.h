#pragma once

#include "editor/EditorPanel.h"

#include <vector>

class VellixAudioProcessor;

// One section of the program editor, magnified, in a framed box over the
// dimmed editor. Its controls and envelope views edit the program like the
// program editor's; a press outside the box broadcasts a change message (with
// no code), on which its owner closes it. It is kept while hidden and follows
// the model for the section it showed last.
class FlashPanel : public juce::Component,
                   public KwsContListener,
                   public juce::ChangeListener,
                   public juce::ChangeBroadcaster
{
public:
    static constexpr float kScale = 1.5f;
    static constexpr int kSectionGrowth = 5; // design units, in width and in height
    static constexpr int kBoxTop = 100;
    static constexpr int kSequencerSection = 6;

    explicit FlashPanel (VellixAudioProcessor& processor);
    ~FlashPanel() override;

    void arrangeControls();
    void showSection (int section, int editorWidth);

    void setControlFromModel (KwsCont& control, int value);
    void refreshControl (KwsCont& control, int value);
    void refreshShownControls();
    void setRepaintEnabled (bool enabled);

    void envelChanged (Envel& view);
    void kwsContEvent (int, int, int) override {}
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

    KwsCont& getControl (int position) { return *controls[(size_t) position]; }
    Envel& getEnvelope (int index) { return *envelopes[(size_t) index]; }
    int getShownSection() const noexcept { return shownSection; }
    const std::vector<int>& getShownControls() const noexcept { return shownControls; }
    // The box of the shown section, in pixels; edges belong to it.
    juce::Rectangle<float> getBox() const noexcept;
    const juce::String& getCaption (int section) const;

    void mouseDown (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;

private:
    VellixAudioProcessor& processor;
    EditorPanel::Controls controls;
    EditorPanel::Envelopes envelopes;
    std::array<EditorTables::SectionRow, EditorTables::kNumSections> sections;
    std::array<juce::String, EditorTables::kNumSections> captions;
    // Each control's place in its section's box, in design units.
    std::array<juce::Point<int>, EditorTables::kNumControls> boxPlaces;

    int shownSection = 0;
    std::vector<int> shownControls;
    int boxX = 10, boxY = 10;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FlashPanel)
};
