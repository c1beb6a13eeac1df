#include "core/storage/SettingsFile.h"

namespace
{
const char* const kFolderName = "Hollenvar";
const char* const kEntryStart = "^|";
const char* const kEntryEnd = "|^";
constexpr int kShortestSettingsText = 6;

juce::File& folderOverride()
{
    static juce::File folder;
    return folder;
}

bool isUsablePath (const juce::File& file)
{
    return file != juce::File() && file.getFullPathName().isNotEmpty();
}

// Writes beside the target and swaps it in, so a crash or a full disk never
// leaves a half-written file where the old one was.
bool replaceFileWith (const juce::File& file, const void* data, size_t size)
{
    if (! isUsablePath (file) || file.isDirectory())
        return false;

    if (! file.getParentDirectory().createDirectory())
        return false;

    juce::TemporaryFile temp (file, juce::TemporaryFile::useHiddenFile);
    {
        juce::FileOutputStream out (temp.getFile(), 16384);
        if (! out.openedOk() || ! out.write (data, size))
            return false;
    }

    // A short write (a full disk, a size limit) is not reported by the stream:
    // what reached the disk is what counts.
    if (temp.getFile().getSize() != (juce::int64) size)
        return false;

    return temp.overwriteTargetFileWithTemporary();
}
} // namespace

juce::File getSettingsFolder()
{
    if (isUsablePath (folderOverride()))
        return folderOverride();

    const auto appData = juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory);

    // Without a user folder the files have nowhere safe to go: they are then
    // neither read nor written.
    if (! isUsablePath (appData))
        return {};

    return appData.getChildFile (kFolderName);
}

static juce::File fileInSettingsFolder (const char* name)
{
    const auto folder = getSettingsFolder();
    return isUsablePath (folder) ? folder.getChildFile (name) : juce::File();
}

juce::File getGlobalSettingsFile() { return fileInSettingsFolder ("mphedstd.dat"); }
juce::File getBankDataFile() { return fileInSettingsFolder ("dataDsk.mph"); }
juce::File getPortSettingsFile() { return fileInSettingsFolder ("mhdplports.dat"); }
juce::File getDefaultLibraryFile() { return fileInSettingsFolder ("mkbLib.m_l"); }

void setSettingsFolderOverride (const juce::File& folder)
{
    folderOverride() = folder;
}

juce::StringArray parseSettingsText (const juce::String& text)
{
    juce::StringArray entries;
    int i = 0;

    while (i < text.length())
    {
        const int a = text.indexOf (i, kEntryStart);
        const int b = text.indexOf (i, kEntryEnd);

        if (a < 0 || b < 1)
            break;

        entries.add (b >= a + 2 ? text.substring (a + 2, b) : juce::String());
        i = b + 1;
    }

    return entries;
}

juce::String buildSettingsText (juce::StringArray entries)
{
    juce::String text;

    for (const auto& entry : entries)
        text << kEntryStart << entry << kEntryEnd;

    return text;
}

juce::String readSettingsText (const juce::File& file)
{
    if (! isUsablePath (file) || ! file.existsAsFile())
        return {};

    const auto text = file.loadFileAsString();
    return text.length() < kShortestSettingsText ? juce::String() : text;
}

bool writeTextFile (const juce::String& text, const juce::File& file)
{
    juce::String withCrLf;
    juce::juce_wchar previous = 0;

    for (auto c : text)
    {
        if (c == '\n' && previous != '\r')
            withCrLf << '\r';
        withCrLf << juce::String::charToString (c);
        previous = c;
    }

    const juce::MemoryBlock utf8 (withCrLf.toRawUTF8(), withCrLf.getNumBytesAsUTF8());
    return replaceFileWith (file, utf8.getData(), utf8.getSize());
}

bool writeBlockToFile (const juce::MemoryBlock& block, const juce::File& file)
{
    return replaceFileWith (file, block.getData(), block.getSize());
}

juce::MemoryBlock readFileToBlock (const juce::File& file)
{
    juce::MemoryBlock block;

    if (! isUsablePath (file) || ! file.existsAsFile())
        return block;

    // One block of the file's size: a library runs to megabytes, and growing
    // a buffer as the stream reads would copy it over and over.
    juce::FileInputStream in (file);
    const auto length = in.getTotalLength();
    if (in.openedOk() && length > 0 && length <= std::numeric_limits<int>::max())
    {
        block.setSize ((size_t) length);
        block.setSize ((size_t) juce::jmax (0, in.read (block.getData(), (int) length)));
    }

    return block;
}
