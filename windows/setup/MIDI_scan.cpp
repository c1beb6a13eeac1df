#include "windows/setup/MIDI_scan.h"

#include "core/midi/MidiCntrState.h"
#include "editor/EditorLook.h"
#include "windows/setup/GlobalDescriptorTable.h"

namespace
{
using L = EditorLook;
using G = GlobalDescriptorTable::Global;

constexpr int kFirstLineY = 50, kLineStep = 20;

struct RequiredSetting
{
    G global;
    int wanted;
    const char* line;
};

constexpr RequiredSetting requiredSettings[] = {
    { G::kMidiControllerEnable, 1, "- MIDI Controller Send/Receive = ON" },
    { G::kMidiParamSend, 0, "- Parameter send = NRPN" },
    { G::kMidiParamReceive, 0, "- Parameter Receive = ALL" },
};
} // namespace

MIDI_scan::MIDI_scan (MidiCntrState& h) : hub (h)
{
    link.setTooltip ("Host settings");
    link.setColour (juce::HyperlinkButton::textColourId, L::scanLink);
    link.setBounds (350, 10, 150, 24);
    // The link takes its own click, so the page's press does not close it again.
    link.onClick = [this] { askToClose (kOpenMidiSetupRequest); };
    addChildComponent (link);
}

MIDI_scan::~MIDI_scan()
{
    stopTimer();
    // Closed half way: the user's ports, not a probed pair, stay open.
    if (scanRunning)
        restoreUserPorts();
}

void MIDI_scan::startScan()
{
    auto& ports = hub.getPorts();
    numInputs = ports.getLayer().getAvailableInputs().size();
    numOutputs = ports.getLayer().getAvailableOutputs().size();
    currentInput = currentOutput = 0;
    userInput = ports.selectedInput + 1;
    userOutput = ports.selectedOutput + 1;
    userPortSettings = hub.getPortSettings();

    // The first tick gives the ports already open their chance to answer.
    startTimer (kProbeIntervalMs);
}

void MIDI_scan::timerCallback()
{
    if (hub.isSynthesizerFound())
    {
        finishFound();
        return;
    }

    while (currentInput < numInputs)
    {
        if (currentOutput < numOutputs)
        {
            probePortPair (currentInput, currentOutput++);
            return;
        }
        currentOutput = 0;
        ++currentInput;
    }

    finishNotConnected();
}

void MIDI_scan::probePortPair (int input, int output)
{
    scanRunning = true;
    hub.setScanResults (input + 1, output + 1);

    auto& ports = hub.getPorts();
    if (ports.selectedInput != input)
        hub.selectInputDevice (input + 1);
    if (ports.selectedOutput != output)
        hub.selectOutputDevice (output + 1);

    hub.requestGlobals();
}

void MIDI_scan::finishFound()
{
    stopTimer();

    if (scanRunning)
    {
        // A late answer may come after the next pair was switched in: keep
        // the pair it came over.
        const auto answered = hub.getAnsweredPair();
        auto& ports = hub.getPorts();
        if (answered.input > 0 && ports.selectedInput != answered.input - 1)
            hub.selectInputDevice (answered.input);
        if (answered.output > 0 && ports.selectedOutput != answered.output - 1)
            hub.selectOutputDevice (answered.output);

        scanRunning = false;
        hub.loadOrSavePortSettings (MidiCntrState::kSavePorts);
    }

    showRequiredSettings();
}

void MIDI_scan::finishNotConnected()
{
    stopTimer();
    restoreUserPorts();
    scanRunning = false;
    notConnected = true;
    link.setVisible (true);
    placeAt (kNotConnectedHeight);
    repaint();
}

void MIDI_scan::restoreUserPorts()
{
    hub.selectInputDevice (userInput);
    hub.selectOutputDevice (userOutput);
    hub.setPortSettings (userPortSettings);
}

void MIDI_scan::showRequiredSettings()
{
    controllerEnableWrong = paramSendWrong = paramReceiveWrong = midiOutSelectWrong = false;
    lines.clearQuick();

    for (const auto& setting : requiredSettings)
    {
        if ((juce::int8) hub.getGlobalValue (setting.global) == setting.wanted)
            continue;
        lines.add (setting.line);
        (setting.global == G::kMidiControllerEnable ? controllerEnableWrong
         : setting.global == G::kMidiParamSend      ? paramSendWrong
                                                    : paramReceiveWrong) = true;
    }

    if (lines.isEmpty())
    {
        askToClose (kCloseRequest);
        return;
    }

    // Answers that leave the synthesizer by its thru port never reach us.
    midiOutSelectWrong = hub.getGlobalValue (G::kMidiOutSelect) != 0;
    if (midiOutSelectWrong)
        lines.add ("- MIDI Out select = OUT.");

    placeAt (kFirstLineY + kLineStep * lines.size());
    repaint();
}

void MIDI_scan::placeAt (int height)
{
    const int parentWidth = getParentWidth() > 0 ? getParentWidth() : kWidth;
    setBounds ((parentWidth - kWidth) / 2, kTop, kWidth, height);
}

//==============================================================================
void MIDI_scan::mouseDown (const juce::MouseEvent&)
{
    askToClose (kCloseRequest);
}

void MIDI_scan::askToClose (int newRequest)
{
    stopTimer();
    // Messages coalesce: a press after the link must not cancel the setup page.
    request = juce::jmax (request, newRequest);
    sendChangeMessage();
}

void MIDI_scan::paintFrame (juce::Graphics& g) const
{
    const auto area = juce::Rectangle<float> (1.0f, 1.0f, (float) getWidth() - 2.0f, (float) getHeight() - 2.0f);
    g.setColour (L::scanFill);
    g.fillRoundedRectangle (area, 10.0f);
    g.setColour (L::scanOutline);
    g.drawRoundedRectangle (area, 10.0f, 3.0f);
}

void MIDI_scan::paint (juce::Graphics& g)
{
    if (notConnected)
    {
        paintFrame (g);
        g.setColour (L::text);
        g.setFont (L::font (17.0f, juce::Font::bold));
        g.drawSingleLineText ("NOT CONNECTED!", 10, 30);
        g.setFont (L::font (15.0f));
        g.drawSingleLineText ("- Check USB/MIDI cables.", 30, 55);
        g.drawSingleLineText ("- Check Mopho global setting: SYSEX send/receive should be set to ON.", 30, 75);
        return;
    }

    if (lines.isEmpty())
        return;

    paintFrame (g);
    g.setColour (L::text);
    g.setFont (L::font (17.0f, juce::Font::bold));
    g.drawSingleLineText ("WARNING!", 10, 30);
    g.setFont (L::font (14.0f));
    g.drawSingleLineText ("Mopho global settings should be set MANUALLY as follows:", 100, 30);
    for (int i = 0; i < lines.size(); ++i)
        g.drawSingleLineText (lines[i], 120, kFirstLineY + kLineStep * i);
}
