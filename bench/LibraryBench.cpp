#include "support/LibraryPrograms.h"
#include "windows/library/KwsFile.h"

#include <benchmark/benchmark.h>

// A library of 20,000 programs (5 MB), as a long-time user's might grow.
namespace
{
constexpr int kLibraryPrograms = 20000;
constexpr int kImportPrograms = 10000;

struct BenchFolder
{
    BenchFolder()
    {
        folder.createDirectory();
        setSettingsFolderOverride (folder);
    }
    ~BenchFolder()
    {
        setSettingsFolderOverride ({});
        folder.deleteRecursively();
    }
    juce::File folder = juce::File::createTempFile ("librarybench");
};

// Half of the import repeats programs already in it: 5,000 distinct ones.
juce::MemoryBlock importImage()
{
    juce::MemoryBlock records;
    for (int i = 0; i < kImportPrograms; ++i)
        records.append (libraryProgram (100000 + i / 2, (i / 2) % 26).getData(), ProgramImage::kSize);

    auto image = LibraryFile::makeLibraryFileHeader();
    image.append (records.getData(), records.getSize());
    image.append (LibraryFile::makeLibraryFileTrailer().getData(), LibraryFile::kTrailerSize);
    return image;
}

void placeAsOnThePage (KwsFile& list)
{
    list.setBounds (0, 0, 334, 510);
    list.setRowAreaWidth (302);
}
} // namespace

static void Library_Load20000 (benchmark::State& state)
{
    BenchFolder folder;
    LibraryFile::write (numberedLibrary (kLibraryPrograms), getDefaultLibraryFile());

    int rows = 0;
    for (auto _ : state)
    {
        KwsFile list;
        list.loadDefaultLibrary();
        benchmark::DoNotOptimize (rows = list.getRowCount());
    }
    state.counters["programs"] = rows;
}
BENCHMARK (Library_Load20000)->Unit (benchmark::kMillisecond);

static void Library_Import10000WithDuplicates (benchmark::State& state)
{
    BenchFolder folder;
    const auto file = fileOfBytes (importImage(), "import.m_l");
    KwsFile list;
    list.getModel().getLibrary() = numberedLibrary (kLibraryPrograms);

    for (auto _ : state)
    {
        list.getModel().importLibraryFile (file);
        benchmark::DoNotOptimize (list.getModel().getImportBuffer().getNumPrograms());
    }
    state.counters["distinct"] = list.getModel().getImportBuffer().getNumPrograms();
}
BENCHMARK (Library_Import10000WithDuplicates)->Unit (benchmark::kMillisecond);

static void Library_FilterByCategory (benchmark::State& state)
{
    KwsFile list;
    placeAsOnThePage (list);
    list.getModel().getLibrary() = numberedLibrary (kLibraryPrograms);
    list.setFilterCategory (7);

    for (auto _ : state)
    {
        list.rebuildList (KwsFile::kOneCategory);
        benchmark::DoNotOptimize (list.getRowCount());
    }
}
BENCHMARK (Library_FilterByCategory)->Unit (benchmark::kMillisecond);

// One wheel step and the repaint it asks for, into an image as the screen would get it.
static void Library_OneScrollStep (benchmark::State& state)
{
    KwsFile list;
    placeAsOnThePage (list);
    list.getModel().getLibrary() = numberedLibrary (kLibraryPrograms);
    list.rebuildList (KwsFile::kAllCategories);
    juce::Image screen (juce::Image::ARGB, list.getWidth(), list.getHeight(), true);
    int row = 0;

    for (auto _ : state)
    {
        list.scrollTo (row = (row + 1) % 1000);
        juce::Graphics g (screen);
        list.paintEntireComponent (g, false);
    }
}
BENCHMARK (Library_OneScrollStep)->Unit (benchmark::kMillisecond);
