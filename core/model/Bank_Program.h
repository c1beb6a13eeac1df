#pragma once

#include "core/model/ProgramImage.h"

#include <juce_gui_basics/juce_gui_basics.h>

// 128 program images back to back plus an edit buffer. Not locked: the hub
// decides which threads reach which bank.
class Bank_Program : public juce::Component
{
public:
    static constexpr int kNumPrograms = 128;
    static constexpr int kBankBytes = kNumPrograms * ProgramImage::kSize;

    explicit Bank_Program (const juce::String& bankName);
    ~Bank_Program() override = default;

    const juce::String& getBankName() const noexcept { return name; }

    void initialiseBank();
    void loadFactoryBank (int bankIndex);
    void loadFromBankDataImage (int bankIndex, const juce::MemoryBlock& image);

    ByteArray getProgram (int slot) const;
    void setProgram (int slot, const ByteArray& bytes);
    ProgramImage::Block getProgramBlock (int slot) const;
    void setProgramBlock (int slot, const ProgramImage::Block& block);
    void setProgramAndEditBuffer (int slot, const ProgramImage::Block& block);
    ProgramImage::Block storeEditBuffer (int slot);

    ByteArray getEditBuffer() const;
    ProgramImage::Block getEditBufferBlock() const;
    void setEditBuffer (const ByteArray& bytes);
    void setEditBufferBlock (const ProgramImage::Block& block);
    int getEditBufferByte (int position) const { return editBuffer[position]; }
    void setEditBufferByte (int position, juce::uint8 value);
    juce::String getEditBufferName() const;
    int getEditBufferCategory() const;

    juce::String getProgramName (int slot) const;
    void setProgramName (int slot, const juce::String& newName);
    int getCategory (int slot) const;
    void setCategory (int slot, int category);

    ByteArray buildEditBufferDump (int slot) const;
    // The whole bank as 128 program dumps in slot order, each addressed to
    // that slot of the given bank: the form of a program bank file.
    ByteArray buildProgramDumps (int bankNumber) const;

    // Fills slots in order from a block of 300-byte program dumps; bank and
    // program numbers inside the dumps are not used.
    void loadProgramDumps (const juce::MemoryBlock& dumps);

    int getNumBytes() const noexcept { return programBytes.size(); }

    // Where each bank lies in a bank-data image (after a 14-byte marker).
    static constexpr int kBankDataImageOffset = 14;

private:
    void writeBytes (int offset, const juce::uint8* bytes, int count);
    void loadBankWindow (const juce::uint8* bytes);

    juce::String name;
    ByteArray programBytes;
    ByteArray editBuffer;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Bank_Program)
};
