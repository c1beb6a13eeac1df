#pragma once

#include "core/midi/ActivityMark.h"
#include "core/midi/BankTransfer.h"
#include "core/midi/BankTransmitter.h"
#include "core/midi/CodeQueue.h"
#include "core/midi/DeviceInputFifo.h"
#include "core/midi/HubEvents.h"
#include "core/midi/ListenerSlots.h"
#include "core/midi/MIDI_PORTS_Control.h"
#include "core/midi/NrpnOutputCache.h"
#include "core/midi/SysExAssembler.h"
#include "core/midi/WakeSignal.h"
#include "core/model/Bank_Program.h"
#include "core/model/KwsResor.h"
#include "core/model/ParDes.h"
#include "core/model/ParamTables.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <juce_events/juce_events.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>

// The plug-in's model and MIDI hub: the synthesizer's three banks, the host
// bank's edit buffer, the MIDI ports, the settings, and the queues that tell
// the interface and the host of every change.
class MidiCntrState : public juce::MidiInputCallback,
                      public juce::ChangeBroadcaster
{
public:
    static constexpr int kNumHardwareBanks = 3;
    static constexpr int kNumGlobalValues = 100;
    static constexpr int kLoadSettings = 0;
    static constexpr int kSaveSettings = 1;
    static constexpr int kEventQueueCapacity = 4096;
    static constexpr int kControllerQueueCapacity = 4096;

    MidiCntrState();
    ~MidiCntrState() override;

    // Hardware input, on the MIDI input thread: stores what arrives and
    // queues events, nothing more.
    void handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message) override;
    void handlePartialSysexMessage (juce::MidiInput*, const juce::uint8*, int, double) override {}
    void handleDeviceChannelMessage (const juce::MidiMessage& message);

    // The VST2 build hands hardware MIDI to the host under the synth-to-host
    // thru switch and tells the host of the wheels and program selections with
    // MIDI instead of controller parameters. Set by the processor once.
    void setVst2Form (bool on) noexcept { vst2Form = on; }
    bool isVst2Form() const noexcept { return vst2Form; }
    void resetNrpnInput() noexcept;

    //==============================================================================
    // SysEx exchange with the synthesizer.
    void sendDumpRequest (int type, int bank, int program);
    void requestGlobals();
    void handleSysEx (const juce::uint8* data, int size);
    void handleProgramDump (const juce::uint8* data, int size);
    void handleGlobalDump (const juce::uint8* data, int size);
    bool isSynthesizerFound() const noexcept { return synthesizerFound; }

    // Bank transfers (see BankTransfer for the operations).
    static constexpr int kReceiveOneBank = BankTransfer::kReceiveOneBank;
    static constexpr int kReceiveAllBanks = BankTransfer::kReceiveAllBanks;
    static constexpr int kTransmitOneBank = BankTransfer::kTransmitOneBank;
    static constexpr int kTransmitAllBanks = BankTransfer::kTransmitAllBanks;
    static constexpr int kNoTransfer = BankTransfer::kNoTransfer;
    // A transmission sends while the output is open; with it closed nothing
    // leaves and the transfer waits to be ended, as a receive with no answer does.
    void startTransfer (int operation, int startBank);
    // Message thread. A transmission stops after the dump being handed over.
    void endTransfer();
    bool isTransmitting() const { return transmitter.isRunning(); }

    // The edit buffer to the synthesizer as an edit-buffer dump.
    void sendEditBuffer();
    // One program to a slot of the synthesizer's memory, as a program dump.
    // False when the dump did not leave: no such slot, or the output is closed.
    bool sendProgramDump (int bank, int program, const ProgramImage::Block& image);
    bool isTransferBusy() const noexcept { return transfer.isBusy(); }
    bool isTransferFetching() const noexcept { return transfer.isFetching(); }
    int getTransferOperation() const noexcept { return transfer.getOperation(); }

    void setHelpPageShown (bool shown) noexcept { helpPageShown = shown; }
    bool isHelpPageShown() const noexcept { return helpPageShown; }

    // The editor's marks: the first opening shows the about box, and layout
    // writes the window size into the settings only once an editor is open.
    bool isEditorOpen() const noexcept { return editorOpen; }
    void setEditorOpen() noexcept { editorOpen = true; }
    bool isFirstOpenDone() const noexcept { return firstOpenDone; }
    void setFirstOpenDone() noexcept { firstOpenDone = true; }
    // The pair the connection help page is probing (list positions, 1 for
    // the first device), and the pair that was being probed when a global
    // dump came in: an answer belongs to the ports open when it arrived.
    struct ScanPair
    {
        int input = -1, output = -1;
    };
    void setScanResults (int input, int output) noexcept { probedPair = packPair ({ input, output }); }
    ScanPair getAnsweredPair() const noexcept { return unpackPair (answeredPair.load()); }

    // The scan restores the user's choice of ports after trying others.
    void setPortSettings (const juce::StringArray& entries) { portSettings = entries; }

    //==============================================================================
    // Listeners: added once, notified last-added first, never under the lock.
    void addListener (MidiCntrStateListener* listener);
    void removeListener (MidiCntrStateListener* listener);
    void addStateListener (stateListener* listener);
    void removeStateListener (stateListener* listener);

    int getNumListeners() const noexcept { return hubListeners.size(); }
    int getNumStateListeners() const noexcept { return stateListeners.size(); }

    void postEvent (int type, int channel, int position, int value);
    void postStateCommand (int value);
    juce::Array<juce::int64> takeEvents();

    void queueControllerChange (int position, int value);
    juce::Array<int> takeControllerChanges();

    // Whether the edit buffer was replaced as a whole since the last call:
    // the processor tells the host from the message thread. The signal is
    // posted each time the answer turns from no to yes, on whatever thread.
    bool takeEditBufferReplaced() noexcept { return editBufferReplaced.exchange (false); }
    WakeSignal& getEditBufferReplacedSignal() noexcept { return editBufferReplacedSignal; }

    //==============================================================================
    // The one guarded look-up of a hardware bank: nullptr for any number but 0-2.
    Bank_Program* getBank (int bankIndex) const noexcept;
    Bank_Program* getHostBank() const noexcept { return hostBank; }
    void setHostBank (Bank_Program* bank) noexcept { hostBank = bank; }

    int getCurrentHostProgram() const noexcept { return currentHostProgram; }
    void setCurrentHostProgram (int index) noexcept { currentHostProgram = index; }
    int getCurrentHardwareBank() const noexcept { return currentHardwareBank; }
    int getCurrentHardwareProgram() const noexcept { return currentHardwareProgram; }

    // A copy of a slot, or of a whole hardware bank, taken under the image
    // lock; nothing for a bank or slot that we do not have.
    std::optional<ProgramImage::Block> getProgramImage (int bank, int program) const;
    std::unique_ptr<Bank_Program> copyBank (int bank) const;
    // Changes a hardware bank as a whole: a copy is changed outside the image
    // lock and put back under it, then event 39.
    void changeBank (int bank, const std::function<void (Bank_Program&)>& change);
    // One byte of one slot, posting nothing: the bank page's category chooser.
    void setSlotByte (int bank, int program, int position, int value);

    void selectProgram (int bank, int program, bool sendToSynth, bool notifyHost);
    void storeProgram (bool toBank, int bank, int program, const ProgramImage::Block& image);
    void recallHostProgram();

    // One byte of the edit buffer: writes above 255 do nothing, reads outside give 0.
    int getEditBufferByte (int position) const;
    void setEditBufferByte (int position, int value);
    ProgramImage::Block getEditBufferImage() const;

    // Whole program images in the banks and the edit buffer change under this
    // lock, and readers that need a whole image take it, so no one sees an
    // image half written by another thread. Held only for a copy.
    juce::SpinLock& getImageLock() noexcept { return imageLock; }

    int getGlobalValue (int index) const noexcept;
    void setGlobalValue (int index, int value);

    //==============================================================================
    // Sends to the synthesizer, from any thread; dropped while the output is closed.
    void sendNrpn (int number, int value, double delayMs, double rate);
    void sendNrpnNow (int number, int value);
    void resetNrpnCache();
    void sendNoteOn (int channel, int note, int velocity);
    void sendNoteOff (int channel, int note);
    void sendPitchBend (int channel, int value);
    void sendModWheel (int channel, int value);
    void sendControllerParameter (int index, int value);

    // The host's way of changing one program byte without a gesture (VST2 build).
    void setProgramParameter (int position, int value);

    static constexpr int kNumMidiDelays = 7;
    void setMidiDelays (int mode, const juce::Array<int>& table);
    void loadMidiDelays();
    int getMidiDelayInForce() const noexcept;
    int getDelayMode() const noexcept { return delayMode; }
    int getMidiDelay (int entry) const noexcept { return entry >= 0 && entry < kNumMidiDelays ? midiDelayTable[(size_t) entry] : 0; }
    int getSampleRateIndex() const noexcept { return sampleRateIndex; }
    static int sampleRateIndexFor (int rate) noexcept;

    //==============================================================================
    void updateSampleRate (int newSampleRate);
    double getSampleRate() const noexcept { return sampleRate.load(); }
    void setBlockSize (int samples) noexcept { blockSize = samples; }
    int getBlockSize() const noexcept { return blockSize; }

    void clearDeviceInputBuffer();

    // Audio thread: passes the host's MIDI to the synthesizer, lets the model
    // react to it, and hands the host the hardware notes gathered since the
    // previous block in its place. Takes no lock.
    void processHostMidi (juce::MidiBuffer& midi, int numSamples, int rate);
    // Raw bytes: a host's SysEx must not cost the audio thread an allocation.
    static bool shouldThruHostMessage (const juce::uint8* data, int size) noexcept;
    void handleHostMessage (const juce::uint8* data, int size);

    // A hardware note for the host, stamped with the millisecond counter.
    void addToDeviceInputBuffer (const juce::MidiMessage& message, juce::uint32 stamp);

    // The display's activity lights: every message sent through the ports
    // marks MIDI-out, every message from the input MIDI-in.
    bool takeMidiOutActivity() noexcept { return midiOutActivity.take(); }
    bool takeMidiInActivity() noexcept { return midiInActivity.take(); }

    float getEditorScale() const noexcept { return editorScale; }
    void setEditorScale (float scale) noexcept { editorScale = scale; }

    // The bank page's "Use Loaded Data": a chosen slot is loaded without
    // asking the synthesizer to select it.
    bool isUseLoadedData() const noexcept { return useLoadedData; }
    void setUseLoadedData (bool on) noexcept { useLoadedData = on; }

    // The on-screen keyboard's octave and note velocity: kept here so that
    // they outlive the editor.
    static constexpr int kStartKeyboardOctave = 2, kStartKeyboardVelocity = 100;
    int getKeyboardOctave() const noexcept { return keyboardOctave; }
    void setKeyboardOctave (int octave) noexcept { keyboardOctave = octave; }
    int getKeyboardVelocity() const noexcept { return keyboardVelocity; }
    void setKeyboardVelocity (int velocity) noexcept { keyboardVelocity = velocity; }

    //==============================================================================
    // Settings list: read at start-up, written whole at every save.
    void loadOrSaveSettings (int mode);
    void setDefaultSettings();
    juce::StringArray& getSettings() noexcept { return settingsList; }
    bool isHelpPageRequested() const noexcept { return helpPageRequested; }
    int getMidiChannel() const noexcept { return midiChannel; }
    void setMidiChannel (int channel) noexcept;

    // Switched on the MIDI setup page (message thread), read on the audio thread.
    void setClockOn (bool on) noexcept { clockSwitch = on; }
    void setHostToSynthThru (bool on) noexcept { hostToSynthThru = on; }
    void setSynthToHostThru (bool on) noexcept { synthToHostThru = on; }
    bool isClockOn() const noexcept { return clockSwitch; }
    bool isHostToSynthThruOn() const noexcept { return hostToSynthThru; }
    bool isSynthToHostThruOn() const noexcept { return synthToHostThru; }

    // Bank-data file: banks A, B and C between sessions.
    juce::MemoryBlock loadBankDataFile() const;
    bool saveBankDataFile() const;

    const ParameterTables& getParameterTables() const noexcept { return parameterTables; }
    int nrpnToParam (int nrpn) const noexcept { return parameterTables.nrpnToParam (nrpn); }
    static int globalNrpnToSlot (int nrpn) noexcept { return ParameterTables::globalNrpnToSlot (nrpn); }
    const ParDes& getParDes() const noexcept { return parDes; }
    const KwsResor& getKeyImages() const noexcept { return keyImages; }

    //==============================================================================
    // Ports: message thread only.
    MIDI_PORTS_Control& getPorts() noexcept { return *ports; }
    void openDevice (bool input, int index);
    int findInputDevice (const juce::String& name);
    int findOutputDevice (const juce::String& name);
    void selectInputDevice (int position);
    void selectOutputDevice (int position);
    void openPortsFromSettings();

    static constexpr int kLoadPorts = 0;
    static constexpr int kSavePorts = 1;
    void loadOrSavePortSettings (int mode);
    void readPortSettings();
    void writePortSettings();
    const juce::StringArray& getPortSettings() const noexcept { return portSettings; }

