#include "windows/setup/MIDI_Setup.h"

#include "core/midi/MidiCntrState.h"
#include "editor/EditorLook.h"

#include <utility>

namespace
{
using L = EditorLook;

// Each port row hangs from the top of its field: caption, field, name, lamp
// and the press area that opens its menu.
struct PortRow
{
    MIDI_Setup::PortMenu menu;
    const char* caption;
    int fieldY;
};

constexpr int kFieldX = 60, kFieldWidth = 290, kFieldHeight = 24;
constexpr int kLampX = 330, kLampWidth = 10, kLampHeight = 8;

constexpr PortRow portRows[] = {
    { MIDI_Setup::PortMenu::input, "MIDI In Port", 80 },
    { MIDI_Setup::PortMenu::output, "MIDI Out Port", 130 },
};

struct SwitchPlace
{
    MIDI_Setup::Switch which;
    const char* caption;
    int x, y;
    float captionHeight;
    MidiSetupEventCode code;
};

// clang-format off
constexpr SwitchPlace switchPlaces[] = {
    { MIDI_Setup::clockSwitch,       "Clock ON/OFF",                60,  220, 14.0f, kSetupClock },
    { MIDI_Setup::synthToHostSwitch, "THRU: MIDI In Port -> Host",  390, 84,  13.0f, kSetupSynthToHostThru },
    { MIDI_Setup::hostToSynthSwitch, "THRU: Host -> MIDI Out Port", 390, 108, 13.0f, kSetupHostToSynthThru },
};
// clang-format on

struct Caption
{
    const char* text;
    int x, baseline;
    float height;
    EditorLook::Named colour;
};

constexpr Caption captions[] = {
    { "SysEx Buffer Size:", 60, 184, 14.0f, L::setupCaption },
    { "Change only if receiving causes an error (Receiving SysEx).", 60, 204, 12.0f, L::setupNote },
};

constexpr int kSwitchWidth = 300, kSwitchHeight = 18;
constexpr float kFrameCorner = 10.0f, kFrameLine = 3.0f;
const juce::Rectangle<int> mainFrame { 40, 20, 749, 250 };
const juce::Rectangle<int> helpFrame { 40, 310, 749, 160 };

enum SysExSizeItem : int
{
    kSysExSize256 = 1,
    kSysExSizeOther = 2
};

void paintFrame (juce::Graphics& g, juce::Rectangle<int> area)
{
    g.setColour (L::setupFrameFill);
    g.fillRoundedRectangle (area.toFloat(), kFrameCorner);
    g.setColour (L::setupFrameOutline);
    g.drawRoundedRectangle (area.toFloat(), kFrameCorner, kFrameLine);
}
} // namespace

MIDI_Setup::MIDI_Setup (MidiCntrState& h) : hub (h)
{
    sysExSizeLabel.setTextStyle ({}, L::kTypefaceName, 12.0f, juce::Justification::centred);
    sysExSizeLabel.setFrame (KwsLabel::filledOutlined, L::background, L::labelFrame);
    sysExSizeLabel.setBounds (190, 172, 100, 16);
    showSysExSizeText();
    sysExSizeLabel.addChangeListener (this);
    addAndMakeVisible (sysExSizeLabel);

    okButton.placeWithStyleImages (690, 240, 74, 18, true);
    okButton.addChangeListener (this);
    addAndMakeVisible (okButton);
    globalsButton.placeWithStyleImages (690, 200, 74, 18, true);
    globalsButton.addChangeListener (this);
    addAndMakeVisible (globalsButton);

    statusLabel.setTextStyle ("------", L::kTypefaceName, 13.0f, juce::Justification::centred);
    statusLabel.setBounds (40, 30, 400, 14);
    addAndMakeVisible (statusLabel);

    for (const auto& place : switchPlaces)
    {
        auto& box = switches[(size_t) place.which];
        box.placeWithCaption (place.caption, place.y, kSwitchWidth, place.captionHeight);
        box.setBounds (place.x, place.y, kSwitchWidth, kSwitchHeight);
        box.addChangeListener (this);
        addAndMakeVisible (box);
    }

    helpText.setText (kHelpText, juce::dontSendNotification);
    helpText.setFont (L::font (14.0f));
    helpText.setJustificationType (juce::Justification::centredLeft);
    helpText.setColour (juce::Label::textColourId, L::setupHelpText);
    helpText.setEditable (false);
    helpText.setBounds (40, 310, 750, 160);
    addAndMakeVisible (helpText);

    latencyPanel.setBounds (373, 184, 300, 80);
    addAndMakeVisible (latencyPanel);

    setSize (400, 200);
}

