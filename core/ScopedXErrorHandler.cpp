// The framework's X declarations (its display and its table of Xlib
// functions) come only with this switch, and only in this file.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#include "core/ScopedXErrorHandler.h"

#include <juce_gui_basics/juce_gui_basics.h>

#if JUCE_LINUX || JUCE_BSD

#include <atomic>
#include <mutex>

namespace
{
std::mutex installLock;
int openEditors = 0; // under installLock

// Read by the handler on whichever thread Xlib reports an error.
std::atomic<::Display*> ownDisplay { nullptr };
std::atomic<XErrorHandler> previousHandler { nullptr };

int ignoreOwnErrors (::Display* display, XErrorEvent* event)
{
    if (display == ownDisplay.load())
        return 0;

    const auto previous = previousHandler.load();
    return previous != nullptr ? previous (display, event) : 0;
}
} // namespace

ScopedXErrorHandler::ScopedXErrorHandler()
{
    const std::lock_guard<std::mutex> lock (installLock);

    if (openEditors++ > 0 || ownDisplay.load() != nullptr)
        return;

    auto* windowSystem = juce::XWindowSystem::getInstance();
    auto* display = windowSystem != nullptr ? windowSystem->getDisplay() : nullptr;
    if (display == nullptr)
        return; // no X server: nothing to guard

    ownDisplay = display;
    previousHandler = juce::X11Symbols::getInstance()->xSetErrorHandler (ignoreOwnErrors);
}

ScopedXErrorHandler::~ScopedXErrorHandler()
{
    const std::lock_guard<std::mutex> lock (installLock);

    if (--openEditors > 0 || ownDisplay.load() == nullptr)
        return;

    auto* symbols = juce::X11Symbols::getInstance();

    // Errors of requests already made still come to us, not to the handler put back.
    symbols->xSync (ownDisplay.load(), False);

    const auto current = symbols->xSetErrorHandler (previousHandler.load());
    if (current != ignoreOwnErrors)
    {
        // Someone set theirs over ours and may pass errors on to us: leave both in place.
        symbols->xSetErrorHandler (current);
        return;
    }

    ownDisplay = nullptr;
    previousHandler = nullptr;
}

#else

ScopedXErrorHandler::ScopedXErrorHandler() = default;
ScopedXErrorHandler::~ScopedXErrorHandler() = default;

#endif
