#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MidiCntrState;

// The connection help page. When the synthesizer has not answered, it tries
// every input and output pair in turn, switching the hub's ports and asking
// for the global parameters, and keeps the first pair that answers (writing
// the port file); when none does, it puts the user's ports back and says so.
// After an answer it lists the global settings to make by hand on the
// synthesizer, or asks to be closed when there are none. A click asks the
// editor to close it; the "Host settings" link asks it to close the page and
// open the MIDI setup page, where the ports are chosen. Message thread only.
class MIDI_scan : public juce::Component,
                  public juce::ChangeBroadcaster,
                  public juce::Timer
{
public:
    // Time given to each pair (and to the ports already open) to answer.
    static constexpr int kProbeIntervalMs = 300;
    static constexpr int kWidth = 560;
    static constexpr int kTop = 100;
    static constexpr int kNotConnectedHeight = 100;

    // Every change message asks to be closed; the request says what the
    // editor does next, read when the message arrives.
    enum Request : int
    {
        kCloseRequest,
        kOpenMidiSetupRequest
    };

    explicit MIDI_scan (MidiCntrState& hub);
    ~MIDI_scan() override;

    // Takes the device counts and the user's ports, then ticks.
    void startScan();
    bool isScanRunning() const noexcept { return scanRunning; }
    bool isNotConnected() const noexcept { return notConnected; }
    // Scanning, or showing its list or its notice: the user's result, which
    // only the user or the editor's closing takes away.
    bool isInUse() const noexcept { return isTimerRunning() || scanRunning || notConnected || ! lines.isEmpty(); }
    int getRequest() const noexcept { return request; }
    const juce::StringArray& getLines() const noexcept { return lines; }
    juce::HyperlinkButton& getLink() noexcept { return link; }

    // One step of the scan; the timer calls it, tests may too.
    void timerCallback() override;
    void showRequiredSettings();
    void probePortPair (int input, int output);

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;

private:
    void finishFound();
    void finishNotConnected();
    void restoreUserPorts();
    void askToClose (int newRequest);
    void placeAt (int height);
    void paintFrame (juce::Graphics& g) const;

    MidiCntrState& hub;
    bool notConnected = false, scanRunning = false;
    bool controllerEnableWrong = false, paramSendWrong = false, paramReceiveWrong = false, midiOutSelectWrong = false;
    juce::StringArray lines;
    int request = kCloseRequest;
    int numInputs = 0, numOutputs = 0, currentInput = 0, currentOutput = 0;

    // The ports chosen before the scan (list positions, 0 for none) and the
    // port-file entries naming them.
    int userInput = 0, userOutput = 0;
    juce::StringArray userPortSettings;

    juce::HyperlinkButton link { "Host settings", juce::URL() };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MIDI_scan)
};
