#pragma once

#include <juce_events/juce_events.h>

// A VST2 host gives the plug-in no message loop of its own: while instances
// live, a thread of ours runs the framework's messages. Inside a process that
// already runs the framework (a test), that one is used.
namespace Vst2MessageThread
{
void instanceCreated();
void instanceDeleted();

// Before the host unloads the library: nothing of ours may keep running.
void libraryUnloading();
} // namespace Vst2MessageThread
