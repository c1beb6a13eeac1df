// Before the X headers, whose macros clash with it.
#include <gtest/gtest.h>

// The framework's X declarations come only with this switch.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#include <juce_gui_basics/juce_gui_basics.h>

#include "core/VellixAudioProcessor.h"

#include <atomic>

namespace
{
std::atomic<int> hostErrors { 0 };

// A host's own handler, as Xlib's default one would be but for exiting.
int hostHandler (::Display*, XErrorEvent*)
{
    ++hostErrors;
    return 0;
}

// A window that existed and is gone, as another client's focused window may be
// by the time the framework asks the server about it.
::Window vanishedWindow (::Display* display)
{
    juce::Component window;
    window.setSize (10, 10);
    window.addToDesktop (0);
    const auto handle = (::Window) (juce::pointer_sized_uint) window.getWindowHandle();
    window.removeFromDesktop();
    juce::X11Symbols::getInstance()->xSync (display, False);
    return handle;
}

// The request that ended a test process when its window was gone.
void queryTree (::Display* display, ::Window window)
{
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (juce::X11Symbols::getInstance()->xQueryTree (display, window, &root, &parent, &children, &count) != 0
        && children != nullptr)
        juce::X11Symbols::getInstance()->xFree (children);
}
} // namespace

TEST (ScopedXErrorHandler, WhileAnEditorIsOpenItsXErrorsNeitherEndTheProcessNorReachTheHost)
{
    auto* symbols = juce::X11Symbols::getInstance();
    auto* display = juce::XWindowSystem::getInstance()->getDisplay();
    ASSERT_NE (display, nullptr) << "the GUI tests need an X display";
    const auto gone = vanishedWindow (display);
    hostErrors = 0;
    const auto before = symbols->xSetErrorHandler (hostHandler);

    {
        VellixAudioProcessor processor;
        std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());

        queryTree (display, gone);
        EXPECT_EQ (hostErrors, 0) << "an error on the plug-in's own connection stays with it";

        // The host's own connection: its errors are still the host's to judge.
        auto* hostDisplay = symbols->xOpenDisplay (nullptr);
        ASSERT_NE (hostDisplay, nullptr);
        queryTree (hostDisplay, gone);
        symbols->xCloseDisplay (hostDisplay);
        EXPECT_EQ (hostErrors, 1);
    }

    EXPECT_EQ (symbols->xSetErrorHandler (before), hostHandler) << "the host's handler is back once the editor is gone";
}
