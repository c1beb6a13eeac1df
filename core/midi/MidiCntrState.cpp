#include "core/midi/MidiCntrState.h"

MidiCntrState::MidiCntrState()
{
    bankA = std::make_unique<Bank_Program> ("Program Bank A");
    bankB = std::make_unique<Bank_Program> ("Program Bank B");
    bankC = std::make_unique<Bank_Program> ("Program Bank C");

    bankList.add (bankA.get());
    bankList.add (bankB.get());
    bankList.add (bankC.get());

    for (int i = 0; i < kNumHardwareBanks; ++i)
        bankList[i]->loadFactoryBank (i);

    eventQueue.ensureStorageAllocated (1024);
}

MidiCntrState::~MidiCntrState() = default;

void MidiCntrState::addListener (MidiCntrStateListener* listener)
{
    const juce::ScopedLock sl (lock);
    hubListeners.addIfNotAlreadyThere (listener);
}

void MidiCntrState::removeListener (MidiCntrStateListener* listener)
{
    const juce::ScopedLock sl (lock);
    hubListeners.removeFirstMatchingValue (listener);
}

void MidiCntrState::postEvent (int type, int channel, int position, int value)
{
    {
        const juce::ScopedLock sl (lock);
        eventQueue.add (UiEventCode::make (type, channel, position, value));
    }

    for (int i = hubListeners.size(); --i >= 0;)
        if (auto* listener = hubListeners[i])
            listener->midiCntrStateChanged (this);
}

juce::Array<juce::int64> MidiCntrState::takeEvents()
{
    juce::Array<juce::int64> events;
    const juce::ScopedLock sl (lock);
    events.swapWith (eventQueue);
    eventQueue.ensureStorageAllocated (1024);
    return events;
}

Bank_Program* MidiCntrState::getBank (int bankIndex) const
{
    return bankList[bankIndex];
}

void MidiCntrState::recallHostProgram()
{
    if (currentHostProgram < 0)
        currentHostProgram = 0;

    if (hostBank != nullptr)
        hostBank->setEditBuffer (hostBank->getProgram (currentHostProgram));

    postEvent (kUiEditBufferReplaced, 0, 0, 0);
}

void MidiCntrState::updateSampleRate (int newSampleRate)
{
    sampleRate = newSampleRate;
}

void MidiCntrState::clearDeviceInputBuffer()
{
    const juce::ScopedLock sl (lock);
    deviceInputBuffer.clear();
}

void MidiCntrState::processHostMidi (juce::MidiBuffer& midi, int numSamples)
{
    const juce::ScopedLock sl (lock);
    midi.clear();

    for (const auto metadata : deviceInputBuffer)
        midi.addEvent (metadata.data, metadata.numBytes, juce::jlimit (0, juce::jmax (0, numSamples - 1), metadata.samplePosition));

    deviceInputBuffer.clear();
}
