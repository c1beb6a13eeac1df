#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Carries the program's embedded data blocks. Readers copy the blocks out and
// keep no reference.
class BankFolder : public juce::Component
{
public:
    BankFolder();

    void paint (juce::Graphics& g) override;
    void resized() override {}

    static constexpr int kInitProgramDumpSize = 298;
    static constexpr int kFactoryBankImageSize = 98330;
    static constexpr int kFactoryBankOffset = 13;   // after "Mopho  Data >"
    static constexpr int kFactoryBankSize = 32768;  // 128 images of 256 bytes
    static constexpr int kNumFactoryBanks = 3;

    // An edit-buffer dump of the init program.
    static const juce::uint8* getInitProgramDump();

    // Three banks of 128 images between the text markers.
    static const juce::uint8* getFactoryBankImage();
    static int getFactoryBankImageSize();
};
