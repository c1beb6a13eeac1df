#pragma once

#include "core/model/DSI_Program.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

// Chooses files and reads Mopho program and bank files. The dialogs are
// asynchronous (no modal loop inside a host); what happens with the chosen
// file is a plain function of its path, so it can be called without a dialog.
class FileMan : public juce::Component
{
public:
    FileMan();
    ~FileMan() override;

    void setFileMode (int mode, const juce::String& defaultName);
    const juce::String& getTitle() const noexcept { return title; }
    const juce::StringArray& getPatterns() const noexcept { return patterns; }
    juce::String getPatternString() const;

    // kind 'b' opens, 'c' saves. The callback gets true when the user
    // confirmed a file, whose full path is then getChosenPath().
    void browseForFile (char kind, int mode, const juce::String& defaultName, std::function<void (bool)> done);
    const juce::String& getChosenPath() const noexcept { return chosenPath; }

    // A saved file without an extension of its own gets the mode's first one.
    static juce::File withSaveExtension (const juce::File& chosen, const juce::StringArray& patterns);

    ByteArray readWholeFile (const juce::String& path);
    static ByteArray extractFirstSysEx (ByteArray bytes);

    bool loadProgramDumpFile (const juce::String& path);
    bool loadSingleProgramFile (const juce::String& path);
    void browseAndLoadBankFile (std::function<void (bool)> done);
    void browseAndLoadProgramFile (std::function<void (bool)> done);

    // The whole file becomes the bytes; an old file is replaced only once
    // the new one is completely written. False when nothing was written.
    bool saveFile (const juce::String& path, const ByteArray& bytes);

    // The program made by the last load (the collected dumps after a bank load).
    DSI_Program& getCurrentProgram() noexcept { return *currentProgram; }

    static constexpr int kShortestProgramFile = 10;

private:
    ByteArray readBuffer;
    juce::String chosenPath, title;
    juce::StringArray patterns;
    std::unique_ptr<DSI_Program> currentProgram;
    std::unique_ptr<juce::FileChooser> chooser;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FileMan)
};
