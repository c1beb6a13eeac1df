#pragma once

#include "editor/EditorControlTable.h"
#include "editor/SeqClass.h"
#include "editor/widgets/KwsBut.h"
#include "editor/widgets/KwsCont.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

class VellixAudioProcessor;

// What the sequencer page tells the editor, with a value (getChangeValue).
enum SeqPanelCode : int
{
    seqPanelOverview = 500, // OK: the page is back at its overview
    seqPanelEditTrack = 501 // Edit or a tab: the value is the track
};

namespace SequencerTables
{
constexpr int kNumControls = 8;
constexpr int kNumTracks = 4;
// The page's controls, with program editor rows' columns; section unused.
extern const std::array<EditorTables::ControlRow, kNumControls> SequencerControlTable;
} // namespace SequencerTables

// The sequencer view's page: the four tracks with the sequencer's settings
// and each track's destination, as an overview of all four or as the track
// editor, one track enlarged and the others as tabs. Design units of a
// 1148 x 684 page, times the scale.
class SeqPanel : public juce::Component,
                 public SeqClassListener,
                 public kwsbutChangeListener,
                 public juce::ChangeBroadcaster
{
public:
    static constexpr int kDesignWidth = 1148;
    static constexpr int kDesignHeight = 684;
    static constexpr int kProgramButtonId = 97;

    explicit SeqPanel (VellixAudioProcessor& processor);
    ~SeqPanel() override;

    void setScale (float scale);
    void refreshFromProgram();
    // A settings or destination byte, shown on the given control (perhaps the
    // program editor's) and on this page's control of its position.
    void showProgramByte (KwsCont& control, int value);
    void editTrack (int track);
    void showOverview();

    // The draw-mode menu, in the look of the component it opens from; the
    // choice (an item id, 0 when dismissed) goes to its handler.
    juce::PopupMenu buildDrawModeMenu() const;
    void showDrawModeMenu();
    void handleDrawModeMenu (int itemId);
    enum DrawModeItem { kSliders = 1, kPen = 2, kQuantize = 3 };

    void kwsButtonChanged (KwsBut* sender) override;
    void seqClassEvent (int code, int track, int value) override;
    void paint (juce::Graphics& g) override;

    bool isTrackEditorShown() const noexcept { return trackEditorShown; }
    int getEditedTrack() const noexcept { return editedTrack; }
    int getChangeCode() const noexcept { return changeCode; }
    int getChangeValue() const noexcept { return changeValue; }
    float getScale() const noexcept { return scale; }
    SeqClass& getTrack (int track) { return *tracks[(size_t) track]; }
    KwsCont& getControl (int index) { return *controls[(size_t) index]; }
    // The page's control of a program position, or null.
    KwsCont* findControl (int position);
    KwsBut& getProgramButton() noexcept { return programButton; }
    KwsBut& getOkButton() noexcept { return okButton; }
    KwsBut& getEditButton (int track) noexcept { return *editButtons[(size_t) track]; }
    KwsBut& getDrawModeButton() noexcept { return drawModeButton; }

private:
    void scaleChildren (float s);
    void layoutOverview (float s);
    void paintBackdrop (juce::Graphics& g, const juce::Rectangle<float>* frames, size_t numFrames) const;
    void broadcast (int code, int value);

    VellixAudioProcessor& processor;
    bool trackEditorShown = false;
    KwsBut programButton { "PROGRAM", kProgramButtonId, kwsButPlain };
    KwsBut okButton { "OK", 0, kwsButPlain };
    std::array<std::unique_ptr<KwsBut>, SequencerTables::kNumTracks> editButtons;
    KwsBut drawModeButton { "Draw Mode", 0, kwsButPlain };
    std::array<std::unique_ptr<SeqClass>, SequencerTables::kNumTracks> tracks;
    std::array<std::unique_ptr<KwsCont>, SequencerTables::kNumControls> controls;
    int changeCode = 0, changeValue = 0;
    float scale = 1.0f;
    int editedTrack = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SeqPanel)
};
