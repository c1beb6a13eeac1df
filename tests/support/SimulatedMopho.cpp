#include "support/SimulatedMopho.h"

#include "core/midi/MidiCntrState.h"
#include "support/ProgramDumps.h"

#include <cmath>

using namespace ProgramImage;

namespace
{
constexpr juce::uint8 kFirstRealTime = 0xF8;
constexpr juce::uint8 kCorruptionMask = 0x01; // keeps the byte a data byte

size_t slotIndex (int bank, int program)
{
    return (size_t) (bank * SimulatedMopho::kNumPrograms + program);
}

bool isSlot (int bank, int program)
{
    return bank >= 0 && bank < SimulatedMopho::kNumBanks && program >= 0 && program < SimulatedMopho::kNumPrograms;
}

// Values within each parameter's range, so that the editor could show them;
// a readable name and a valid category, so that a test's failure message can
// say which program arrived.
Block makeProgram (juce::Random& random, const ParameterTables& tables, int bank, int program)
{
    Block image {};
    for (int position = 0; position < kSize; ++position)
    {
        const int limit = position < ParamTables::kNumHostPositions ? tables.getMax (position) + 1 : 256;
        image[(size_t) position] = (juce::uint8) random.nextInt (limit);
    }

    image[(size_t) kCategoryOffset] = (juce::uint8) ((bank * SimulatedMopho::kNumPrograms + program) % kNumCategories);

    const auto name = "Sim " + juce::String::charToString ((juce::juce_wchar) ('A' + bank))
                    + juce::String (program + 1).paddedLeft ('0', 3);
    const auto codes = encodeName (name);
    std::copy (codes.begin(), codes.end(), image.begin() + kNameOffset);
    return image;
}
} // namespace

//==============================================================================
SimulatedMopho::SimulatedMopho (VirtualMidiOutput& output, VirtualMidiInput& input, juce::uint32 seed)
    : fromPlugin (output), toPlugin (input)
{
    tables.buildParameterTables();

    juce::Random random ((juce::int64) seed);
    banks.reserve ((size_t) (kNumBanks * kNumPrograms));
    for (int bank = 0; bank < kNumBanks; ++bank)
        for (int program = 0; program < kNumPrograms; ++program)
            banks.push_back (makeProgram (random, tables, bank, program));

    editBuffer = banks[slotIndex (0, 0)];

    globals.resize ((size_t) MidiCntrState::kNumGlobalValues);
    for (auto& value : globals)
        value = (juce::uint8) random.nextInt (256);
    globalDumpCount = (int) globals.size();

    controllerValues.fill (-1);

    worker = std::make_unique<WorkerThread> ("simulated Mopho", [this] { return sendDue(); }, 100);
    fromPlugin.setReceiver ([this] (const juce::MidiMessage& message) { receive (message); });
}

SimulatedMopho::~SimulatedMopho()
{
    fromPlugin.setReceiver (nullptr);
    worker.reset();
}

//==============================================================================
Block SimulatedMopho::getProgram (int bank, int program) const
{
    jassert (isSlot (bank, program));
    const juce::ScopedLock sl (lock);
    return banks[slotIndex (bank, program)];
}

void SimulatedMopho::setProgram (int bank, int program, const Block& image)
{
    jassert (isSlot (bank, program));
    const juce::ScopedLock sl (lock);
    banks[slotIndex (bank, program)] = image;
}

Block SimulatedMopho::getEditBuffer() const
{
    const juce::ScopedLock sl (lock);
    return editBuffer;
}

void SimulatedMopho::setEditBuffer (const Block& image)
{
    const juce::ScopedLock sl (lock);
    editBuffer = image;
}

int SimulatedMopho::getGlobal (int slot) const
{
    const juce::ScopedLock sl (lock);
    return juce::isPositiveAndBelow (slot, (int) globals.size()) ? globals[(size_t) slot] : -1;
}

void SimulatedMopho::setGlobal (int slot, int value)
{
    const juce::ScopedLock sl (lock);
    if (juce::isPositiveAndBelow (slot, (int) globals.size()))
        globals[(size_t) slot] = (juce::uint8) value;
}

int SimulatedMopho::getCurrentBank() const
{
    const juce::ScopedLock sl (lock);
    return currentBank;
}

int SimulatedMopho::getCurrentProgram() const
{
    const juce::ScopedLock sl (lock);
    return currentProgram;
}

