#include "core/model/DSI_Program.h"

#include "core/model/BankFolder.h"

using namespace ProgramImage;

DSI_Program::DSI_Program()
{
    loadInitProgram();
    setName ("Untitled ");
}

void DSI_Program::loadInitProgram()
{
    ByteArray dump;
    dump.addArray (BankFolder::getInitProgramDump(), BankFolder::kInitProgramDumpSize);
    loadFromSysEx (dump);
}

bool DSI_Program::loadFromSysEx (ByteArray data)
{
    switch (data.size())
    {
        case kSize:
            setProgram (data);
            break;
        case kEditBufferDumpSize:
            programBytes = toArray (unpack (data.getRawDataPointer() + kEditBufferPayloadOffset));
            break;
        case kProgramDumpSize:
            programBytes = toArray (unpack (data.getRawDataPointer() + kProgramDumpPayloadOffset));
            break;
        default:
            return false;
    }

    getName();
    return true;
}

void DSI_Program::unpackDumpData (const ByteArray& packed)
{
    if (packed.size() == kPackedSize)
        programBytes = toArray (unpack (packed.getRawDataPointer()));
}

ByteArray DSI_Program::buildEditBufferDump (ByteArray image)
{
    return ProgramImage::buildEditBufferDump (toBlock (image));
}

int DSI_Program::collectProgramDumps (const juce::MemoryBlock& block)
{
    programBytes.clearQuick();
    dumpCount = 0;

    const auto* bytes = static_cast<const juce::uint8*> (block.getData());
    const auto size = (int) block.getSize();
    int j = 0;

    while (j + kProgramDumpSize <= size)
    {
        if (bytes[j] == kSysExStart && bytes[j + kProgramDumpSize - 1] == kSysExEnd)
        {
            programBytes.addArray (bytes + j, kProgramDumpSize);
            ++dumpCount;
            j += kProgramDumpSize;
        }
        else
        {
            ++j;
        }
    }

    return dumpCount;
}

Block DSI_Program::getProgramBlock() const
{
    return toBlock (programBytes);
}

void DSI_Program::setProgramBlock (const juce::MemoryBlock& block)
{
    if (block.getSize() == (size_t) kSize)
    {
        programBytes.clearQuick();
        programBytes.addArray (static_cast<const juce::uint8*> (block.getData()), kSize);
    }
}

void DSI_Program::setProgram (const ByteArray& bytes)
{
    programBytes.clearQuick();
    programBytes.addArray (bytes, 0, juce::jmin (bytes.size(), kSize));
}

void DSI_Program::setName (const juce::String& newName)
{
    const auto codes = encodeName (newName, &name);

    while (programBytes.size() < kNameOffset + kNameLength)
        programBytes.add (0);

    for (int i = 0; i < kNameLength; ++i)
        programBytes.set (kNameOffset + i, codes[(size_t) i]);
}

juce::String DSI_Program::getName()
{
    name = readName (programBytes, kNameOffset);
    return name;
}

int DSI_Program::getCategory() const
{
    return programBytes.size() > kCategoryOffset ? programBytes[kCategoryOffset] : 0;
}

int DSI_Program::nameCharToCode (const juce::String& character)
{
    return ProgramImage::nameCharToCode (character);
}
