#include "windows/library/LibraryModel.h"

#include "core/model/Bank_Program.h"
#include "core/storage/FileMan.h"
#include "core/storage/SettingsFile.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace
{
std::size_t hashProgram (const juce::uint8* program)
{
    return std::hash<std::string_view>() (std::string_view (reinterpret_cast<const char*> (program), ProgramBlock::kProgramSize));
}
} // namespace

void LibraryModel::parseLibraryData (const juce::MemoryBlock& data, int start)
{
    const int count = LibraryFile::countRecords ((juce::int64) data.getSize(), start);
    if (count == 0)
        return;

    // Imports run to thousands of programs: a hash of each kept record makes
    // the duplicate search linear overall, the byte comparison exact.
    const auto* records = static_cast<const juce::uint8*> (data.getData()) + start;
    auto record = [records] (int r) { return records + (size_t) r * ProgramBlock::kProgramSize; };
    std::unordered_multimap<std::size_t, int> keptByHash;
    keptByHash.reserve ((size_t) count);
    std::vector<int> kept;

    for (int r = 0; r < count; ++r)
    {
        const auto hash = hashProgram (record (r));
        const auto [first, last] = keptByHash.equal_range (hash);

        if (std::none_of (first, last, [&] (const auto& entry) { return ProgramBlock::sameProgram (record (entry.second), record (r)); }))
        {
            keptByHash.emplace (hash, r);
            kept.push_back (r);
        }
    }

    juce::MemoryBlock distinct (kept.size() * ProgramBlock::kProgramSize);
    for (size_t k = 0; k < kept.size(); ++k)
        distinct.copyFrom (record (kept[k]), (int) k * ProgramBlock::kProgramSize, ProgramBlock::kProgramSize);

    importBuffer = ProgramBlock (std::move (distinct));
}

void LibraryModel::importFromBank (const Bank_Program& bank, int count)
{
    count = juce::jlimit (0, Bank_Program::kNumPrograms, count);
    juce::MemoryBlock programs ((size_t) count * ProgramBlock::kProgramSize);

    for (int slot = 0; slot < count; ++slot)
    {
        const auto image = bank.getProgramBlock (slot);
        programs.copyFrom (image.data(), slot * ProgramBlock::kProgramSize, image.size());
    }

    parseLibraryData (programs, 0);
}

void LibraryModel::importLibraryFile (const juce::File& file)
{
    importBuffer.clear();

    if (file.existsAsFile())
        parseLibraryData (readFileToBlock (file), LibraryFile::kRecordsOffset);
}

bool LibraryModel::importProgramBankFile (const juce::String& path)
{
    Bank_Program bank ({});
    FileMan files;
    importBuffer.clear();

    if (! files.loadProgramDumpFile (path))
        return false;

    const auto& dumps = files.getCurrentProgram().getProgramBytes();
    bank.loadProgramDumps (juce::MemoryBlock (dumps.begin(), (size_t) dumps.size()));

    // The bank stores the first 128 dumps; positions past them would only
    // add one empty program.
    importFromBank (bank, juce::jmin (files.getCurrentProgram().getDumpCount(), Bank_Program::kNumPrograms));
    return true;
}

bool LibraryModel::applyImport (bool append)
{
    if (importBuffer.isEmpty())
        return false;

    if (! append)
        library.clear();

    library.append (importBuffer.getData().getData(), importBuffer.getNumPrograms());
    return true;
}

bool LibraryModel::loadLibraryFile (const juce::File& file)
{
    if (! file.existsAsFile())
        return false;

    auto programs = LibraryFile::read (file);
    if (programs.isEmpty())
        return false;

    library = std::move (programs);
    return true;
}

bool LibraryModel::addProgram (const juce::String& name, const juce::MemoryBlock& program)
{
    if (program.getSize() != (size_t) ProgramBlock::kProgramSize)
        return false;

    ProgramBlock named;
    named.append (program.getData(), 1);
    named.setProgramName (0, name);
    return library.appendIfNew (named.copyProgram (0));
}

void LibraryModel::countCategories()
{
    categoryCounts.fill (0);

    for (int i = 0, n = library.getNumPrograms(); i < n; ++i)
    {
        const int category = library.getCategory (i);
        if (category >= 0 && category < kNumCountedCategories)
            ++categoryCounts[(size_t) category];
    }
}

int LibraryModel::getCategoryCount (int category) const noexcept
{
    return category >= 0 && category < kNumCountedCategories ? categoryCounts[(size_t) category] : 0;
}