private:
    void initialise();
    void fillHardwareBanks();
    void sendNrpnSequence (int number, int value, NrpnOutputCache::Form form, double due);
    // The four controllers of an incoming NRPN; false for any other.
    bool takeNrpnController (int controller, int value);
    void completeNrpn();
    void handleIncomingMidiMessageVst2 (const juce::MidiMessage& message);
    void forwardToHost (const juce::uint8* data, int size);
    void assembleSysEx (const juce::uint8* data, int size);
    void loadEditBufferFromDump (const ProgramImage::Block& image);
    void applyTransferStep (const BankTransfer::Step& step, int bank, int program);
    void startTransmit (int operation, int startBank);

    // Saves the connection scan's result on the message thread, never on the
    // MIDI input thread that learns of it.
    struct ScanResultSaver : juce::AsyncUpdater
    {
        explicit ScanResultSaver (MidiCntrState& h) : hub (h) {}
        void handleAsyncUpdate() override;
        MidiCntrState& hub;
    };
    void selectDevice (bool input, int position);

    // Any thread appends; the message thread drains (events: the editor;
    // controller changes: the processor).
    CodeQueue<juce::int64, kEventQueueCapacity> eventQueue;
    std::atomic<bool> editBufferReplaced { false }; // any thread sets, the message thread takes
    WakeSignal editBufferReplacedSignal; // any thread posts; the processor's host-view thread waits
    CodeQueue<int, kControllerQueueCapacity> controllerQueue;

    ListenerSlots<MidiCntrStateListener> hubListeners;
    ListenerSlots<stateListener> stateListeners;

    // Written by the MIDI input thread and the global panel, read by the
    // panel and the help page: single bytes, relaxed, as a row that paints a
    // value being replaced only shows it one repaint later.
    std::array<std::atomic<juce::uint8>, kNumGlobalValues> globalValues {};
    void storeGlobal (int index, int value) noexcept { globalValues[(size_t) index].store ((juce::uint8) value, std::memory_order_relaxed); }

    std::unique_ptr<MIDI_PORTS_Control> ports;   // message thread
    juce::StringArray portSettings;              // message thread

    // Message or host thread only: the connection scan's result, learnt on the
    // MIDI input thread, is written through scanResultSaver.
    juce::StringArray settingsList;
    bool helpPageRequested = false;
    std::atomic<int> midiChannel { 1 }; // message thread writes; every thread that sends reads
    std::atomic<bool> clockSwitch { false }, hostToSynthThru { false }, synthToHostThru { false };

    ParameterTables parameterTables;
    ParDes parDes;
    KwsResor keyImages;

    // Any thread; guarded by nrpnLock together with the sending of a sequence.
    juce::SpinLock nrpnLock;
    NrpnOutputCache nrpnCache;

    // Host or message thread; read on the audio thread.
    std::array<int, kNumMidiDelays> midiDelayTable {};
    int delayMode = 0;
    std::atomic<int> sampleRateIndex { 0 };

    // Written by the processor (host or audio thread); read on any thread.
    std::atomic<double> sampleRate { 44100.0 };
    // Audio thread, and prepareToPlay before the blocks start.
    int blockSize = 0;
    // The host's program calls (host or message thread) and the editor; -1
    // until a program is chosen.
    std::atomic<int> currentHostProgram { -1 };
    // The bank and program last selected on or received from the synthesizer;
    // any thread. The bank may name none of A-C after a hardware bank select.
    std::atomic<int> currentHardwareBank { 0 }, currentHardwareProgram { 0 };
    float editorScale = 1.0f; // message thread: MainComp writes, the pages read
    bool useLoadedData = false; // message thread
    int keyboardOctave = kStartKeyboardOctave, keyboardVelocity = kStartKeyboardVelocity; // message thread

    std::unique_ptr<Bank_Program> bankA, bankB, bankC;
    std::array<Bank_Program*, kNumHardwareBanks> bankList {};
    Bank_Program* hostBank = nullptr; // the processor's, not ours

    juce::CriticalSection lock; // guards changes to the listener lists
    juce::SpinLock imageLock;

    // Hardware notes for the host: MIDI input thread to audio thread.
    DeviceInputFifo deviceInputBuffer;
    std::array<DeviceInputFifo::Note, DeviceInputFifo::kCapacity> takenNotes {}; // audio thread
    ActivityMark midiOutActivity, midiInActivity; // any thread marks, the message thread takes
    std::atomic<bool> vst2Form { false };

    // MIDI input thread only.
    SysExAssembler sysEx;
    juce::uint8 nrpnValueMsb = 0, nrpnValueLsb = 0;
    // MIDI input thread; the editor resets them when it opens.
    std::atomic<juce::uint8> nrpnNumberMsb { 255 }, nrpnNumberLsb { 255 };

    // Written by the editor (message thread) and the MIDI input thread.
    BankTransfer transfer;
    BankTransmitter transmitter; // started and stopped on the message thread
    std::atomic<bool> synthesizerFound { false }, helpPageShown { false };
    // Both positions in one word, so that a pair is never read half old.
    static int packPair (ScanPair p) noexcept { return ((p.input + 1) << 16) | ((p.output + 1) & 0xffff); }
    static ScanPair unpackPair (int packed) noexcept { return { (packed >> 16) - 1, (packed & 0xffff) - 1 }; }
    std::atomic<int> probedPair { packPair ({}) }, answeredPair { packPair ({}) };
    ScanResultSaver scanResultSaver { *this };
    bool editorOpen = false, firstOpenDone = false; // message thread

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiCntrState)
};
