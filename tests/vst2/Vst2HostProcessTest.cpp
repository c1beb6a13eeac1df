#include "support/ProcessThreads.h"
#include "vst2/VstAbi.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <limits>
#include <malloc.h>
#include <mutex>
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

// What the host answers when the editor changes size: "sizeWindow" it can
// do, and it fits its window to the size it is told.
std::atomic<bool> canDoSizeWindow { true };
std::atomic<bool> sizesWindow { true };

using Clock = std::chrono::steady_clock;

// The calls of the editor's size and idle protocol, when a test keeps them:
// they come from the library's message thread.
struct HostCall
{
    std::int32_t opcode;
    std::string text;
    std::int32_t index;
    intptr_t value;
    Clock::time_point at;
};
std::mutex logMutex;
std::vector<HostCall> hostLog;
std::atomic<bool> keepingLog { false };

void log (std::int32_t opcode, const char* text, std::int32_t index, intptr_t value)
{
    const auto at = Clock::now();
    if (! keepingLog)
        return;
    const std::lock_guard<std::mutex> guard (logMutex);
    hostLog.push_back ({ opcode, text != nullptr ? text : "", index, value, at });
}

std::vector<HostCall> loggedCalls()
{
    const std::lock_guard<std::mutex> guard (logMutex);
    return hostLog;
}

void clearLog()
{
    const std::lock_guard<std::mutex> guard (logMutex);
    hostLog.clear();
}

// A mapped window of the host's own, on its own display connection; false
// without an X display.
bool openHostWindow()
{
    hostDisplay = XOpenDisplay (nullptr);
    if (hostDisplay == nullptr)
        return false;

    hostWindow = XCreateSimpleWindow (hostDisplay, DefaultRootWindow (hostDisplay), 0, 0, 1200, 760, 0, 0, 0);
    XMapWindow (hostDisplay, hostWindow);
    XSync (hostDisplay, False);
    return true;
}

void closeHostWindow()
{
    if (hostDisplay == nullptr)
        return;

    XDestroyWindow (hostDisplay, hostWindow);
    XCloseDisplay (hostDisplay);
    hostDisplay = nullptr;
    hostWindow = 0;
}

void fitHostWindow (int width, int height)
{
    XResizeWindow (hostDisplay, hostWindow, (unsigned) width, (unsigned) height);
    XFlush (hostDisplay);
}