int SimulatedMopho::getControllerValue (int controller) const
{
    const juce::ScopedLock sl (lock);
    return juce::isPositiveAndBelow (controller, (int) controllerValues.size()) ? controllerValues[(size_t) controller] : -1;
}

void SimulatedMopho::setChannel (int newChannel)
{
    jassert (newChannel >= 1 && newChannel <= 16);
    const juce::ScopedLock sl (lock);
    channel = newChannel;
}

void SimulatedMopho::setGlobalDumpCount (int count)
{
    const juce::ScopedLock sl (lock);
    globalDumpCount = juce::jmax (0, count);
}

void SimulatedMopho::setAnswerSpeed (AnswerSpeed speed)
{
    const juce::ScopedLock sl (lock);
    answerSpeed = speed;
}

void SimulatedMopho::setMuted (bool shouldBeMuted)
{
    const juce::ScopedLock sl (lock);
    muted = shouldBeMuted;
}

void SimulatedMopho::setDumpShape (int dumpNumber, DumpShape shape)
{
    const juce::ScopedLock sl (lock);
    dumpShapes[dumpNumber] = std::move (shape);
}

void SimulatedMopho::setDefaultDumpShape (DumpShape shape)
{
    const juce::ScopedLock sl (lock);
    defaultDumpShape = std::move (shape);
}

//==============================================================================
void SimulatedMopho::panelSendsEditBufferDump()
{
    const juce::ScopedLock sl (lock);
    queueDump (buildEditBufferDump(), kEditBufferPayloadOffset);
}

void SimulatedMopho::panelSendsProgramDump (int bank, int program)
{
    jassert (isSlot (bank, program));
    const juce::ScopedLock sl (lock);
    if (isSlot (bank, program))
        queueDump (buildProgramDump (bank, program), kProgramDumpPayloadOffset);
}

void SimulatedMopho::panelSendsGlobalDump()
{
    const juce::ScopedLock sl (lock);
    queueDump (buildGlobalDump(), kGlobalDumpHeaderSize);
}

void SimulatedMopho::panelSendsNrpn (int number, int value)
{
    const juce::ScopedLock sl (lock);
    applyNrpn (number, value);
    queueMessages ({ juce::MidiMessage::controllerEvent (channel, kNrpnNumberMsbController, (number >> 7) & 0x7F),
                     juce::MidiMessage::controllerEvent (channel, kNrpnNumberLsbController, number & 0x7F),
                     juce::MidiMessage::controllerEvent (channel, kDataEntryMsbController, (value >> 7) & 0x7F),
                     juce::MidiMessage::controllerEvent (channel, kDataEntryLsbController, value & 0x7F) },
                   false);
}

void SimulatedMopho::panelSends (const juce::MidiMessage& message)
{
    const juce::ScopedLock sl (lock);
    queueMessages ({ message }, false);
}

//==============================================================================
std::vector<juce::MidiMessage> SimulatedMopho::getReceived() const
{
    const juce::ScopedLock sl (lock);
    return received;
}

void SimulatedMopho::clearReceived()
{
    const juce::ScopedLock sl (lock);
    received.clear();
}

bool SimulatedMopho::waitForReceived (size_t count, int timeoutMs) const
{
    return waitUntil ([this, count] {
        const juce::ScopedLock sl (lock);
        return received.size() >= count;
    }, timeoutMs);
}

int SimulatedMopho::getRequestCount (Request kind) const
{
    const juce::ScopedLock sl (lock);
    return requestCounts[(size_t) kind];
}

int SimulatedMopho::getDumpsSent() const
{
    const juce::ScopedLock sl (lock);
    return dumpsSent;
}

bool SimulatedMopho::waitForDumpsSent (int count, int timeoutMs) const
{
    return waitUntil ([this, count] { return getDumpsSent() >= count; }, timeoutMs);
}

//==============================================================================
void SimulatedMopho::receive (const juce::MidiMessage& message)
{
    const juce::ScopedLock sl (lock);
    received.push_back (message);

    const auto* data = message.getRawData();
    const auto size = message.getRawDataSize();
    if (size <= 0)
        return;

    // A SysEx may arrive in pieces, the later ones starting with a data byte,
    // with real-time bytes between them; any other status byte ends it.
    const auto first = data[0];
    if (first < 0x80 || first == kSysExStart || first == kSysExEnd || first >= kFirstRealTime)
    {
        handleSysExBytes (data, size);
        return;
    }

    assemblingSysEx = false;
    sysexBuffer.clear();

    if (first < kSysExStart && size >= juce::MidiMessage::getMessageLengthFromFirstByte (first))
        handleChannelMessage (message);
}

