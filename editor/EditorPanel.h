#pragma once

#include "editor/EditorControlTable.h"
#include "editor/widgets/KwsBut.h"
#include "editor/widgets/KwsCont.h"

#include <juce_gui_basics/juce_gui_basics.h>

class VellixAudioProcessor;

// The program view's page: the whole program as a front panel, one control per
// program byte in ten framed sections. It edits nothing itself; its controls
// go to the processor, and the editor hands model values back to it. A
// right-button press on a section or control broadcasts 100 + the section.
class EditorPanel : public juce::Component,
                    public KwsContListener,
                    public juce::ChangeListener,
                    public juce::ChangeBroadcaster
{
public:
    static constexpr int kDesignWidth = 1148;
    static constexpr int kDesignHeight = 700;
    static constexpr int kSequencerButtonId = 98;
    static constexpr int kSectionPopupBase = 100;
    static constexpr int kNumEnvelopes = 3;

    explicit EditorPanel (VellixAudioProcessor& processor);
    ~EditorPanel() override;

    void setScale (float scale);
    float getScale() const noexcept { return scale; }

    void setControlFromModel (KwsCont& control, int value);
    void refreshControls();
    void setRepaintEnabled (bool enabled);

    void kwsContEvent (int code, int position, int section) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

    KwsCont& getControl (int position) { return *controls[(size_t) position]; }
    KwsBut& getSequencerButton() noexcept { return sequencerButton; }
    int getChangeCode() const noexcept { return changeCode; }

    // Where the program display and the three envelope views go, in pixels at
    // the current scale; the page keeps these places free for them.
    juce::Rectangle<int> getProgramDisplayBounds() const noexcept;
    juce::Rectangle<int> getEnvelopeBounds (int index) const noexcept;

    void mouseDown (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;

private:
    void paintBackground (juce::Graphics& g) const;
    void broadcastSection (int section);

    VellixAudioProcessor& processor;
    juce::Image synthLogo, makerLogo;
    KwsBut sequencerButton { "SEQUENCER", kSequencerButtonId, kwsButPlain };
    float scale = 1.0f;
    std::array<std::unique_ptr<KwsCont>, EditorTables::kNumControls> controls;
    int changeCode = 0;

    // The rings, sections, captions and logos change only with the size, so
    // they are drawn once per size and then copied.
    juce::Image background;
    float backgroundScale = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorPanel)
};
