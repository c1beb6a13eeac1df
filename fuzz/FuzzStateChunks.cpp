// Host state chunks of both kinds, as a host might hand them over.
#include "core/VellixAudioProcessor.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    FuzzSupport::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const juce::uint8* data, size_t size)
{
    static auto& processor = *new VellixAudioProcessor();

    // An exact copy: a read past the host's data is caught by the sanitizer.
    std::vector<juce::uint8> chunk (data, data + size);
    processor.setStateInformation (chunk.data(), (int) chunk.size());
    processor.setCurrentProgramStateInformation (chunk.data(), (int) chunk.size());

    juce::MemoryBlock state;
    processor.getStateInformation (state);
    FuzzSupport::check (state.getSize() == (size_t) HostChunk::kBankChunkSize, "bank chunk keeps its size");
    FuzzSupport::check (processor.getHostBank().getNumBytes() == Bank_Program::kBankBytes, "host bank of 128 programs");
    FuzzSupport::checkBanks (processor.getHub());
    processor.getHub().takeEvents();
    return 0;
}
