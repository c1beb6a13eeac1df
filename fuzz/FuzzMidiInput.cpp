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

    while (start < size)
    {
        size_t end = start + 1;
        while (end < size && (int) (end - start) < piece && data[end] < 0x80)
            ++end;

        hub.handleIncomingMidiMessage (nullptr, juce::MidiMessage (data + start, (int) (end - start)));
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