void SimulatedMopho::handleSysExBytes (const juce::uint8* data, int size)
{
    for (int i = 0; i < size; ++i)
    {
        const auto byte = data[i];

        if (byte >= kFirstRealTime)
            continue;

        if (byte == kSysExStart)
        {
            sysexBuffer.assign (1, byte);
            assemblingSysEx = true;
            continue;
        }

        if (! assemblingSysEx)
            continue;

        if (byte < 0x80)
        {
            sysexBuffer.push_back (byte);
            continue;
        }

        assemblingSysEx = false;
        if (byte == kSysExEnd)
        {
            sysexBuffer.push_back (byte);
            handleSysEx (sysexBuffer);
        }
        sysexBuffer.clear();
    }
}

void SimulatedMopho::handleSysEx (const Bytes& message)
{
    const auto size = (int) message.size();
    if (size < kShortRequestSize || message[1] != kManufacturerId || message[2] != kDeviceId)
        return;

    const auto command = message[3];

    if (command == kEditBufferRequestCommand && size == kShortRequestSize)
    {
        ++requestCounts[(size_t) Request::editBuffer];
        if (! muted)
            queueDump (buildEditBufferDump(), kEditBufferPayloadOffset);
    }
    else if (command == kProgramDumpRequestCommand && size == kProgramDumpRequestSize)
    {
        ++requestCounts[(size_t) Request::programDump];
        const int bank = message[kProgramDumpBankOffset];
        const int program = message[kProgramDumpProgramOffset];
        if (! muted && isSlot (bank, program))
            queueDump (buildProgramDump (bank, program), kProgramDumpPayloadOffset);
    }
    else if (command == kGlobalParameterRequestCommand && size == kShortRequestSize)
    {
        ++requestCounts[(size_t) Request::globalParameters];
        if (! muted)
            queueDump (buildGlobalDump(), kGlobalDumpHeaderSize);
    }
    else if (command == kEditBufferDumpCommand && size == kEditBufferDumpSize)
    {
        editBuffer = unpack (message.data() + kEditBufferPayloadOffset);
    }
    else if (command == kProgramDumpCommand && size == kProgramDumpSize)
    {
        const int bank = message[kProgramDumpBankOffset];
        const int program = message[kProgramDumpProgramOffset];
        if (isSlot (bank, program))
            banks[slotIndex (bank, program)] = unpack (message.data() + kProgramDumpPayloadOffset);
    }
}

void SimulatedMopho::handleChannelMessage (const juce::MidiMessage& message)
{
    if (message.getChannel() != channel)
        return;

    if (message.isController())
    {
        const auto controller = message.getControllerNumber();
        const auto value = message.getControllerValue();
        controllerValues[(size_t) controller] = value;

        // The number and the value MSB stay after a completed NRPN: a sender
        // may change only the value LSB, or the value, of the last number.
        if (controller == kBankSelectController)
            currentBank = value;
        else if (controller == kNrpnNumberMsbController)
            nrpnNumberMsb = value;
        else if (controller == kNrpnNumberLsbController)
            nrpnNumberLsb = value;
        else if (controller == kDataEntryMsbController)
            nrpnValueMsb = value;
        else if (controller == kDataEntryLsbController && nrpnNumberMsb >= 0 && nrpnNumberLsb >= 0)
            applyNrpn (nrpnNumberMsb * 128 + nrpnNumberLsb, nrpnValueMsb * 128 + value);
    }
    else if (message.isProgramChange())
    {
        currentProgram = message.getProgramChangeNumber();
        // A bank select above C names no bank: the program change then loads nothing.
        if (isSlot (currentBank, currentProgram))
            editBuffer = banks[slotIndex (currentBank, currentProgram)];
    }
}

void SimulatedMopho::applyNrpn (int number, int value)
{
    if (juce::isPositiveAndBelow (number, ParamTables::kNumHostPositions))
    {
        editBuffer[(size_t) tables.nrpnToParam (number)] = (juce::uint8) value;
        return;
    }

    const auto slot = ParameterTables::globalNrpnToSlot (number);
    if (juce::isPositiveAndBelow (slot, (int) globals.size()))
        globals[(size_t) slot] = (juce::uint8) value;
}

