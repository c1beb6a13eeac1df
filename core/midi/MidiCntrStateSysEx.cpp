#include "core/midi/MidiCntrState.h"

#include "core/midi/MophoSysEx.h"
#include "core/storage/SettingsFile.h"

using namespace MophoSysEx;

static_assert (BankTransfer::kNumBanks == MidiCntrState::kNumHardwareBanks
               && BankTransfer::kNumPrograms == Bank_Program::kNumPrograms);

void MidiCntrState::sendDumpRequest (int type, int bank, int program)
{
    using namespace ProgramImage;

    if (type == kRequestProgram)
    {
        const juce::uint8 request[] = { kSysExStart, kManufacturerId, kDeviceId, kProgramDumpRequest,
                                        (juce::uint8) (bank & 0x7F), (juce::uint8) (program & 0x7F), kSysExEnd };
        ports->sendSysEx (request, (int) sizeof (request));
    }
    else if (type == kRequestEditBuffer || type == kRequestGlobals)
    {
        const juce::uint8 request[] = { kSysExStart, kManufacturerId, kDeviceId,
                                        type == kRequestEditBuffer ? kEditBufferRequest : kGlobalParameterRequest, kSysExEnd };
        ports->sendSysEx (request, (int) sizeof (request));
    }
}

void MidiCntrState::requestGlobals()
{
    synthesizerFound = false;
    postEvent (kUiSynthOffLine, 0, 0, 0);
    sendDumpRequest (kRequestGlobals, 0, 0);
}

void MidiCntrState::handleSysEx (const juce::uint8* data, int size)
{
    if (size > 3 && data[1] == kUniversalNonRealTime && data[3] == kGeneralInformation)
        return; // a device-inquiry reply: nothing to do with it

    if (size < 3 || data[2] != ProgramImage::kDeviceId)
        return;

    const int command = size > 3 ? data[3] : 0;

    if (command == ProgramImage::kProgramDumpCommand || command == ProgramImage::kEditBufferDumpCommand)
        handleProgramDump (data, size);
    else if (command == kGlobalParameterDump)
        handleGlobalDump (data, size);
}

void MidiCntrState::loadEditBufferFromDump (const ProgramImage::Block& image)
{
    resetNrpnCache();
    {
        const juce::SpinLock::ScopedLockType sl (imageLock);
        if (hostBank != nullptr)
            hostBank->setEditBufferBlock (image);
    }
    postEvent (kUiEditBufferReplaced, 0, 0, 0);
}

void MidiCntrState::handleProgramDump (const juce::uint8* data, int size)
{
    using namespace ProgramImage;

    if (size == kEditBufferDumpSize)
    {
        loadEditBufferFromDump (unpack (data + kEditBufferPayloadOffset));
        return;
    }

    if (size != kProgramDumpSize)
        return;

    const int bankNumber = data[kProgramDumpBankOffset];
    const int program = data[kProgramDumpProgramOffset];
    auto* bank = getBank (bankNumber);

    // A dump for a bank the synthesizer does not have is not ours to store.
    if (bank == nullptr || program >= Bank_Program::kNumPrograms)
        return;

    const auto image = unpack (data + kProgramDumpPayloadOffset);

    {
        const juce::SpinLock::ScopedLockType sl (imageLock);
        bank->setProgramBlock (program, image);
    }

    const auto step = transfer.onProgramDump (bankNumber, program);
    if (step.kind != BankTransfer::Step::notFetching)
    {
        applyTransferStep (step, bankNumber, program);
        return;
    }

    currentHardwareBank = bankNumber;
    currentHardwareProgram = program;
    postEvent (kUiBankContentsChanged, 0, 0, 0);
    loadEditBufferFromDump (image);
}

void MidiCntrState::applyTransferStep (const BankTransfer::Step& step, int bank, int program)
{
    using Step = BankTransfer::Step;

    if (step.kind == Step::ignore)
    {
        postEvent (kUiBankContentsChanged, 0, 0, 0);
        return;
    }

    postEvent (kUiTransferProgress, 0, bank, program);

    if (step.kind == Step::requestNext)
    {
        sendDumpRequest (kRequestProgram, step.next.bank, step.next.program);
    }
    else
    {
        postEvent (kUiBankContentsChanged, 0, 0, 0);
        postEvent (kUiBankTransferFinished, 0, 0, 0);
    }
}

