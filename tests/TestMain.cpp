#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

// Every test runs on a thread that is JUCE's message thread, as a host's is.
int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
