#pragma once

#include "core/model/Bank_Program.h"
#include "core/model/ParDes.h"
#include "core/model/ParamTables.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <juce_events/juce_events.h>

#include <memory>

class MidiCntrState;

// Told of every interface event the hub posts; drains the queue later on the
// message thread.
class MidiCntrStateListener
{
public:
    virtual ~MidiCntrStateListener() = default;
    virtual void midiCntrStateChanged (MidiCntrState* hub) = 0;
};

// Interface event types carried in bits 44-59 of a UiEventCode.
enum UiEventType : int
{
    kUiNoteOn = 16,
    kUiNoteOff = 17,
    kUiController = 18,
    kUiProgramByteChanged = 23,
    kUiGlobalReceived = 24,
    kUiBankTransferFinished = 25,
    kUiHostProgramSelected = 32,
    kUiEditBufferReplaced = 33,
    kUiSynthOnLine = 34,
    kUiSynthOffLine = 35,
    kUiTransferProgress = 37,
    kUiBankContentsChanged = 39,
    kUiKeyCommand = 40,
    kUiPitchBend = 153
};

// type x 2^44 + channel x 2^28 + position x 2^16 + value
namespace UiEventCode
{
constexpr juce::int64 make (int type, int channel, int position, int value) noexcept
{
    return ((juce::int64) (type & 0xFFFF) << 44) | ((juce::int64) (channel & 0xFFFF) << 28)
         | ((juce::int64) (position & 0xFFF) << 16) | (juce::int64) (value & 0xFFFF);
}
constexpr int type (juce::int64 code) noexcept { return (int) ((code >> 44) & 0xFFFF); }
constexpr int channel (juce::int64 code) noexcept { return (int) ((code >> 28) & 0xFFFF); }
constexpr int position (juce::int64 code) noexcept { return (int) ((code >> 16) & 0xFFF); }
constexpr int value (juce::int64 code) noexcept { return (int) (code & 0xFFFF); }
} // namespace UiEventCode

// The plug-in's model and MIDI hub: the synthesizer's three banks, the host
// bank's edit buffer and the interface event queue.
class MidiCntrState : public juce::MidiInputCallback,
                      public juce::ChangeBroadcaster
{
public:
    static constexpr int kNumHardwareBanks = 3;
    static constexpr int kLoadSettings = 0;
    static constexpr int kSaveSettings = 1;

    MidiCntrState();
    ~MidiCntrState() override;

    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage&) override {}
    void handlePartialSysexMessage (juce::MidiInput*, const juce::uint8*, int, double) override {}

    // Listeners: added once, notified last-added first, without the lock.
    void addListener (MidiCntrStateListener* listener);
    void removeListener (MidiCntrStateListener* listener);

    void postEvent (int type, int channel, int position, int value);
    juce::Array<juce::int64> takeEvents();

    Bank_Program* getBank (int bankIndex) const;
    Bank_Program* getHostBank() const noexcept { return hostBank; }
    void setHostBank (Bank_Program* bank) noexcept { hostBank = bank; }

    int getCurrentHostProgram() const noexcept { return currentHostProgram; }
    void setCurrentHostProgram (int index) noexcept { currentHostProgram = index; }

    // The host-bank slot of the current host program becomes the edit buffer.
    void recallHostProgram();

    void updateSampleRate (int newSampleRate);
    double getSampleRate() const noexcept { return sampleRate; }
    void setBlockSize (int samples) noexcept { blockSize = samples; }
    int getBlockSize() const noexcept { return blockSize; }

    void clearDeviceInputBuffer();

    // Hands the host the hardware input gathered since the previous block in
    // place of the host's own MIDI.
    void processHostMidi (juce::MidiBuffer& midi, int numSamples);

    float getEditorScale() const noexcept { return editorScale; }
    void setEditorScale (float scale) noexcept { editorScale = scale; }

    juce::CriticalSection& getLock() noexcept { return lock; }

    // Settings list: read at start-up, written whole at every save.
    void loadOrSaveSettings (int mode);
    void setDefaultSettings();
    juce::StringArray& getSettings() noexcept { return settingsList; }
    bool isHelpPageRequested() const noexcept { return helpPageRequested; }
    int getMidiChannel() const noexcept { return midiChannel; }

    // Bank-data file: banks A, B and C between sessions.
    juce::MemoryBlock loadBankDataFile() const;
    bool saveBankDataFile() const;

    const ParameterTables& getParameterTables() const noexcept { return parameterTables; }
    int nrpnToParam (int nrpn) const noexcept { return parameterTables.nrpnToParam (nrpn); }
    static int globalNrpnToSlot (int nrpn) noexcept { return ParameterTables::globalNrpnToSlot (nrpn); }
    const ParDes& getParDes() const noexcept { return parDes; }

private:
    void initialise();
    void fillHardwareBanks();

    // Message, MIDI-input and audio threads append; the editor drains on the
    // message thread. Guarded by lock.
    juce::Array<juce::int64> eventQueue;

    // Changed under lock, walked without it on the posting thread.
    juce::Array<MidiCntrStateListener*> hubListeners;

    // Message or host thread; written on the MIDI input thread only for the
    // connection scan's slots (a whole-list copy is never taken there).
    juce::StringArray settingsList;
    bool helpPageRequested = false;
    int midiChannel = 1;
    ParameterTables parameterTables;
    ParDes parDes;

    double sampleRate = 44100.0;
    int blockSize = 0;
    int currentHostProgram = -1;
    float editorScale = 1.0f;

    std::unique_ptr<Bank_Program> bankA, bankB, bankC;
    juce::Array<Bank_Program*> bankList;
    Bank_Program* hostBank = nullptr; // the processor's, not ours

    juce::CriticalSection lock;

    // Hardware input for the host, filled on the MIDI input thread; guarded by lock.
    juce::MidiBuffer deviceInputBuffer;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiCntrState)
};
