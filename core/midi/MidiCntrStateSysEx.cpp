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
    if (transfer.start (operation, startBank))
        sendDumpRequest (kRequestProgram, startBank, 0);
}

void MidiCntrState::endTransfer()
{
    transfer.end();
}

void MidiCntrState::handleGlobalDump (const juce::uint8* data, int size)
{
    // Pairs of nibbles between the header and the closing F7; a lone last
    // nibble is not a value.
    for (int i = 0; i < kNumGlobalValues && kGlobalDumpHeaderSize + 2 * i + 1 < size - 1; ++i)
        globalValues[(size_t) i] = (juce::uint8) (data[kGlobalDumpHeaderSize + 2 * i] + 16 * data[kGlobalDumpHeaderSize + 2 * i + 1]);

    synthesizerFound = true;

    if (helpPageShown)
        scanResultSaver.triggerAsyncUpdate();

    postEvent (kUiSynthOnLine, 0, 0, 0);
}

void MidiCntrState::ScanResultSaver::handleAsyncUpdate()
{
    hub.settingsList.set (kSlotScanInput, juce::String (hub.scanInput.load()));
    hub.settingsList.set (kSlotScanOutput, juce::String (hub.scanOutput.load()));
    hub.loadOrSaveSettings (kSaveSettings);
}