MIDI_Setup::~MIDI_Setup()
{
    stopTimer();
    showGlobalPanel (false);
    for (auto& box : switches)
        box.removeChangeListener (this);
    sysExSizeLabel.removeChangeListener (this);
}

void MIDI_Setup::setPortNames (const juce::StringArray& inputs, const juce::StringArray& outputs)
{
    inputNames.clearQuick();
    inputNames.add (kNoPort);
    inputNames.addArray (inputs);
    outputNames.clearQuick();
    outputNames.add (kNoPort);
    outputNames.addArray (outputs);
}

void MIDI_Setup::setSwitch (Switch which, bool on)
{
    switches[(size_t) which].setChecked (on);
}

std::vector<MIDI_Setup::Report> MIDI_Setup::takeReports()
{
    return std::exchange (reports, {});
}

void MIDI_Setup::report (int code, int value)
{
    reports.push_back ({ code, value });
    sendChangeMessage();
}

//==============================================================================
MIDI_Setup::PortMenu MIDI_Setup::portMenuAt (juce::Point<int> p) noexcept
{
    for (const auto& row : portRows)
        if (p.x >= kFieldX + 1 && p.x <= kFieldX + kFieldWidth - 1 && p.y >= row.fieldY + 1
            && p.y <= row.fieldY + kFieldHeight - 1)
            return row.menu;

    return PortMenu::none;
}

const juce::StringArray& MIDI_Setup::namesOf (PortMenu which) const noexcept
{
    return which == PortMenu::input ? inputNames : outputNames;
}

juce::PopupMenu MIDI_Setup::buildPortMenu (PortMenu which) const
{
    juce::PopupMenu menu;
    const auto& names = namesOf (which);
    for (int i = 0; i < names.size(); ++i)
        menu.addItem (i + 1, names[i]);
    return menu;
}

void MIDI_Setup::showPortMenu (PortMenu which)
{
    // "NONE" alone offers no choice.
    if (which == PortMenu::none || namesOf (which).size() < 2)
        return;

    auto menu = buildPortMenu (which);
    menu.setLookAndFeel (&getLookAndFeel());

    juce::Component::SafePointer<MIDI_Setup> safeThis (this);
    menu.showMenuAsync (juce::PopupMenu::Options().withMousePosition(), [safeThis, which] (int itemId) {
        if (safeThis != nullptr)
            safeThis->handlePortMenu (which, itemId);
    });
}

void MIDI_Setup::handlePortMenu (PortMenu which, int itemId)
{
    if (which == PortMenu::none || itemId < 1 || itemId > namesOf (which).size())
        return;

    const int position = itemId - 1;
    if (which == PortMenu::input)
    {
        chosenInput = position;
        report (kSetupInputPort, position);
    }
    else
    {
        chosenOutput = position;
        report (kSetupOutputPort, position);
    }
}

void MIDI_Setup::showSysExSizeMenu()
{
    juce::PopupMenu menu;
    menu.addItem (kSysExSize256, "256");
    menu.addItem (kSysExSizeOther, "SySex Size");
    menu.setLookAndFeel (&getLookAndFeel());

    juce::Component::SafePointer<MIDI_Setup> safeThis (this);
    menu.showMenuAsync (juce::PopupMenu::Options().withTargetComponent (&sysExSizeLabel), [safeThis] (int itemId) {
        if (safeThis != nullptr)
            safeThis->handleSysExSizeMenu (itemId);
    });
}

