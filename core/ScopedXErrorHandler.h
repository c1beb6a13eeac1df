#pragma once

#include <juce_core/juce_core.h>

// While an editor is open, an X error on the framework's own display
// connection is ignored instead of ending the process. The framework installs
// such a handler only in a standalone application; in a plug-in, Xlib's
// default one stays in force unless the host put its own, and it exits on any
// error. Some are unavoidable: the framework asks the server about the window
// that has the focus, which another client may destroy between two requests.
// Errors on other connections (the host's own) go to the handler that was
// there before. Several editors share one installation; the last one to close
// puts the previous handler back, unless another was set over ours since.
// Editors are created and deleted on the message thread.
class ScopedXErrorHandler
{
public:
    ScopedXErrorHandler();
    ~ScopedXErrorHandler();

private:
    JUCE_DECLARE_NON_COPYABLE (ScopedXErrorHandler)
};
