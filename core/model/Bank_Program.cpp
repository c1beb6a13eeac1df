#include "core/model/Bank_Program.h"

#include "core/model/BankFolder.h"
#include "core/model/DSI_Program.h"

using namespace ProgramImage;

namespace
{
bool isBankIndex (int bankIndex)
{
    return bankIndex >= 0 && bankIndex < BankFolder::kNumFactoryBanks;
}
} // namespace

Bank_Program::Bank_Program (const juce::String& bankName) : name (bankName)
{
}

void Bank_Program::initialiseBank()
{
    const DSI_Program init;
    const auto& image = init.getProgramBytes();

    editBuffer = image;
    programBytes.clearQuick();
    programBytes.ensureStorageAllocated (kBankBytes);

    for (int i = 0; i < kNumPrograms; ++i)
        programBytes.addArray (image);
}

void Bank_Program::loadBankWindow (const juce::uint8* bytes)
{
    programBytes.clearQuick();
    programBytes.addArray (bytes, kBankBytes);
}

void Bank_Program::loadFactoryBank (int bankIndex)
{
    if (isBankIndex (bankIndex))
        loadBankWindow (BankFolder::getFactoryBankImage() + BankFolder::kFactoryBankOffset + bankIndex * kBankBytes);
}

void Bank_Program::loadFromBankDataImage (int bankIndex, const juce::MemoryBlock& image)
{
    if (! isBankIndex (bankIndex))
        return;

    const auto offset = (size_t) (kBankDataImageOffset + bankIndex * kBankBytes);

    // A short image never fills a bank from beyond its end: the bank gets its
    // factory programs instead, so it always holds 128 playable programs.
    if (image.getSize() < offset + (size_t) kBankBytes)
        loadFactoryBank (bankIndex);
    else
        loadBankWindow (static_cast<const juce::uint8*> (image.getData()) + offset);
}

void Bank_Program::writeBytes (int offset, const juce::uint8* bytes, int count)
{
    for (int k = 0; k < count; ++k)
    {
        const int target = offset + k;

        if (target < 0)
            continue;

        if (target < programBytes.size())
            programBytes.set (target, bytes[k]);
        else
            programBytes.add (bytes[k]);
    }
}

ByteArray Bank_Program::getProgram (int slot) const
{
    const int start = juce::jmax (0, slot) * kSize;
    ByteArray bytes;

    if (start < programBytes.size())
        bytes.addArray (programBytes, start, juce::jmin (kSize, programBytes.size() - start));

    return bytes;
}

void Bank_Program::setProgram (int slot, const ByteArray& bytes)
{
    writeBytes (slot * kSize, bytes.begin(), bytes.size());
}

Block Bank_Program::getProgramBlock (int slot) const
{
    return toBlock (programBytes, slot * kSize);
}

void Bank_Program::setProgramBlock (int slot, const Block& block)
{
    writeBytes (slot * kSize, block.data(), kSize);
}

void Bank_Program::setProgramAndEditBuffer (int slot, const Block& block)
{
    setProgramBlock (slot, block);
    setEditBuffer (toArray (block));
}

Block Bank_Program::storeEditBuffer (int slot)
{
    const auto block = getEditBufferBlock();
    setProgramBlock (slot, block);
    return block;
}

ByteArray Bank_Program::getEditBuffer() const
{
    return toArray (getEditBufferBlock());
}

Block Bank_Program::getEditBufferBlock() const
{
    return toBlock (editBuffer);
}

void Bank_Program::setEditBuffer (const ByteArray& bytes)
{
    setEditBufferBlock (toBlock (bytes));
}

void Bank_Program::setEditBufferBlock (const Block& block)
{
    editBuffer.resize (kSize); // allocates only the first time
    memcpy (editBuffer.getRawDataPointer(), block.data(), (size_t) kSize);
}

void Bank_Program::setEditBufferByte (int position, juce::uint8 value)
{
    if (position < 0 || position >= kSize)
        return;

    editBuffer.resize (kSize);
    editBuffer.set (position, value);
}

juce::String Bank_Program::getEditBufferName() const
{
    return readName (editBuffer, kNameOffset);
}

int Bank_Program::getEditBufferCategory() const
{
    return editBuffer[kCategoryOffset];
}

juce::String Bank_Program::getProgramName (int slot) const
{
    return readName (programBytes, slot * kSize + kNameOffset);
}

void Bank_Program::setProgramName (int slot, const juce::String& newName)
{
    const auto codes = encodeName (newName);
    writeBytes (slot * kSize + kNameOffset, codes.data(), kNameLength);
}

int Bank_Program::getCategory (int slot) const
{
    return programBytes[slot * kSize + kCategoryOffset];
}

void Bank_Program::setCategory (int slot, int category)
{
    const auto byte = (juce::uint8) category;
    writeBytes (slot * kSize + kCategoryOffset, &byte, 1);
}

ByteArray Bank_Program::buildEditBufferDump (int slot) const
{
    return ProgramImage::buildEditBufferDump (toBlock (getProgram (slot)));
}

ByteArray Bank_Program::buildProgramDumps (int bankNumber) const
{
    ByteArray dumps;
    dumps.ensureStorageAllocated (kNumPrograms * kProgramDumpSize);

    for (int slot = 0; slot < kNumPrograms; ++slot)
        dumps.addArray (ProgramImage::buildProgramDump (bankNumber, slot, getProgramBlock (slot)));

    return dumps;
}

void Bank_Program::loadProgramDumps (const juce::MemoryBlock& dumps)
{
    // More than 128 dumps never grow the bank: the first 128 are stored.
    const int count = juce::jmin ((int) (dumps.getSize() / (size_t) kProgramDumpSize), kNumPrograms);

    if (count == 0)
        return;

    const auto* bytes = static_cast<const juce::uint8*> (dumps.getData());
    DSI_Program program;

    if (count == kNumPrograms)
        programBytes.clearQuick();

    for (int k = 0; k < count; ++k)
    {
        ByteArray dump;
        dump.addArray (bytes + k * kProgramDumpSize, kProgramDumpSize);
        program.loadFromSysEx (dump);

        if (count == kNumPrograms)
            programBytes.addArray (program.getProgramBytes());
        else
            setProgram (k, program.getProgramBytes());
    }
}