//==============================================================================
SimulatedMopho::Bytes SimulatedMopho::buildEditBufferDump() const
{
    const auto dump = ProgramImage::buildEditBufferDump (editBuffer);
    return { dump.begin(), dump.end() };
}

SimulatedMopho::Bytes SimulatedMopho::buildProgramDump (int bank, int program) const
{
    return ::buildProgramDump (bank, program, banks[slotIndex (bank, program)]);
}

SimulatedMopho::Bytes SimulatedMopho::buildGlobalDump() const
{
    Bytes dump { kSysExStart, kManufacturerId, kDeviceId, kGlobalParameterDumpCommand };
    for (int i = 0; i < globalDumpCount; ++i)
    {
        const int value = i < (int) globals.size() ? globals[(size_t) i] : 0;
        dump.push_back ((juce::uint8) (value & 0x0F));
        dump.push_back ((juce::uint8) (value >> 4));
    }
    dump.push_back (kSysExEnd);
    return dump;
}

void SimulatedMopho::queueDump (Bytes dump, int payloadOffset)
{
    const int number = ++dumpsMade;
    const auto found = dumpShapes.find (number);
    const auto& shape = found != dumpShapes.end() ? found->second : defaultDumpShape;

    if (shape.drop)
    {
        queueMessages ({}, true);
        return;
    }

    if (shape.corruptPayloadByte >= 0)
        if (const auto index = (size_t) (payloadOffset + shape.corruptPayloadByte); index + 1 < dump.size())
            dump[index] ^= kCorruptionMask;

    if (shape.removeEnd && ! dump.empty() && dump.back() == kSysExEnd)
        dump.pop_back();

    if (shape.truncateTo >= 0 && (size_t) shape.truncateTo < dump.size())
        dump.resize ((size_t) shape.truncateTo);

    std::vector<Bytes> pieces;
    size_t start = 0;
    for (const auto pieceSize : shape.pieceSizes)
    {
        const auto count = juce::jmin ((size_t) juce::jmax (0, pieceSize), dump.size() - start);
        if (count > 0)
            pieces.emplace_back (dump.begin() + (std::ptrdiff_t) start, dump.begin() + (std::ptrdiff_t) (start + count));
        start += count;
    }
    if (start < dump.size())
        pieces.emplace_back (dump.begin() + (std::ptrdiff_t) start, dump.end());

    std::vector<juce::MidiMessage> messages;
    const auto last = (int) pieces.size() - 1;
    for (int i = 0; i <= last; ++i)
    {
        // Kept byte for byte: a continuation piece starts with a data byte.
        messages.emplace_back (pieces[(size_t) i].data(), (int) pieces[(size_t) i].size());

        for (const auto& insertion : shape.insertions)
            if (insertion.afterPiece == i || (i == last && ! juce::isPositiveAndBelow (insertion.afterPiece, last)))
                messages.push_back (insertion.message);
    }

    queueMessages (std::move (messages), true);
}

void SimulatedMopho::queueMessages (std::vector<juce::MidiMessage> messages, bool endsDump)
{
    // One cable: a message leaves once its last byte has crossed it, behind
    // everything queued before.
    auto at = juce::jmax (juce::Time::getMillisecondCounterHiRes(), cableFreeAtMs);

    for (auto& message : messages)
    {
        if (answerSpeed == AnswerSpeed::cable)
            at += message.getRawDataSize() * 1000.0 / kCableBytesPerSecond;
        outbox.push_back ({ at, std::move (message), false });
    }

    if (endsDump)
        outbox.push_back ({ at, std::nullopt, true });

    cableFreeAtMs = at;
    worker->wake();
}

double SimulatedMopho::sendDue()
{
    for (;;)
    {
        Outgoing next;
        {
            const juce::ScopedLock sl (lock);
            if (outbox.empty())
                return -1.0;

            const auto now = juce::Time::getMillisecondCounterHiRes();
            if (outbox.front().dueMs > now)
                return outbox.front().dueMs - now;

            next = std::move (outbox.front());
            outbox.pop_front();
        }

        if (next.message.has_value())
            toPlugin.send (*next.message);

        if (next.endsDump)
        {
            const juce::ScopedLock sl (lock);
            ++dumpsSent;
        }
    }
}