void MidiCntrState::startTransfer (int operation, int startBank)
{
    transmitter.stop();

    if (transfer.start (operation, startBank))
        sendDumpRequest (kRequestProgram, startBank, 0);
    else if (operation == kTransmitOneBank || operation == kTransmitAllBanks)
        startTransmit (operation, startBank);
}

void MidiCntrState::endTransfer()
{
    transmitter.stop();
    transfer.end();
}

void MidiCntrState::startTransmit (int operation, int startBank)
{
    // With the output closed nothing would leave: a progress bar running to
    // its end would tell of a transmission that never happened.
    if (getBank (startBank) == nullptr || ! ports->outputOpen)
        return;

    const int lastBank = operation == kTransmitAllBanks ? kNumHardwareBanks - 1 : startBank;
    std::vector<BankTransmitter::Dump> dumps;
    std::vector<ProgramImage::Block> images;

    // The banks as they are now; a dump arriving meanwhile changes what is
    // stored, not what is on its way.
    {
        const juce::SpinLock::ScopedLockType sl (imageLock);
        for (int bank = startBank; bank <= lastBank; ++bank)
            for (int program = 0; program < Bank_Program::kNumPrograms; ++program)
                images.push_back (getBank (bank)->getProgramBlock (program));
    }

    for (size_t i = 0; i < images.size(); ++i)
    {
        const int bank = startBank + (int) i / Bank_Program::kNumPrograms;
        const int program = (int) i % Bank_Program::kNumPrograms;
        dumps.push_back ({ bank, program, ProgramImage::buildProgramDump (bank, program, images[i]) });
    }

    transmitter.start (
        std::move (dumps),
        [this] (const BankTransmitter::Dump& dump) {
            if (! ports->outputOpen)
                return false;

            ports->sendSysEx (dump.bytes.begin(), dump.bytes.size());
            postEvent (kUiTransferProgress, 0, dump.bank, dump.program);
            return true;
        },
        [this] {
            postEvent (kUiBankContentsChanged, 0, 0, 0);
            postEvent (kUiBankTransferFinished, 0, 0, 0);
        });
}

void MidiCntrState::sendEditBuffer()
{
    const auto dump = ProgramImage::buildEditBufferDump (getEditBufferImage());
    ports->sendSysEx (dump.begin(), dump.size());
}

bool MidiCntrState::sendProgramDump (int bank, int program, const ProgramImage::Block& image)
{
    if (getBank (bank) == nullptr || ! juce::isPositiveAndBelow (program, Bank_Program::kNumPrograms))
        return false;

    const auto dump = ProgramImage::buildProgramDump (bank, program, image);
    return ports->sendSysEx (dump.begin(), dump.size());
}

void MidiCntrState::handleGlobalDump (const juce::uint8* data, int size)
{
    // Pairs of nibbles between the header and the closing F7; a lone last
    // nibble is not a value.
    for (int i = 0; i < kNumGlobalValues && kGlobalDumpHeaderSize + 2 * i + 1 < size - 1; ++i)
        storeGlobal (i, data[kGlobalDumpHeaderSize + 2 * i] + 16 * data[kGlobalDumpHeaderSize + 2 * i + 1]);

    synthesizerFound = true;

    if (helpPageShown)
    {
        answeredPair = probedPair.load();
        scanResultSaver.triggerAsyncUpdate();
    }

    postEvent (kUiSynthOnLine, 0, 0, 0);
}

void MidiCntrState::ScanResultSaver::handleAsyncUpdate()
{
    const auto pair = hub.getAnsweredPair();
    hub.settingsList.set (kSlotScanInput, juce::String (pair.input));
    hub.settingsList.set (kSlotScanOutput, juce::String (pair.output));
    hub.loadOrSaveSettings (kSaveSettings);
}
