#include "core/storage/FileMan.h"

#include "core/storage/SettingsFile.h"

namespace
{
struct FileDialogMode
{
    int mode;
    const char* title;
    std::initializer_list<const char*> patterns;
};

const FileDialogMode fileDialogModes[] = {
    { 1, "Load Single Mopho Program", { "*.m_p", "*.syx" } },
    { 2, "Load Mopho Main Settings", { "*.m_m", "*.syx" } },
    { 3, "Load Mopho Program Bank", { "*.m_b", "*.syx" } },
    { 4, "Load Program Library", { "*.m_l" } },
    { 5, "Load Sequence Templates", { "*.m_s" } },
    { 6, "Load Mopho Data", { "*.mph" } },
    { 7, "Load Sysex File", { "*.syx" } },
    { 10, "Load FX Preset Bank", { "*.fxb" } },
    { 11, "Load FX Preset", { "*.fxp" } },
    { 101, "Save Mopho Program", { "*.m_p", "*.syx" } },
    { 102, "Save Mopho Main Settings", { "*.m_m", "*.syx" } },
    { 103, "Save Mopho Program Bank", { "*.m_b", "*.syx" } },
    { 104, "Save Mopho Program Library", { "*.m_l" } },
    { 105, "Save Sequence Templates", { "*.m_s" } },
    { 106, "Save Mopho Data", { "*.mph" } },
    { 110, "Save FX Preset Bank", { "*.fxb" } },
    { 111, "Save FX Preset", { "*.fxp" } },
    { 200, "Create Cubase Patchname File", { "*.txt" } },
    { 201, "Create Cakewalk Instrument", { "*.ins" } },
};
} // namespace

FileMan::FileMan() : currentProgram (std::make_unique<DSI_Program>())
{
}

FileMan::~FileMan() = default;

void FileMan::setFileMode (int mode, const juce::String&)
{
    patterns.clear();

    for (const auto& entry : fileDialogModes)
    {
        if (entry.mode == mode)
        {
            title = entry.title;
            for (auto* pattern : entry.patterns)
                patterns.add (pattern);
        }
    }
}

juce::String FileMan::getPatternString() const
{
    return patterns.isEmpty() ? juce::String ("*") : patterns.joinIntoString (";");
}

juce::File FileMan::withSaveExtension (const juce::File& chosen, const juce::StringArray& patterns)
{
    // ".x" is no extension of ours: the mode's one is added after it.
    if (chosen.getFileExtension().length() >= 3 || patterns.isEmpty())
        return chosen;

    return juce::File (chosen.getFullPathName() + patterns[0].substring (1));
}

void FileMan::browseForFile (char kind, int mode, const juce::String& defaultName, std::function<void (bool)> done)
{
    setFileMode (mode, {});

    if (kind != 'b' && kind != 'c')
    {
        if (done)
            done (false);
        return;
    }

    const auto folder = getSettingsFolder();
    const bool saving = kind == 'c';
    chooser = std::make_unique<juce::FileChooser> (title, saving ? folder.getChildFile (defaultName) : folder, getPatternString());

    const auto flags = saving ? juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::canSelectFiles
                                    | juce::FileBrowserComponent::warnAboutOverwriting
                              : juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectFiles;

    juce::Component::SafePointer<FileMan> safeThis (this);
    chooser->launchAsync (flags, [safeThis, saving, done] (const juce::FileChooser& fc) {
        if (safeThis == nullptr)
            return;

        const auto result = fc.getResult();
        const bool confirmed = result != juce::File();

        if (confirmed)
            safeThis->chosenPath = (saving ? withSaveExtension (result, safeThis->patterns) : result).getFullPathName();

        if (done)
            done (confirmed);
    });
}

ByteArray FileMan::readWholeFile (const juce::String& path)
{
    readBuffer.clearQuick();

    if (path.isEmpty() || ! juce::File::isAbsolutePath (path))
        return readBuffer;

    const auto block = readFileToBlock (juce::File (path));
    readBuffer.addArray (static_cast<const juce::uint8*> (block.getData()), (int) block.getSize());
    return readBuffer;
}

ByteArray FileMan::extractFirstSysEx (ByteArray bytes)
{
    const int start = bytes.indexOf (ProgramImage::kSysExStart);
    if (start < 0)
        return {};

    for (int end = start + 1; end < bytes.size(); ++end)
    {
        if (bytes[end] == ProgramImage::kSysExEnd)
        {
            ByteArray message;
            message.addArray (bytes, start, end - start + 1);
            return message;
        }
    }

    return {};
}

bool FileMan::loadProgramDumpFile (const juce::String& path)
{
    currentProgram = std::make_unique<DSI_Program>();
    readWholeFile (path);

    if (readBuffer.size() < kShortestProgramFile)
        return false;

    return currentProgram->collectProgramDumps (juce::MemoryBlock (readBuffer.begin(), (size_t) readBuffer.size())) > 0;
}

bool FileMan::loadSingleProgramFile (const juce::String& path)
{
    readWholeFile (path);

    if (readBuffer.size() < kShortestProgramFile)
        return false;

    const auto message = extractFirstSysEx (readBuffer);
    if (message.isEmpty())
        return false;

    currentProgram = std::make_unique<DSI_Program>();
    return currentProgram->loadFromSysEx (message);
}

void FileMan::browseAndLoadBankFile (std::function<void (bool)> done)
{
    browseForFile ('b', 3, {}, [this, done] (bool confirmed) {
        const bool loaded = confirmed && loadProgramDumpFile (chosenPath);
        if (done)
            done (loaded);
    });
}

void FileMan::browseAndLoadProgramFile (std::function<void (bool)> done)
{
    browseForFile ('b', 1, {}, [this, done] (bool confirmed) {
        const bool loaded = confirmed && loadSingleProgramFile (chosenPath);
        if (done)
            done (loaded);
    });
}

bool FileMan::saveFile (const juce::String& path, const ByteArray& bytes)
{
    if (path.isEmpty() || ! juce::File::isAbsolutePath (path) || bytes.isEmpty())
        return false;

    return writeBlockToFile (juce::MemoryBlock (bytes.begin(), (size_t) bytes.size()), juce::File (path));
}
