#pragma once

#include "editor/EditorControlTable.h"
#include "editor/widgets/KwsBut.h"
#include "editor/widgets/Envel.h"
#include "editor/widgets/KwsCont.h"
#include "editor/widgets/PageArtCache.h"

#include <juce_gui_basics/juce_gui_basics.h>

class VellixAudioProcessor;

// The program view's page: the whole program as a front panel, one control per
// program byte in ten framed sections. It edits nothing itself; its controls
// go to the processor, and the editor hands model values back to it. A
// right-button press on a section or control broadcasts 100 + the section.
class EditorPanel : public juce::Component,
                    public KwsContListener,
                    public juce::ChangeListener,
                    public juce::ChangeBroadcaster,
                    public PageArt
{
public:
    static constexpr int kDesignWidth = 1148;
    static constexpr int kDesignHeight = 700;
    static constexpr int kSequencerButtonId = 98;
    static constexpr int kSectionPopupBase = 100;
    static constexpr int kNumEnvelopes = EditorTables::kNumEnvelopes;

    using Controls = std::array<std::unique_ptr<KwsCont>, EditorTables::kNumControls>;
    using Envelopes = std::array<std::unique_ptr<Envel>, kNumEnvelopes>;

    explicit EditorPanel (VellixAudioProcessor& processor);
    ~EditorPanel() override;

    void setScale (float scale);
    float getScale() const noexcept { return scale; }

    void setControlFromModel (KwsCont& control, int value);
    void refreshControls();
    void setRepaintEnabled (bool enabled);

    void kwsContEvent (int code, int position, int section) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void envelChanged (Envel& view);

    // Shared with the pop-up section editor, which is built like this page:
    // its controls as hidden children, set up from the table; its envelope
    // views as hidden children with their indexes; a model byte shown on a
    // control and on the envelope view that draws it; a view's dragged
    // stages requested through the controls of its four bytes.
    static void createControls (juce::Component& page, VellixAudioProcessor& processor, Controls& controls);
    static void createEnvelopes (juce::Component& page, Envelopes& envelopes);
    static void showModelByte (KwsCont& control, Envelopes& envelopes, int value);
    static void requestEnvelopeStages (const Envel& view, Controls& controls);

    KwsCont& getControl (int position) { return *controls[(size_t) position]; }
    Envel& getEnvelope (int index) { return *envelopes[(size_t) index]; }
    KwsBut& getSequencerButton() noexcept { return sequencerButton; }
    int getChangeCode() const noexcept { return changeCode; }

    // Where the program display and the three envelope views go, in pixels at
    // the current scale; the page keeps these places free for them.
    juce::Rectangle<int> getProgramDisplayBounds() const noexcept;
    juce::Rectangle<int> getEnvelopeBounds (int index) const noexcept;

    void mouseDown (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;
    void childArtChanged() override;

private:
    void paintBackground (juce::Graphics& g) const;
    void paintChildArt (juce::Graphics& g) const;
    void broadcastSection (int section);

    VellixAudioProcessor& processor;
    juce::Image synthLogo, makerLogo;
    KwsBut sequencerButton { "SEQUENCER", kSequencerButtonId, kwsButPlain };
    float scale = 1.0f;
    Controls controls;
    Envelopes envelopes;
    int changeCode = 0;

    // The rings, sections, captions and logos, and what of the controls and
    // envelope views never changes with a value, are drawn once per size and
    // then copied.
    PageArtCache art;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorPanel)
};
