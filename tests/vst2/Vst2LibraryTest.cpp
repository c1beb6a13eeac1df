#include "support/ProcessThreads.h"
#include "vst2/VstAbi.h"

#include <juce_core/juce_core.h>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <malloc.h>

// The built library, loaded the way a VST2 host loads it: dlopen and the one
// exported entry point.

namespace
{
intptr_t minimalHost (AEffect*, std::int32_t opcode, std::int32_t, intptr_t, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

using MainFn = AEffect* (*) (audioMasterCallback);

void openAndClose (void* library)
{
    auto main = reinterpret_cast<MainFn> (dlsym (library, "VSTPluginMain"));
    ASSERT_NE (main, nullptr);
    auto* effect = main (&minimalHost);
    ASSERT_NE (effect, nullptr);
    effect->dispatcher (effect, effOpen, 0, 0, nullptr, 0.0f);
    effect->dispatcher (effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    effect->dispatcher (effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    EXPECT_EQ (effect->dispatcher (effect, effClose, 0, 0, nullptr, 0.0f), 1);
}


} // namespace

TEST (Vst2Library, ExportsOnlyItsEntryAndOpensAndClosesWithoutALeak)
{
    const auto threadsBefore = processThreadCount();

    void* library = dlopen (BRINDLEMARK_VST2_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE (library, nullptr) << dlerror();
    EXPECT_EQ (dlsym (library, "GetPluginFactory"), nullptr);
    EXPECT_EQ (dlsym (library, "brindlemarkUseMidiDeviceLayer"), nullptr) << "no test seam in the VST2 library";

    for (int i = 0; i < 5; ++i)
        openAndClose (library);

    const auto before = mallinfo2().uordblks;
    for (int i = 0; i < 20; ++i)
        openAndClose (library);
    const auto after = mallinfo2().uordblks;

    EXPECT_LT ((long) after - (long) before, 64 * 1024);
    dlclose (library);

    // Nothing of the library may run once it is unmapped: a host that
    // unloads it would crash on the next wake-up of a thread left behind.
    EXPECT_EQ (processThreadCountSettlingTo (threadsBefore), threadsBefore);
}
