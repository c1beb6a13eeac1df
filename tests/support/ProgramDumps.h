#pragma once

#include "core/model/ProgramImage.h"

#include <vector>

// A program image with every byte the same.
inline ProgramImage::Block imageFilledWith (juce::uint8 value)
{
    ProgramImage::Block image;
    image.fill (value);
    return image;
}

// A program dump as the synthesizer sends it: F0 01 25 02, bank, program,
// the packed image, F7.
inline std::vector<juce::uint8> buildProgramDump (int bank, int program, const ProgramImage::Block& image)
{
    using namespace ProgramImage;

    const auto packed = pack (image);
    std::vector<juce::uint8> dump { kSysExStart, kManufacturerId, kDeviceId, kProgramDumpCommand, (juce::uint8) bank,
                                    (juce::uint8) program };
    dump.insert (dump.end(), packed.begin(), packed.end());
    dump.push_back (kSysExEnd);
    return dump;
}
