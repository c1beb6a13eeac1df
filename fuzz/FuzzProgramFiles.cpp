// Program and bank files (.m_p, .m_b, .syx) of any content.
#include "core/storage/FileMan.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    FuzzSupport::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const juce::uint8* data, size_t size)
{
    const auto file = getSettingsFolder().getChildFile ("fuzz.syx");
    file.replaceWithData (data, size);

    FileMan files;
    if (files.loadSingleProgramFile (file.getFullPathName()))
        FuzzSupport::check (files.getCurrentProgram().getProgramBytes().size() <= 256, "one program");

    if (files.loadProgramDumpFile (file.getFullPathName()))
    {
        const auto& dumps = files.getCurrentProgram().getProgramBytes();
        FuzzSupport::check (dumps.size() == files.getCurrentProgram().getDumpCount() * 300, "whole dumps only");

        Bank_Program bank ("Loaded");
        bank.initialiseBank();
        bank.loadProgramDumps (juce::MemoryBlock (dumps.begin(), (size_t) dumps.size()));
        FuzzSupport::check (bank.getNumBytes() == Bank_Program::kBankBytes, "a bank never grows");
    }
    return 0;
}
