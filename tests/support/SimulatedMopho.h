#pragma once

#include "core/midi/MophoSysEx.h"
#include "core/model/ParamTables.h"
#include "core/model/ProgramImage.h"
#include "support/VirtualMidi.h"

#include <array>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <vector>

// The synthesizer at the far end of a pair of virtual ports, for end-to-end
// tests, tools and benchmarks. It keeps three banks, an edit buffer and the
// global parameters; follows bank select, program change and NRPN on its
// channel; takes program dumps; answers the three dump requests; and can be
// told to answer at cable speed, damaged, in pieces, or not at all.
class SimulatedMopho
{
public:
    // Byte 3 of the requests it answers and of its global dump (program and
    // edit-buffer dumps: ProgramImage).
    static constexpr juce::uint8 kProgramDumpRequestCommand = MophoSysEx::kProgramDumpRequest;
    static constexpr juce::uint8 kEditBufferRequestCommand = MophoSysEx::kEditBufferRequest;
    static constexpr juce::uint8 kGlobalParameterRequestCommand = MophoSysEx::kGlobalParameterRequest;
    static constexpr juce::uint8 kGlobalParameterDumpCommand = MophoSysEx::kGlobalParameterDump;
    static constexpr int kShortRequestSize = 5;
    static constexpr int kProgramDumpRequestSize = 7;
    static constexpr int kGlobalDumpHeaderSize = MophoSysEx::kGlobalDumpHeaderSize;

    static constexpr int kBankSelectController = MophoSysEx::kBankSelect;
    static constexpr int kNrpnNumberMsbController = MophoSysEx::kNrpnNumberMsb;
    static constexpr int kNrpnNumberLsbController = MophoSysEx::kNrpnNumberLsb;
    static constexpr int kDataEntryMsbController = MophoSysEx::kDataEntryMsb;
    static constexpr int kDataEntryLsbController = MophoSysEx::kDataEntryLsb; // completes an NRPN

    static constexpr int kNumBanks = 3;
    static constexpr int kNumPrograms = 128;
    static constexpr double kCableBytesPerSecond = 3125.0; // 31250 baud, 10 bits a byte

    enum class Request { editBuffer, programDump, globalParameters };
    enum class AnswerSpeed { immediate, cable };

    struct Insertion
    {
        int afterPiece;             // 0-based; a number naming no piece puts it after the last
        juce::MidiMessage message;
    };

    // How one dump leaves: by default whole, as one message. The steps apply
    // in field order: corrupt, remove the end, truncate, then cut into pieces.
    struct DumpShape
    {
        bool drop = false;
        int corruptPayloadByte = -1;        // index into the payload after the header; its bit 0 flips
        bool removeEnd = false;             // the closing F7 left off
        int truncateTo = -1;                // bytes kept from the start; -1 keeps them all
        std::vector<int> pieceSizes;        // bytes left over travel as one more piece
        std::vector<Insertion> insertions;
    };

    // Installs itself as the output's receiver; answers go into the input.
    // Banks and globals get distinct content made from the seed; the edit
    // buffer starts as bank 0 program 0.
    SimulatedMopho (VirtualMidiOutput& fromPlugin, VirtualMidiInput& toPlugin, juce::uint32 seed = 1);
    ~SimulatedMopho();

    // Everything below may be called from any thread.
    ProgramImage::Block getProgram (int bank, int program) const;
    void setProgram (int bank, int program, const ProgramImage::Block& image);
    ProgramImage::Block getEditBuffer() const;
    void setEditBuffer (const ProgramImage::Block& image);
    int getGlobal (int slot) const;
    void setGlobal (int slot, int value);
    int getCurrentBank() const;
    int getCurrentProgram() const;
    int getControllerValue (int controller) const; // last value on its channel, -1 before any

    // Channel messages on other channels are recorded and otherwise ignored.
    void setChannel (int channel); // 1-16, default 1
    // Pairs in a GlobalParameterDump; those past the stored globals carry 0.
    void setGlobalDumpCount (int count); // default: every stored global

    void setAnswerSpeed (AnswerSpeed speed);
    void setMuted (bool muted); // requests are recorded and counted, never answered
    // Dumps are numbered from 1 in the order they are made, answers and panel
    // dumps of every kind together.
    void setDumpShape (int dumpNumber, DumpShape shape);
    void setDefaultDumpShape (DumpShape shape); // for dumps without a shape of their own

    // As if done on the synthesizer's panel: sent through the input, behind
    // any answer still on the way.
    void panelSendsEditBufferDump();
    void panelSendsProgramDump (int bank, int program);
    void panelSendsGlobalDump();
    void panelSendsNrpn (int number, int value); // the value changes here first, as a knob would
    void panelSends (const juce::MidiMessage& message);

    // Every message from the plug-in, as it arrived. Once one is listed, its
    // effect on the state above has happened.
    std::vector<juce::MidiMessage> getReceived() const;
    void clearReceived();
    bool waitForReceived (size_t count, int timeoutMs = 5000) const;
    int getRequestCount (Request kind) const;

    // A dump counts once its last piece is handed to the input (a dropped one
    // at its turn); VirtualMidiInput::waitUntilDelivered then waits for the callback.
    int getDumpsSent() const;
    bool waitForDumpsSent (int count, int timeoutMs = 5000) const;

private:

    struct Outgoing
    {
        double dueMs = 0.0;
        std::optional<juce::MidiMessage> message; // none: only marks the end of a dump
        bool endsDump = false;
    };

    using Bytes = std::vector<juce::uint8>;

    void receive (const juce::MidiMessage& message);
    void handleSysExBytes (const juce::uint8* data, int size);
    void handleSysEx (const Bytes& message);
    void handleChannelMessage (const juce::MidiMessage& message);
    void applyNrpn (int number, int value);

    Bytes buildEditBufferDump() const;
    Bytes buildProgramDump (int bank, int program) const;
    Bytes buildGlobalDump() const;
    void queueDump (Bytes dump, int payloadOffset);
    void queueMessages (std::vector<juce::MidiMessage> messages, bool endsDump);
    double sendDue(); // worker: ms until the next message is due, negative when none

    VirtualMidiOutput& fromPlugin;
    VirtualMidiInput& toPlugin;
    ParameterTables tables; // built in the constructor, then only read

    // Everything below: lock. Written on the output's delivery thread
    // (received messages), the worker (sent dumps) and callers of the setters.
    mutable juce::CriticalSection lock;
    std::vector<ProgramImage::Block> banks; // kNumBanks x kNumPrograms
    ProgramImage::Block editBuffer {};
    std::vector<juce::uint8> globals;
    int globalDumpCount = 0;
    int channel = 1;
    int currentBank = 0;
    int currentProgram = 0;
    std::array<int, 128> controllerValues;
    int nrpnNumberMsb = -1, nrpnNumberLsb = -1, nrpnValueMsb = 0;
    Bytes sysexBuffer;
    bool assemblingSysEx = false;

    std::vector<juce::MidiMessage> received;
    std::array<int, 3> requestCounts {};
    AnswerSpeed answerSpeed = AnswerSpeed::immediate;
    bool muted = false;
    std::map<int, DumpShape> dumpShapes;
    DumpShape defaultDumpShape;
    int dumpsMade = 0;
    int dumpsSent = 0;
    std::deque<Outgoing> outbox; // due times never decrease
    double cableFreeAtMs = 0.0;

    std::unique_ptr<WorkerThread> worker; // last: stops before the state above goes
};
