#pragma once

#include "core/midi/MidiCntrState.h"
#include "core/storage/SettingsFile.h"
#include "tests/support/ProgramDumps.h"

#include <juce_events/juce_events.h>

#include <cstdlib>

// Shared by the fuzz targets: a private settings folder, the framework
// running, and the checks every input must leave true.
namespace FuzzSupport
{
// The framework and the objects under test live as long as the fuzzing
// process and are never torn down: exit-time destruction order between them
// is not what is being tested.
inline void initialise()
{
    juce::initialiseJuce_GUI();
    auto* folder = new juce::TemporaryFile();
    folder->getFile().createDirectory();
    setSettingsFolderOverride (folder->getFile());
}

inline void check (bool condition, const char* what)
{
    if (! condition)
    {
        fprintf (stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

inline void checkBanks (const MidiCntrState& hub)
{
    for (int bank = 0; bank < MidiCntrState::kNumHardwareBanks; ++bank)
        check (hub.getBank (bank) != nullptr && hub.getBank (bank)->getNumBytes() == Bank_Program::kBankBytes, "three banks of 128 programs");
    check (hub.getBank (3) == nullptr && hub.getBank (-1) == nullptr, "no fourth bank");
}

// After anything, a valid dump must still be received whole.
inline void checkNextDumpArrives (MidiCntrState& hub)
{
    const auto image = imageFilledWith (0x2A);
    const auto dump = buildProgramDump (1, 7, image);

    const bool wasFetching = hub.isTransferFetching();
    hub.endTransfer();
    hub.handleIncomingMidiMessage (nullptr, juce::MidiMessage (dump.data(), (int) dump.size()));
    check (hub.getBank (1)->getProgramBlock (7) == image, "the next valid dump is received");
    (void) wasFetching;
    hub.takeEvents();
    hub.takeControllerChanges();
}
} // namespace FuzzSupport

extern "C" int LLVMFuzzerInitialize (int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput (const juce::uint8* data, size_t size);