intptr_t host (AEffect*, std::int32_t opcode, std::int32_t index, intptr_t value, void* ptr, float)
{
    switch (opcode)
    {
        case audioMasterVersion:
            return 2400;

        case audioMasterUpdateDisplay:
            ++displayUpdates;
            return 1;

        case audioMasterIdle:
            log (opcode, nullptr, index, value);
            return 0;

        case audioMasterCanDo:
        {
            const auto* text = static_cast<const char*> (ptr);
            log (opcode, text, index, value);
            return text != nullptr && std::strcmp (text, "sizeWindow") == 0 && canDoSizeWindow ? 1 : 0;
        }

        case audioMasterSizeWindow:
            log (opcode, nullptr, index, value);
            if (! sizesWindow)
                return 0;
            fitHostWindow ((int) index, (int) value);
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

TEST (Vst2HostProcess, TheLibrarysThreadsShowTheirNamesInTheHostsThreadList)
{
    LoadedLibrary library;
    ASSERT_NE (library.handle, nullptr) << dlerror();
    Plugin plugin (library.handle);
    ASSERT_NE (plugin.effect, nullptr);

    const auto shown = [] (const std::string& wanted) {
        for (const auto id : processThreadIds())
            if (threadName (id) == wanted)
                return true;
        return false;
    };

    // A thread names itself once it runs.
    EXPECT_TRUE (waitFor ([&] { return shown ("Brm messages"); })) << "the library's own message thread";
    EXPECT_TRUE (waitFor ([&] { return shown ("Brm host view"); }));
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
        fitHostWindow (width + (i % 3), height);

        ASSERT_EQ (plugin.dispatch (effEditOpen, 0, 0, reinterpret_cast<void*> (hostWindow)), 1);
        plugin.dispatch (effEditIdle);

        // Resizing the parent floods the editor's window with configure events
        // that the library's message thread handles while the host closes it.
        fitHostWindow (width + 7 - (i % 5), height + (i % 2));
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
    if (! openHostWindow())
        GTEST_SKIP() << "needs an X display";

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

    closeHostWindow();
}

//==============================================================================
namespace
{
// The editor open in a mapped host window, past the about box that its first
// opening shows, which holds the mouse while it stands.
struct Vst2EditorInTheHostsWindow : testing::Test
{
    void SetUp() override
    {
        if (! openHostWindow())
            GTEST_SKIP() << "needs an X display";

        ASSERT_NE (library.handle, nullptr) << dlerror();
        plugin = std::make_unique<Plugin> (library.handle);
        ASSERT_NE (plugin->effect, nullptr);

        openEditor();
        plugin->dispatch (effEditClose);
        editorSize = openEditor();
        editor = editorWindow();
        ASSERT_NE (editor, 0u);

        clearLog();
        keepingLog = true;
    }

    void TearDown() override
    {
        keepingLog = false;
        plugin.reset();
        closeHostWindow();
        canDoSizeWindow = true;
        sizesWindow = true;
    }

    struct Size
    {
        int width = 0, height = 0;
        bool operator== (const Size& other) const { return width == other.width && height == other.height; }
    };

    Size openEditor()
    {
        ERect* rect = nullptr;
        plugin->dispatch (effEditGetRect, 0, 0, &rect);
        EXPECT_EQ (plugin->dispatch (effEditOpen, 0, 0, reinterpret_cast<void*> (hostWindow)), 1);
        return rect != nullptr ? Size { rect->right - rect->left, rect->bottom - rect->top } : Size {};
    }

    // The window the library put into the host's: the topmost child.
    Window editorWindow()
    {
        Window found = 0;
        waitFor ([&] {
            Window root = 0, parent = 0, *children = nullptr;
            unsigned count = 0;
            if (XQueryTree (hostDisplay, hostWindow, &root, &parent, &children, &count) != 0 && count > 0)
                found = children[count - 1];
            if (children != nullptr)
                XFree (children);
            return found != 0;
        });
        return found;
    }

    Size hostWindowSize()
    {
        XWindowAttributes attributes {};
        XGetWindowAttributes (hostDisplay, hostWindow, &attributes);
        return { attributes.width, attributes.height };
    }

    // The left button, as the X server would report it to the editor's window.
    void sendPointer (int type, int x, int y)
    {
        XEvent event {};
        long mask = 0;

        const auto fill = [&] (auto& e) {
            e.type = type;
            e.display = hostDisplay;
            e.window = editor;
            e.root = DefaultRootWindow (hostDisplay);
            e.time = ++eventTime;
            e.x = e.x_root = x;
            e.y = e.y_root = y;
            e.same_screen = True;
        };

        if (type == MotionNotify)
        {
            fill (event.xmotion);
            event.xmotion.state = Button1Mask;
            event.xmotion.is_hint = NotifyNormal;
            mask = PointerMotionMask | ButtonMotionMask;
        }
        else
        {
            fill (event.xbutton);
            event.xbutton.button = Button1;
            event.xbutton.state = type == ButtonRelease ? Button1Mask : 0;
            mask = type == ButtonPress ? ButtonPressMask : ButtonReleaseMask;
        }

        XSendEvent (hostDisplay, editor, False, mask, &event);
        XFlush (hostDisplay);
    }

    // The framework reads its X events when its connection has bytes to
    // read: events that a request of its own has already queued wait for the
    // next one. A message the editor ignores is such a byte, as the pointer's
    // next movement would be in a real host.
    void nudgeEditor()
    {
        XEvent event {};
        event.xclient.type = ClientMessage;
        event.xclient.display = hostDisplay;
        event.xclient.window = editor;
        event.xclient.message_type = XInternAtom (hostDisplay, "BRINDLEMARK_TEST_NUDGE", False);
        event.xclient.format = 32;
        XSendEvent (hostDisplay, editor, False, NoEventMask, &event);
        XFlush (hostDisplay);
    }

    template <typename Condition>
    bool waitForTheEditor (Condition condition)
    {
        for (int waited = 0; waited < 10000; waited += 50)
        {
            if (waitFor (condition, 50))
                return true;
            nudgeEditor();
        }
        return false;
    }

    // The resize corner fills the editor's bottom-right 16 x 16 pixels.
    int cornerX() const { return editorSize.width - 8; }
    int cornerY() const { return editorSize.height - 8; }

    void dragTheResizeCorner (int dx, int dy)
    {
        sendPointer (ButtonPress, cornerX(), cornerY());
        for (int step = 1; step <= 4; ++step)
            sendPointer (MotionNotify, cornerX() + dx * step / 4, cornerY() + dy * step / 4);
        sendPointer (ButtonRelease, cornerX() + dx, cornerY() + dy);
    }

    LoadedLibrary library;
    std::unique_ptr<Plugin> plugin;
    Size editorSize;
    Window editor = 0;
    Time eventTime = 1000;
};

std::vector<HostCall> callsOf (const std::vector<HostCall>& calls, std::initializer_list<std::int32_t> opcodes)
{
    std::vector<HostCall> found;
    for (const auto& call : calls)
        if (std::find (opcodes.begin(), opcodes.end(), call.opcode) != opcodes.end())
            found.push_back (call);
    return found;
}
} // namespace

TEST_F (Vst2EditorInTheHostsWindow, DraggingTheResizeCornerFitsTheHostsWindowThroughTheHostOrElseItself)
{
    struct Case
    {
        const char* host;
        bool canDoSizeWindow, sizesWindow;
        bool sizeWindowSent;
    };
    const Case cases[] = {
        { "fits its window when asked", true, true, true },
        { "cannot size windows", false, true, false },
        { "refuses this size", true, false, true },
    };

    int grow = 0;
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.host);
        canDoSizeWindow = c.canDoSizeWindow;
        sizesWindow = c.sizesWindow;
        clearLog();
        grow += 20;

        ERect* rect = nullptr;
        plugin->dispatch (effEditGetRect, 0, 0, &rect);
        ASSERT_NE (rect, nullptr);
        editorSize = { rect->right - rect->left, rect->bottom - rect->top };
        const Size wanted { editorSize.width + grow, editorSize.height + grow / 2 };

        dragTheResizeCorner (grow, grow / 2);

        EXPECT_TRUE (waitForTheEditor ([&] { return hostWindowSize() == wanted; }))
            << "host window " << hostWindowSize().width << " x " << hostWindowSize().height;

        // Asked first, every time; told the size only by a host that can size windows.
        const auto calls = callsOf (loggedCalls(), { audioMasterCanDo, audioMasterSizeWindow });
        ASSERT_FALSE (calls.empty());
        for (size_t i = 0; i < calls.size(); ++i)
        {
            const bool asking = ! c.sizeWindowSent || i % 2 == 0;
            EXPECT_EQ (calls[i].opcode, asking ? audioMasterCanDo : audioMasterSizeWindow) << i;
            if (asking)
                EXPECT_EQ (calls[i].text, "sizeWindow") << i;
        }

        if (c.sizeWindowSent)
        {
            EXPECT_EQ (calls.size() % 2, 0u);
            EXPECT_EQ (calls.back().index, wanted.width);
            EXPECT_EQ (calls.back().value, wanted.height);
        }
    }
}

