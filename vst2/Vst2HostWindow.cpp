// The framework's own X11 declarations: its display connection and the
// library functions it loads at run time.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include "vst2/Vst2HostWindow.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace Vst2HostWindow
{
void resize (void* nativeWindow, int width, int height)
{
    auto* windowSystem = juce::XWindowSystem::getInstanceWithoutCreating();
    auto* display = windowSystem != nullptr ? windowSystem->getDisplay() : nullptr;
    if (nativeWindow == nullptr || display == nullptr || width <= 0 || height <= 0)
        return;

    const juce::XWindowSystemUtilities::ScopedXLock xLock;
    auto* x11 = juce::X11Symbols::getInstance();
    x11->xResizeWindow (display, (::Window) reinterpret_cast<std::uintptr_t> (nativeWindow), (unsigned) width, (unsigned) height);
    x11->xFlush (display);
}
} // namespace Vst2HostWindow
