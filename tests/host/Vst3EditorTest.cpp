#include "host/LoadedModule.h"
#include "support/MessageLoop.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

// The loaded module's editor, opened by the host as a DAW opens it. Its
// components live in the module's own copy of the framework, so the test reads
// what a musician sees: the pixels of the application bar's status text.

using namespace LoadedModule;

namespace
{
// Where the status text stands in the bar, which keeps its size at any scale.
const juce::Rectangle<int> statusArea { 564, 2, 300, 15 };

enum class ShownStatus
{
    blank,
    offLine,
    onLine
};

// How far to the right the text reaches: the on-line text is about three
// times as long as the off-line one.
int inkExtent (const juce::Point<int> editorOnScreen)
{
    Display* display = XOpenDisplay (nullptr);
    if (display == nullptr)
        return -1;

    const auto area = statusArea + editorOnScreen;
    XImage* image = XGetImage (display, DefaultRootWindow (display), area.getX(), area.getY(), (unsigned) area.getWidth(),
                               (unsigned) area.getHeight(), AllPlanes, ZPixmap);
    int extent = 0;
    if (image != nullptr)
    {
        const auto background = XGetPixel (image, area.getWidth() - 1, area.getHeight() / 2);
        for (int x = 0; x < area.getWidth(); ++x)
            for (int y = 0; y < area.getHeight(); ++y)
                if (XGetPixel (image, x, y) != background)
                    extent = x + 1;
        XDestroyImage (image);
    }
    XCloseDisplay (display);
    return extent;
}

ShownStatus statusShown (juce::Component& editor)
{
    const int extent = inkExtent (editor.getScreenPosition());
    if (extent <= 0)
        return ShownStatus::blank;
    return extent < 100 ? ShownStatus::offLine : ShownStatus::onLine;
}

struct OpenEditor
{
    explicit OpenEditor (juce::AudioPluginInstance& plugin) : editor (plugin.createEditorIfNeeded())
    {
        if (editor != nullptr)
        {
            editor->setTopLeftPosition (0, 0);
            editor->addToDesktop (juce::ComponentPeer::windowIsTemporary);
            editor->setVisible (true);
        }
    }

    // The host's window detaches the plug-in's view before it goes, as a DAW's does.
    ~OpenEditor() { editor.reset(); }

    bool shows (ShownStatus wanted, int timeoutMs = 1000)
    {
        // The host's side of the editor (its window, the plug-in view's run
        // loop) works on this thread's message loop, as in a DAW.
        return waitUntil ([&] {
            deliverPendingMessages();
            return statusShown (*editor) == wanted;
        }, timeoutMs);
    }

    std::unique_ptr<juce::AudioProcessorEditor> editor;
};
} // namespace

TEST (Vst3Editor, TheStatusShowsWhetherTheSynthesizerAnswersFromTheFirstOpening)
{
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
        GTEST_SKIP() << "needs an X display";

    ModuleWiredToSynth rig;
    rig.synth.setMuted (true);
    auto plugin = instantiate (48000.0, 256);
    ASSERT_NE (plugin, nullptr);

    for (int opening = 0; opening < 2; ++opening)
    {
        OpenEditor open (*plugin);
        ASSERT_NE (open.editor, nullptr);
        EXPECT_TRUE (open.shows (ShownStatus::offLine)) << "a silent synthesizer shows off-line, opening " << opening;
    }

    rig.synth.setMuted (false);
    OpenEditor open (*plugin);
    ASSERT_NE (open.editor, nullptr);
    EXPECT_TRUE (open.shows (ShownStatus::onLine, 3000));
}
