#include "core/storage/SettingsFile.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <cstdlib>

namespace
{
// A host keeps the display's errors to itself, and so does this one: test
// processes share one display, and when a window of another process holds the
// focus, the framework asks the server about it, which fails if that process
// has just closed the window. Xlib's own handler would end the process for
// it; every other error still goes there.
XErrorHandler defaultXErrorHandler = nullptr;

int handleXError (Display* display, XErrorEvent* error)
{
    if (error->error_code == BadWindow && error->request_code == X_QueryTree)
        return 0;
    return defaultXErrorHandler (display, error);
}

// Every test starts with an empty settings folder of its own.
class FreshSettingsFolder : public testing::EmptyTestEventListener
{
public:
    explicit FreshSettingsFolder (juce::File rootFolder) : root (std::move (rootFolder)) {}

    void OnTestStart (const testing::TestInfo&) override
    {
        folder = root.getNonexistentChildFile ("settings", "");
        folder.createDirectory();
        setSettingsFolderOverride (folder);
    }

    void OnTestEnd (const testing::TestInfo&) override
    {
        setSettingsFolderOverride ({});
        folder.deleteRecursively();
    }

private:
    juce::File root, folder;
};
} // namespace

// Every test runs on a thread that is JUCE's message thread, as a host's is.
// HOME points at a private folder, so that nothing a test runs, not even a
// hosted plug-in module with its own copy of our code, touches the user's files.
int main (int argc, char** argv)
{
    char homeTemplate[] = "/tmp/brindlemark-test-XXXXXX";
    const char* home = mkdtemp (homeTemplate);
    if (home == nullptr)
        return 1;
    setenv ("HOME", home, 1);
    const juce::File homeFolder (home);

    defaultXErrorHandler = XSetErrorHandler (handleXError);

    testing::InitGoogleTest (&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append (new FreshSettingsFolder (homeFolder));

    int result = 0;
    {
        juce::ScopedJuceInitialiser_GUI juce;
        result = RUN_ALL_TESTS();
    }

    homeFolder.deleteRecursively();
    return result;
}
