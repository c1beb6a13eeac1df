// The settings folder's files: the first byte chooses the settings file, the
// port file or the bank-data file; the rest is its content.
#include "core/storage/PortSettingsFile.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    FuzzSupport::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const juce::uint8* data, size_t size)
{
    if (size == 0)
        return 0;

    const juce::File files[] = { getGlobalSettingsFile(), getPortSettingsFile(), getBankDataFile() };
    for (const auto& f : files)
        f.deleteFile();

    const auto& target = files[data[0] % 3];
    target.replaceWithData (data + 1, size - 1);

    auto settings = PortSettingsFile::defaults();
    PortSettingsFile::parse (juce::MemoryBlock (data + 1, size - 1), settings);
    FuzzSupport::check (settings.size() == PortSettingsFile::kNumSettings, "four port settings");

    MidiCntrState hub;
    FuzzSupport::checkBanks (hub);
    FuzzSupport::check (hub.getSettings().size() == 82, "82 settings entries");
    FuzzSupport::check (hub.getMidiChannel() >= 1 && hub.getMidiChannel() <= 16, "a MIDI channel");
    FuzzSupport::check (hub.getPortSettings().size() == 4, "four port settings in the hub");
    return 0;
}