void MIDI_Setup::handleSysExSizeMenu (int itemId)
{
    if (itemId != kSysExSize256 && itemId != kSysExSizeOther)
        return;

    // Reaches the port file when the page is left.
    hub.getPorts().sysExBufferSizeMode = itemId - 1;
    showSysExSizeText();
}

void MIDI_Setup::showSysExSizeText()
{
    sysExSizeLabel.setLabelText (hub.getPorts().sysExBufferSizeMode != 0 ? "SySex Size" : "256");
}

//==============================================================================
void MIDI_Setup::mouseDown (const juce::MouseEvent& e)
{
    showPortMenu (portMenuAt (e.getPosition()));
}

void MIDI_Setup::kwsButtonChanged (KwsBut* button)
{
    if (button == &okButton)
        report (kSetupOk, 0);
    else if (button == &globalsButton)
        showGlobalPanel (globalPanel == nullptr);
}

void MIDI_Setup::showGlobalPanel (bool show)
{
    if (show == (globalPanel != nullptr))
        return;

    if (! show)
    {
        globalPanel->removeGlobalListener (this);
        globalPanel.reset();
        helpText.setVisible (true);
        repaint();
        return;
    }

    hub.requestGlobals();
    helpText.setVisible (false);
    globalPanel = std::make_unique<Global_Container> (hub);
    globalPanel->setBounds (38, 285, 750, 280);
    addAndMakeVisible (*globalPanel);
    globalPanel->addGlobalListener (this);
    globalPanel->setAlwaysOnTop (true);
    repaint();
}

void MIDI_Setup::globalPanelEvent (int code, int)
{
    if (code == kGlobalPanelClose)
        startTimer (kGlobalPanelCloseDelayMs);
}

void MIDI_Setup::timerCallback()
{
    stopTimer();
    showGlobalPanel (false);
}

void MIDI_Setup::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == &sysExSizeLabel)
    {
        showSysExSizeMenu();
        return;
    }

    for (const auto& place : switchPlaces)
        if (source == &switches[(size_t) place.which])
            report (place.code, switches[(size_t) place.which].isChecked() ? 1 : 0);
}

//==============================================================================
void MIDI_Setup::paint (juce::Graphics& g)
{
    g.fillAll (L::setupShade);
    paintFrame (g, mainFrame);

    for (const auto& row : portRows)
        paintPortField (g, row.menu);

    for (const auto& caption : captions)
    {
        g.setColour (caption.colour);
        g.setFont (L::font (caption.height));
        g.drawSingleLineText (caption.text, caption.x, caption.baseline);
    }

    for (const auto& box : switches)
        box.paintCaption (g);

    if (helpText.isVisible())
        paintFrame (g, helpFrame);
}

void MIDI_Setup::paintPortField (juce::Graphics& g, PortMenu which) const
{
    const auto& row = portRows[which == PortMenu::input ? 0 : 1];
    const bool input = which == PortMenu::input;
    const bool open = input ? inputOpen : outputOpen;
    const auto name = namesOf (which)[input ? chosenInput : chosenOutput];

    g.setColour (L::setupCaption);
    g.setFont (L::font (14.0f));
    g.drawSingleLineText (row.caption, kFieldX, row.fieldY - 6);

    const juce::Rectangle<int> field (kFieldX, row.fieldY, kFieldWidth, kFieldHeight);
    g.setColour (L::portField);
    g.fillRect (field);
    g.setColour (L::portFieldOutline);
    g.drawRect (field, 1);

    // A long device name ends in an ellipsis before the lamp.
    g.setColour (L::text);
    g.drawText (name, kFieldX + 4, row.fieldY + 3, kLampX - kFieldX - 8, 16, juce::Justification::centredLeft, true);

    const juce::Rectangle<float> lamp ((float) kLampX, (float) row.fieldY + 8, (float) kLampWidth, (float) kLampHeight);
    g.setColour (open ? L::portLampOpen : L::portLampClosed);
    g.fillRoundedRectangle (lamp, 2.0f);
    g.setColour (open ? L::portLampClosed : L::portLampClosedOutline);
    g.drawRoundedRectangle (lamp, 2.0f, 1.0f);
}
