#pragma once

#include "core/model/ProgramImage.h"

#include <juce_gui_basics/juce_gui_basics.h>

// One Mopho program with its name. Built and used on whichever thread needs it,
// one owner at a time; takes no lock.
class DSI_Program : public juce::Component
{
public:
    DSI_Program();
    ~DSI_Program() override = default;

    void loadInitProgram();

    // Accepts by length alone: 256 (raw image), 298 (edit-buffer dump) or 300
    // (program dump) bytes. Headers are not examined.
    bool loadFromSysEx (ByteArray data);

    void unpackDumpData (const ByteArray& packed);

    static ByteArray buildEditBufferDump (ByteArray image);

    // Gathers every 300-byte span that starts with F0 and ends with F7.
    int collectProgramDumps (const juce::MemoryBlock& block);

    ProgramImage::Block getProgramBlock() const;
    void setProgramBlock (const juce::MemoryBlock& block);
    void setProgram (const ByteArray& bytes);

    void setName (const juce::String& newName) override;
    juce::String getName();
    int getCategory() const;

    static int nameCharToCode (const juce::String& character);

    const ByteArray& getProgramBytes() const noexcept { return programBytes; }
    int getDumpCount() const noexcept { return dumpCount; }

private:
    juce::String name;
    ByteArray programBytes;
    int dumpCount = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DSI_Program)
};
