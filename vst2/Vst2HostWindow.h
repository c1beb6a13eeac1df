#pragma once

// The host's window that the editor sits in, as the platform knows it.
namespace Vst2HostWindow
{
// Fits the host's window to the editor when the host would not; message thread.
void resize (void* nativeWindow, int width, int height);
} // namespace Vst2HostWindow
