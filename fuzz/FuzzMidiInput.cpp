// Any bytes from the hardware input, cut into messages anywhere.
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    FuzzSupport::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const juce::uint8* data, size_t size)
{
    static auto& hostBank = *new Bank_Program ("Program Bank");
    static auto& hub = *new MidiCntrState();
    if (hub.getHostBank() == nullptr)
    {
        hostBank.initialiseBank();
        hub.setHostBank (&hostBank);
    }

    // The first byte chooses where the stream is cut: before status bytes, or
    // every n bytes as a driver might deliver pieces.
    const int piece = size > 0 ? 1 + data[0] % 64 : 1;
    size_t start = size > 0 ? 1 : 0;
    hub.setVst2Form (size > 0 && (data[0] & 0x80) != 0);

    // The same pieces straight into an assembler of its own.
    static auto& assembler = *new SysExAssembler();

    while (start < size)
    {
        size_t end = start + 1;
        while (end < size && (int) (end - start) < piece && data[end] < 0x80)
            ++end;

        const auto* message = data + start;
        const int length = (int) (end - start);
        hub.handleIncomingMidiMessage (nullptr, juce::MidiMessage (message, length));

        assembler.notice (message[0]);
        if (assembler.add (message, length))
        {
            const auto* sysEx = assembler.getMessage();
            const int sysExSize = assembler.getMessageSize();
            FuzzSupport::check (sysExSize >= 2 && sysExSize <= SysExAssembler::kMaxBytes, "an assembled SysEx within its bound");
            FuzzSupport::check (sysEx[0] == 0xF0 && sysEx[sysExSize - 1] == 0xF7, "an assembled SysEx from F0 to F7");
        }
        start = end;
    }

    juce::MidiBuffer block;
    hub.processHostMidi (block, 256, 44100);

    FuzzSupport::checkBanks (hub);
    FuzzSupport::check (hub.getEditBufferImage().size() == 256, "edit buffer whole");
    hub.setVst2Form (false);
    FuzzSupport::checkNextDumpArrives (hub);
    return 0;
}
