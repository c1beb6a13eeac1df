#include "core/VellixAudioProcessor.h"

#include <gtest/gtest.h>

namespace
{
struct GestureRecorder : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override { changes.push_back ({ index, value }); }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index) override { begins.push_back (index); }
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index) override { ends.push_back (index); }

    std::vector<std::pair<int, float>> changes;
    std::vector<int> begins, ends;
};

struct HostParameters : testing::Test
{
    HostParameters() { processor.addListener (&recorder); }
    ~HostParameters() override { processor.removeListener (&recorder); }

    VellixAudioProcessor processor;
    GestureRecorder recorder;
};
} // namespace

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")

TEST_F (HostParameters, NamesOfTheWholeIndexSpace)
{
    const std::pair<int, const char*> cases[] = {
        { 0, "OSC1 Freq" }, { 105, "Knob 1" }, { 114, "Reserved 114" }, { 183, "Seq 4 Step 16" }, { 184, "PROGRAM" }, { 185, "CC# 0" }, { 186, "MOD WHEEL" },
        { 192, "VOLUME" }, { 217, "BANK" }, { 312, "CC# 127" }, { 313, "AT# 0" }, { 440, "AT# 127" },
        { 441, "PITCHBEND" }, { 442, "CHANNELPRESS" }, { 443, "" }, { -1, "" },
    };

    EXPECT_EQ (processor.getNumParameters(), 443);
    for (auto [index, name] : cases)
        EXPECT_EQ (processor.getParameterName (index), juce::String (name)) << index;
}

TEST_F (HostParameters, EveryByteSurvivesTheRoundTripThroughTheHostValue)
{
    const auto& tables = processor.getHub().getParameterTables();

    for (int position = 0; position < 184; ++position)
    {
        const int max = tables.getMax (position);
        for (int byte = 0; byte <= max; ++byte)
        {
            processor.setParameter (position, (float) byte / (float) max);
            ASSERT_EQ (processor.getHub().getEditBufferByte (position), byte) << "position " << position;
            ASSERT_FLOAT_EQ (processor.getParameter (position), (float) byte / (float) max);
        }
    }
}

TEST_F (HostParameters, HalvesRoundToEven)
{
    processor.setParameter (40, 0.5f); // 63.5
    EXPECT_EQ (processor.getHub().getEditBufferByte (40), 64);
    processor.setParameter (14, 0.5f); // 2.5 of a maximum of 5
    EXPECT_EQ (processor.getHub().getEditBufferByte (14), 2);
}

TEST_F (HostParameters, ControllerValuesAndTheirTexts)
{
    processor.setParameter (441, 1.0f);
    EXPECT_EQ (processor.getControllerValue (441), 16363);

    processor.setParameter (217, 0.5f);
    EXPECT_EQ (processor.getControllerValue (217), 1);
    EXPECT_EQ (processor.getParameterText (217), "B");

    processor.setParameter (184, 9.0f / 127.0f);
    EXPECT_EQ (processor.getParameterText (184), "B:010 " + processor.getHub().getBank (1)->getProgramName (9));
    EXPECT_EQ (processor.getParameterText (192), "100");
    EXPECT_EQ (processor.getParameterText (20), ParDes::getValueText (222, processor.getHub().getEditBufferByte (20)));
    EXPECT_EQ (processor.getParameterText (500), "");
    EXPECT_EQ (processor.getParameter (500), 0.0f);
}

TEST_F (HostParameters, AnEditOpensOneGestureThatTheTimerEndsAndThenTheTimerStops)
{
    processor.changeProgramParameter (20, 10, false, false);
    processor.changeProgramParameter (20, 11, false, false);
    processor.changeProgramParameter (20, 12, false, false);

    EXPECT_EQ (recorder.begins, std::vector<int> { 20 });
    EXPECT_TRUE (recorder.ends.empty());
    EXPECT_TRUE (processor.isTimerRunning());
    ASSERT_FALSE (recorder.changes.empty());
    EXPECT_FLOAT_EQ (recorder.changes.back().second, 12.0f / 164.0f);

    processor.timerCallback();

    EXPECT_EQ (recorder.ends, std::vector<int> { 20 });
    EXPECT_FALSE (processor.isGestureOpen (20));
    EXPECT_FALSE (processor.isTimerRunning()) << "with no gesture left to end, nothing to wake for";
}

TEST_F (HostParameters, AReleasedControlEndsItsGestureAtOnce)
{
    processor.changeProgramParameter (117, 5, true, false);

    EXPECT_EQ (recorder.begins, std::vector<int> { 117 });
    EXPECT_EQ (recorder.ends, std::vector<int> { 117 });
    EXPECT_EQ (processor.getHub().getEditBufferByte (117), 5);
}

TEST_F (HostParameters, ValuesFromTheSynthesizerReachTheHostWithOneGesture)
{
    auto& hub = processor.getHub();
    hub.queueControllerChange (40, 17);
    hub.queueControllerChange (441, 16383);

    processor.changeListenerCallback (&hub);

    EXPECT_EQ (hub.getEditBufferByte (40), 17);
    EXPECT_EQ (recorder.begins, (std::vector<int> { 40, 441 }));
    EXPECT_LE (processor.getParameter (441), 1.0f) << "a full hardware bend must not exceed the host's range";

    processor.timerCallback();
    EXPECT_EQ (recorder.ends, (std::vector<int> { 40, 441 }));
}

TEST_F (HostParameters, DestroyingTheProcessorEndsOpenGestures)
{
    auto other = std::make_unique<VellixAudioProcessor>();
    GestureRecorder otherRecorder;
    other->addListener (&otherRecorder);
    other->changeProgramParameter (3, 1, false, false);

    other.reset();

    EXPECT_EQ (otherRecorder.ends, std::vector<int> { 3 });
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE
