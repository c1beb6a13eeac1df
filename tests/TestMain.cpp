#include "core/storage/SettingsFile.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <cstdlib>

namespace
{
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
