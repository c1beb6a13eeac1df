#include "support/ProcessThreads.h"
#include "vst2/VstAbi.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <atomic>
#include <cstdlib>
#include <dlfcn.h>
#include <limits>
#include <malloc.h>
#include <string>
#include <thread>
#include <vector>

// The built library in a host process that runs no framework of its own, as
// a DAW or a checker loads it: the library runs its own message thread.

namespace
{
Display* hostDisplay = nullptr;
Window hostWindow = 0;

std::atomic<int> displayUpdates { 0 };

intptr_t host (AEffect*, std::int32_t opcode, std::int32_t index, intptr_t value, void*, float)
{
    switch (opcode)
    {
        case audioMasterVersion:
            return 2400;

        case audioMasterUpdateDisplay:
            ++displayUpdates;
            return 1;

        case audioMasterSizeWindow:
            // The host fits its window to the editor, as hosts do.
            XResizeWindow (hostDisplay, hostWindow, (unsigned) index, (unsigned) value);
            XFlush (hostDisplay);
            return 1;

        default:
            return 0;
    }
}


struct Plugin
{
    explicit Plugin (void* library)
    {
        using MainFn = AEffect* (*) (audioMasterCallback);
        auto main = reinterpret_cast<MainFn> (dlsym (library, "VSTPluginMain"));
        effect = main != nullptr ? main (&host) : nullptr;
        if (effect != nullptr)
        {
            dispatch (effOpen);
            dispatch (effSetSampleRate, 0, 0, nullptr, 48000.0f);
            dispatch (effSetBlockSize, 0, 256);
            dispatch (effMainsChanged, 0, 1);
        }
    }

    ~Plugin()
    {
        if (effect != nullptr)
        {
            dispatch (effMainsChanged, 0, 0);
            dispatch (effClose);
        }
    }

    intptr_t dispatch (std::int32_t opcode, std::int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f)
    {
        return effect->dispatcher (effect, opcode, index, value, ptr, opt);
    }

    AEffect* effect = nullptr;
};

std::vector<char> bankChunkOf (Plugin& plugin)
{
    void* data = nullptr;
    const auto size = plugin.dispatch (effGetChunk, 0, 0, &data);
    if (data == nullptr || size <= 0)
        return {};
    return { static_cast<const char*> (data), static_cast<const char*> (data) + size };
}

template <typename Condition>
bool waitFor (Condition condition, int timeoutMs = 2000)
{
    for (int waited = 0; waited < timeoutMs; waited += 5)
    {
        if (condition())
            return true;
        std::this_thread::sleep_for (std::chrono::milliseconds (5));
    }
    return condition();
}

struct LoadedLibrary
{
    LoadedLibrary() : handle (dlopen (BRINDLEMARK_VST2_LIBRARY, RTLD_NOW | RTLD_LOCAL)) {}
    ~LoadedLibrary()
    {
        if (handle != nullptr)
            dlclose (handle);
    }
    void* handle;
};
} // namespace

TEST (Vst2HostProcess, ABankChunkBringsBackTheSoundBeingEditedAndItsProgram)
{
    LoadedLibrary library;
    ASSERT_NE (library.handle, nullptr) << dlerror();

    std::vector<char> project;
    {
        Plugin author (library.handle);
        ASSERT_NE (author.effect, nullptr);
        author.dispatch (effSetProgram, 0, 9);
        author.effect->setParameter (author.effect, 0, 0.6f);  // OSC1 Freq
        author.effect->setParameter (author.effect, 20, 0.5f); // the filter
        project = bankChunkOf (author);
    }
    ASSERT_EQ (project.size(), 33050u);

    Plugin reopened (library.handle);
    ASSERT_NE (reopened.effect, nullptr);
    reopened.dispatch (effSetChunk, 0, (intptr_t) project.size(), project.data());
    EXPECT_EQ (reopened.dispatch (effGetProgram), 9);
    EXPECT_NEAR (reopened.effect->getParameter (reopened.effect, 0), 72.0f / 120.0f, 1e-6f);
    EXPECT_NEAR (reopened.effect->getParameter (reopened.effect, 20), 82.0f / 164.0f, 1e-6f);
    EXPECT_EQ (bankChunkOf (reopened), project) << "saved again, the same bytes";
}