TEST_F (Vst2EditorInTheHostsWindow, IdleComesWhileAButtonIsHeldNeverCloserThan20MsAndStopsWithTheRelease)
{
    using namespace std::chrono;
    const auto idlesSince = [] (Clock::time_point from) {
        std::vector<Clock::time_point> times;
        for (const auto& call : callsOf (loggedCalls(), { audioMasterIdle }))
            if (call.at >= from)
                times.push_back (call.at);
        return times;
    };

    const auto pressed = Clock::now();
    sendPointer (ButtonPress, cornerX(), cornerY());
    ASSERT_TRUE (waitForTheEditor ([&] { return idlesSince (pressed).size() >= 16; }));

    // The editor's 250 ms timer idles too: while the button is held, most
    // calls come far closer together than it would give them.
    const auto held = idlesSince (pressed);
    std::vector<long> gapsMs;
    for (size_t i = 1; i < held.size(); ++i)
        gapsMs.push_back ((long) duration_cast<milliseconds> (held[i] - held[i - 1]).count());
    std::nth_element (gapsMs.begin(), gapsMs.begin() + (long) gapsMs.size() / 2, gapsMs.end());
    EXPECT_LT (gapsMs[gapsMs.size() / 2], 125) << "the median gap in ms";

    // Released, the calls fall back to the timer's pace: first a pause far
    // longer than the held button's, then no more than the timer gives.
    sendPointer (ButtonRelease, cornerX(), cornerY());
    const auto quietFor = [&] (milliseconds pause) {
        const auto times = idlesSince (pressed);
        return times.empty() || Clock::now() - times.back() >= pause;
    };
    ASSERT_TRUE (waitForTheEditor ([&] { return quietFor (milliseconds (150)); })) << "idle calls go on after the release";
    const auto afterRelease = Clock::now();
    std::this_thread::sleep_for (milliseconds (1500));
    EXPECT_LE (idlesSince (afterRelease).size(), 1500u / 250u + 2u) << "only the editor's timer idles";

    plugin->dispatch (effEditClose);
    const auto closed = Clock::now();
    std::this_thread::sleep_for (milliseconds (600));
    EXPECT_TRUE (idlesSince (closed).empty()) << "no idle without an editor";

    // Whichever of the library's timers asked, the host never sees two idle
    // calls closer together than 20 ms.
    const auto all = idlesSince (Clock::time_point {});
    auto closest = Clock::duration::max();
    for (size_t i = 1; i < all.size(); ++i)
        closest = std::min (closest, all[i] - all[i - 1]);
    EXPECT_GE (closest, milliseconds (20)) << duration_cast<microseconds> (closest).count() << " us";
}

int main (int argc, char** argv)
{
    char homeTemplate[] = "/tmp/brindlemark-test-XXXXXX";
    const char* home = mkdtemp (homeTemplate);
    if (home == nullptr)
        return 1;
    setenv ("HOME", home, 1);

    // The host's window is resized from the library's message thread too.
    XInitThreads();

    testing::InitGoogleTest (&argc, argv);
    const int result = RUN_ALL_TESTS();

    std::system (("rm -rf '" + std::string (home) + "'").c_str());
    return result;
}
