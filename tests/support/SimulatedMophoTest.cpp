#include "support/ProgramDumps.h"
#include "support/SimulatedMopho.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
using Bytes = std::vector<juce::uint8>;
using Request = SimulatedMopho::Request;

Bytes bytesOf (const juce::MidiMessage& message)
{
    return { message.getRawData(), message.getRawData() + message.getRawDataSize() };
}

// The plug-in's end of the cable: keeps what arrives, and when.
class PluginSide : public juce::MidiInputCallback
{
public:
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message) override
    {
        const juce::ScopedLock sl (lock);
        messages.push_back (bytesOf (message));
        arrivalsMs.push_back (juce::Time::getMillisecondCounterHiRes());
    }

    std::vector<Bytes> getMessages() const
    {
        const juce::ScopedLock sl (lock);
        return messages;
    }

    std::vector<double> getArrivalsMs() const
    {
        const juce::ScopedLock sl (lock);
        return arrivalsMs;
    }

    bool waitFor (size_t count, int timeoutMs = 5000) const
    {
        return waitUntil ([this, count] { return getMessages().size() >= count; }, timeoutMs);
    }

private:
    juce::CriticalSection lock;
    std::vector<Bytes> messages;
    std::vector<double> arrivalsMs;
};

// Both ports open, the simulator on their far side.
struct Cable
{
    Cable() { inputPort->start(); }

    void sendBytes (const Bytes& bytes) { outputPort->sendMessageNow (juce::MidiMessage (bytes.data(), (int) bytes.size())); }
    void send (const juce::MidiMessage& message) { outputPort->sendMessageNow (message); }

    VirtualMidiDeviceLayer layer;
    VirtualMidiOutput& output = layer.addOutput ("Mopho Desktop", "sim-out");
    VirtualMidiInput& input = layer.addInput ("Mopho Desktop", "sim-in");
    PluginSide plugin;
    SimulatedMopho synth { output, input };
    std::unique_ptr<MidiInputPort> inputPort = layer.openInput ("sim-in", &plugin);
    std::unique_ptr<MidiOutputPort> outputPort = layer.openOutput ("sim-out");
};

const Bytes kEditBufferRequest { 0xF0, 0x01, 0x25, 0x06, 0xF7 };

std::vector<juce::MidiMessage> nrpn (int channel, int number, int value)
{
    return { juce::MidiMessage::controllerEvent (channel, 99, number / 128),
             juce::MidiMessage::controllerEvent (channel, 98, number % 128),
             juce::MidiMessage::controllerEvent (channel, 6, value / 128),
             juce::MidiMessage::controllerEvent (channel, 38, value % 128) };
}
} // namespace

TEST (SimulatedMopho, AnswersEachRequestWithItsDump)
{
    Cable cable;
    cable.synth.setGlobalDumpCount (3);

    struct Case
    {
        Bytes request;
        Request kind;
        std::function<Bytes (const SimulatedMopho&)> expectedAnswer;
    };
    const Case cases[] = {
        { kEditBufferRequest, Request::editBuffer,
          [] (auto& synth) {
              const auto dump = ProgramImage::buildEditBufferDump (synth.getEditBuffer());
              return Bytes (dump.begin(), dump.end());
          } },
        { { 0xF0, 0x01, 0x25, 0x05, 0x02, 0x4D, 0xF7 }, Request::programDump,
          [] (auto& synth) {
              return buildProgramDump (2, 77, synth.getProgram (2, 77));
          } },
        { { 0xF0, 0x01, 0x25, 0x0E, 0xF7 }, Request::globalParameters,
          [] (auto& synth) {
              Bytes dump { 0xF0, 0x01, 0x25, 0x0F };
              for (int slot = 0; slot < 3; ++slot)
                  dump.insert (dump.end(), { (juce::uint8) (synth.getGlobal (slot) % 16), (juce::uint8) (synth.getGlobal (slot) / 16) });
              dump.push_back (0xF7);
              return dump;
          } },
    };

    for (const auto& c : cases)
        cable.sendBytes (c.request);

    ASSERT_TRUE (cable.synth.waitForDumpsSent (3));
    ASSERT_TRUE (cable.input.waitUntilDelivered());
    const auto answers = cable.plugin.getMessages();
    ASSERT_EQ (answers.size(), std::size (cases));

    for (size_t i = 0; i < answers.size(); ++i)
    {
        EXPECT_EQ (answers[i], cases[i].expectedAnswer (cable.synth)) << "request " << i;
        EXPECT_EQ (cable.synth.getRequestCount (cases[i].kind), 1) << "request " << i;
    }

    EXPECT_EQ (ProgramImage::unpack (answers[0].data() + ProgramImage::kEditBufferPayloadOffset), cable.synth.getEditBuffer());
    EXPECT_NE (cable.synth.getEditBuffer(), cable.synth.getProgram (2, 77));
}

TEST (SimulatedMopho, FollowsNrpnBankSelectAndProgramChangeOnItsChannel)
{
    Cable cable;
    auto& synth = cable.synth;
    const auto before = synth.getEditBuffer();

    std::vector<juce::MidiMessage> messages = nrpn (1, 114, 200);                       // position 5
    messages.push_back (juce::MidiMessage::controllerEvent (1, 38, 73));                 // same number and MSB
    for (auto& m : nrpn (1, 392, 7))                                                     // global slot 21
        messages.push_back (m);
    for (auto& m : nrpn (2, 29, 99))                                                     // another channel
        messages.push_back (m);

    for (auto& m : messages)
        cable.send (m);
    ASSERT_TRUE (synth.waitForReceived (messages.size()));

    EXPECT_EQ (synth.getEditBuffer()[5], 201);
    EXPECT_EQ (synth.getGlobal (21), 7);
    EXPECT_EQ (synth.getEditBuffer()[40], before[40]);

    cable.send (juce::MidiMessage::controllerEvent (1, 32, 1));
    cable.send (juce::MidiMessage::programChange (1, 5));
    ASSERT_TRUE (synth.waitForReceived (messages.size() + 2));

    EXPECT_EQ (synth.getCurrentBank(), 1);
    EXPECT_EQ (synth.getCurrentProgram(), 5);
    EXPECT_EQ (synth.getEditBuffer(), synth.getProgram (1, 5));
}