TEST (Vst2HostProcess, TheHostIsToldOnceForABurstOfProgramChanges)
{
    LoadedLibrary library;
    ASSERT_NE (library.handle, nullptr) << dlerror();
    Plugin plugin (library.handle);
    ASSERT_NE (plugin.effect, nullptr);
    std::this_thread::sleep_for (std::chrono::milliseconds (100));

    displayUpdates = 0;
    plugin.dispatch (effSetProgram, 0, 5);
    EXPECT_TRUE (waitFor ([] { return displayUpdates >= 1; }));

    std::this_thread::sleep_for (std::chrono::milliseconds (100));
    displayUpdates = 0;
    for (int program = 0; program < 50; ++program)
        plugin.dispatch (effSetProgram, 0, program);
    std::this_thread::sleep_for (std::chrono::milliseconds (200));
    EXPECT_GE (displayUpdates, 1);
    EXPECT_LE (displayUpdates, 2) << "fifty selections in a row reach the host as one update";
}

namespace
{
// Opens, resizes and closes the editor the given number of times while another
// thread processes blocks.
void cycleTheEditor (Plugin& plugin, int cycles)
{
    std::atomic<bool> processing { true };
    std::thread audio ([&] {
        std::vector<float> left (256), right (256);
        float* ins[] = { left.data(), right.data() };
        float* outs[] = { left.data(), right.data() };
        while (processing)
        {
            plugin.effect->processReplacing (plugin.effect, ins, outs, 256);
            std::this_thread::sleep_for (std::chrono::microseconds (500));
        }
    });

    for (int i = 0; i < cycles; ++i)
    {
        ERect* rect = nullptr;
        ASSERT_NE (plugin.dispatch (effEditGetRect, 0, 0, &rect), 0);
        ASSERT_NE (rect, nullptr);
        const int width = rect->right - rect->left, height = rect->bottom - rect->top;
        host (plugin.effect, audioMasterSizeWindow, width + (i % 3), height, nullptr, 0.0f);

        ASSERT_EQ (plugin.dispatch (effEditOpen, 0, 0, reinterpret_cast<void*> (hostWindow)), 1);
        plugin.dispatch (effEditIdle);

        // Resizing the parent floods the editor's window with configure events
        // that the library's message thread handles while the host closes it.
        host (plugin.effect, audioMasterSizeWindow, width + 7 - (i % 5), height + (i % 2), nullptr, 0.0f);
        if (i % 4 == 0)
            std::this_thread::sleep_for (std::chrono::milliseconds (2));

        plugin.dispatch (effEditClose);
    }

    processing = false;
    audio.join();
}
} // namespace

TEST (Vst2EditorFromTheHostsThread, OpensResizesAndClosesWhileAudioRunsWithoutACrashOrALeak)
{
    hostDisplay = XOpenDisplay (nullptr);
    if (hostDisplay == nullptr)
        GTEST_SKIP() << "needs an X display";

    hostWindow = XCreateSimpleWindow (hostDisplay, DefaultRootWindow (hostDisplay), 0, 0, 1200, 760, 0, 0, 0);
    XMapWindow (hostDisplay, hostWindow);
    XSync (hostDisplay, False);

    const int threadsBefore = processThreadCount();
    void* library = dlopen (BRINDLEMARK_VST2_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE (library, nullptr) << dlerror();

    {
        Plugin warmUp (library);
        ASSERT_NE (warmUp.effect, nullptr);
        cycleTheEditor (warmUp, 20);
    }

    // The framework's glyph and image caches fill while the editor paints,
    // more in one round than another with the machine's load; a leak grows
    // the heap in every round.
    const int threadsWithTheLibrary = processThreadCount();
    long smallestGrowth = std::numeric_limits<long>::max();
    for (int round = 0; round < 3; ++round)
    {
        const auto heapBefore = mallinfo2().uordblks;
        {
            Plugin plugin (library);
            ASSERT_NE (plugin.effect, nullptr);
            cycleTheEditor (plugin, 70);
        }
        const long growth = (long) mallinfo2().uordblks - (long) heapBefore;
        smallestGrowth = std::min (smallestGrowth, growth);
    }

    EXPECT_LT (smallestGrowth, 128 * 1024);
    EXPECT_LE (processThreadCountSettlingTo (threadsWithTheLibrary), threadsWithTheLibrary);

    dlclose (library);
    EXPECT_EQ (processThreadCountSettlingTo (threadsBefore), threadsBefore);

    XDestroyWindow (hostDisplay, hostWindow);
    XCloseDisplay (hostDisplay);
}

// No framework runs in this process: only the library's own.
int main (int argc, char** argv)
{
    char homeTemplate[] = "/tmp/brindlemark-test-XXXXXX";
    const char* home = mkdtemp (homeTemplate);
    if (home == nullptr)
        return 1;
    setenv ("HOME", home, 1);

    testing::InitGoogleTest (&argc, argv);
    const int result = RUN_ALL_TESTS();

    std::system (("rm -rf '" + std::string (home) + "'").c_str());
    return result;
}