TEST (SimulatedMopho, ShapesTheNumberedDumpAsTold)
{
    using Shape = SimulatedMopho::DumpShape;
    const auto f8 = juce::MidiMessage (0xF8);
    const auto noteOn = juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100);

    auto slice = [] (const Bytes& b, size_t from, size_t to) { return Bytes (b.begin() + (std::ptrdiff_t) from, b.begin() + (std::ptrdiff_t) to); };

    struct Case
    {
        const char* name;
        std::function<void (Shape&)> shape;
        std::function<std::vector<Bytes> (const Bytes& whole)> expected;
    };
    const Case cases[] = {
        { "drop", [] (auto& s) { s.drop = true; }, [] (auto&) { return std::vector<Bytes> {}; } },
        { "truncate", [] (auto& s) { s.truncateTo = 100; }, [&] (auto& w) { return std::vector<Bytes> { slice (w, 0, 100) }; } },
        { "corrupt", [] (auto& s) { s.corruptPayloadByte = 10; },
          [] (auto& w) {
              auto b = w;
              b[14] ^= 0x01;
              return std::vector<Bytes> { b };
          } },
        { "remove end", [] (auto& s) { s.removeEnd = true; }, [&] (auto& w) { return std::vector<Bytes> { slice (w, 0, 297) }; } },
        { "split around F8 and a note",
          [&] (auto& s) {
              s.pieceSizes = { 256 };
              s.insertions = { { 0, f8 }, { 0, noteOn } };
          },
          [&] (auto& w) { return std::vector<Bytes> { slice (w, 0, 256), { 0xF8 }, bytesOf (noteOn), slice (w, 256, 298) }; } },
        { "pieces and a rest",
          [] (auto& s) {
              s.pieceSizes = { 100, 100 };
              s.insertions = { { 1, juce::MidiMessage (0xFE) } };
          },
          [&] (auto& w) { return std::vector<Bytes> { slice (w, 0, 100), slice (w, 100, 200), { 0xFE }, slice (w, 200, 298) }; } },
    };

    for (const auto& c : cases)
    {
        Cable cable;
        Shape shape;
        c.shape (shape);
        cable.synth.setDumpShape (2, shape);
        cable.sendBytes (kEditBufferRequest);
        cable.sendBytes (kEditBufferRequest);

        ASSERT_TRUE (cable.synth.waitForDumpsSent (2)) << c.name;
        ASSERT_TRUE (cable.input.waitUntilDelivered()) << c.name;
        auto arrived = cable.plugin.getMessages();
        ASSERT_FALSE (arrived.empty()) << c.name;

        const auto whole = arrived.front(); // dump 1 has no shape
        EXPECT_EQ (whole.size(), (size_t) ProgramImage::kEditBufferDumpSize) << c.name;
        arrived.erase (arrived.begin());
        EXPECT_EQ (arrived, c.expected (whole)) << c.name;
    }
}

TEST (SimulatedMopho, AtCableSpeedAnswersQueueBehindEachOther)
{
    Cable cable;
    cable.synth.setAnswerSpeed (SimulatedMopho::AnswerSpeed::cable);

    const auto sentAt = juce::Time::getMillisecondCounterHiRes();
    cable.sendBytes ({ 0xF0, 0x01, 0x25, 0x05, 0x00, 0x01, 0xF7 });
    cable.sendBytes ({ 0xF0, 0x01, 0x25, 0x05, 0x00, 0x02, 0xF7 });
    ASSERT_TRUE (cable.plugin.waitFor (2));

    // 300 bytes at 3125 bytes a second: 96 ms each.
    const auto arrivals = cable.plugin.getArrivalsMs();
    EXPECT_GE (arrivals[0] - sentAt, 90.0);
    EXPECT_GE (arrivals[1] - sentAt, 185.0);
}

TEST (SimulatedMopho, MutedItCountsRequestsButOnlyItsPanelSpeaks)
{
    Cable cable;
    auto& synth = cable.synth;
    synth.setMuted (true);

    cable.sendBytes (kEditBufferRequest);
    ASSERT_TRUE (synth.waitForReceived (1));
    synth.panelSendsProgramDump (1, 9);
    synth.panelSendsNrpn (29, 100);

    ASSERT_TRUE (cable.plugin.waitFor (5));
    const auto arrived = cable.plugin.getMessages();
    ASSERT_EQ (arrived.size(), 5u);

    EXPECT_EQ (synth.getRequestCount (Request::editBuffer), 1);
    EXPECT_EQ (arrived[0].size(), (size_t) ProgramImage::kProgramDumpSize);
    EXPECT_EQ (ProgramImage::unpack (arrived[0].data() + ProgramImage::kProgramDumpPayloadOffset), synth.getProgram (1, 9));
    const auto expectedNrpn = nrpn (1, 29, 100);
    for (size_t i = 0; i < expectedNrpn.size(); ++i)
        EXPECT_EQ (arrived[i + 1], bytesOf (expectedNrpn[i])) << i;
    EXPECT_EQ (synth.getEditBuffer()[40], 100);
}
