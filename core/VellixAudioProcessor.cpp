#include "core/VellixAudioProcessor.h"

#include <cmath>

#include "core/VellixAudioProcessorEditor.h"
#include "core/storage/SettingsFile.h"

namespace
{
constexpr int kDesignWidth = 1148;
constexpr int kDesignHeight = 700;
constexpr int kSmallWidth = 975;
constexpr int kSmallHeight = 595;

int mainDisplayUsableWidth()
{
    if (const auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay())
        return display->userArea.getWidth();

    return 0;
}

juce::AudioPlayHead::CurrentPositionInfo defaultPosition()
{
    juce::AudioPlayHead::CurrentPositionInfo info;
    info.resetToDefault();
    return info;
}
} // namespace

juce::Point<int> VellixAudioProcessor::chooseEditorSize (int usableDisplayWidth)
{
    if (usableDisplayWidth >= kDesignWidth)
        return { kDesignWidth, kDesignHeight };

    return { kSmallWidth, kSmallHeight };
}

VellixAudioProcessor::VellixAudioProcessor()
    : AudioProcessor (BusesProperties()
                          .withInput ("Input", juce::AudioChannelSet::mono(), true)
                          .withOutput ("Output", juce::AudioChannelSet::mono(), true)),
      lastPosition (defaultPosition())
{
    for (auto& value : controllerValues)
        value = 0;
    controllerValues[(size_t) HostParameter::kVolume] = HostParameter::kVolumeStartValue;
    hub.addChangeListener (this);
    hub.setVst2Form (isVst2());

    clockBuffer.ensureSize (2048);

    const auto size = chooseEditorSize (mainDisplayUsableWidth());
    editorWidth = size.x;
    editorHeight = size.y;

    setLatencySamples (0);

    hostBank = std::make_unique<Bank_Program> ("Program Bank");
    hostBank->initialiseBank();
    initProgram = hostBank->getEditBufferBlock();
    hub.setHostBank (hostBank.get());
    hostViewUpdater.start();
}

VellixAudioProcessor::~VellixAudioProcessor()
{
    for (int index = 0; index < HostParameter::kCount; ++index)
        endGestureOnce (index);

    stopTimer();
    hostViewUpdater.stop();
    hub.removeChangeListener (this);
    hub.setHostBank (nullptr);
}

const juce::String VellixAudioProcessor::getName() const
{
    return "Tarnwick";
}

bool VellixAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto in = layouts.getMainInputChannels();
    const auto out = layouts.getMainOutputChannels();
    return in == out && (in == 1 || in == 2);
}

void VellixAudioProcessor::prepareToPlay (double sampleRate, int samplesPerBlock)
{
    hub.updateSampleRate ((int) sampleRate);
    hub.setBlockSize (samplesPerBlock);
    setLatencySamples (0);
    {
        const juce::SpinLock::ScopedLockType sl (processorLock);
        clockGenerator.tickSwitch = hub.isClockOn();
    }
    hub.clearDeviceInputBuffer();
}

void VellixAudioProcessor::releaseResources()
{
    setLatencySamples (0);
    hub.clearDeviceInputBuffer();
}

void VellixAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    const int numSamples = buffer.getNumSamples();

    // A host that has not told its rate yet leaves the one prepareToPlay gave.
    if (const auto rate = (int) getSampleRate(); rate > 0 && rate != (int) hub.getSampleRate())
        hub.updateSampleRate (rate);

    hub.setBlockSize (numSamples);

    renderClock (numSamples);

    hub.processHostMidi (midi, numSamples, (int) hub.getSampleRate());

    for (int ch = getTotalNumInputChannels(); ch < getTotalNumOutputChannels(); ++ch)
        buffer.clear (ch, 0, numSamples);

    auto position = defaultPosition();
    if (auto* head = getPlayHead())
    {
        JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
        if (! head->getCurrentPosition (position))
            position = defaultPosition();
        JUCE_END_IGNORE_WARNINGS_GCC_LIKE
    }
    lastPosition = position;
}

void VellixAudioProcessor::renderClock (int numSamples)
{
    auto& ports = hub.getPorts();
    if (! ports.outputOpen)
        return;

    const juce::SpinLock::ScopedLockType sl (processorLock);

    clockGenerator.renderBlock (lastPosition, &clockBuffer, numSamples, (int) hub.getSampleRate());

    if (clockBuffer.isEmpty())
        return;

    clockGenerator.tickSwitch = hub.isClockOn();

    if (hub.isClockOn())
        ports.sendBlockDelayed (clockBuffer, hub.getMidiDelayInForce(), hub.getSampleRate());

    clockBuffer.clear();
}

juce::AudioProcessorEditor* VellixAudioProcessor::createEditor()
{
    return new VellixAudioProcessorEditor (*this);
}

void VellixAudioProcessor::setEditorSize (int width, int height) noexcept
{
    editorWidth = width;
    editorHeight = height;
}

int VellixAudioProcessor::getCurrentProgram()
{
    if (hub.getCurrentHostProgram() < 0)
        hub.setCurrentHostProgram (0);

    return hub.getCurrentHostProgram();
}

void VellixAudioProcessor::setCurrentProgram (int index)
{
    hub.setCurrentHostProgram (index);
    hub.recallHostProgram();
    hub.postEvent (kUiHostProgramSelected, 0, 0, 0);
}

const juce::String VellixAudioProcessor::getProgramName (int index)
{
    if (! juce::isPositiveAndBelow (index, Bank_Program::kNumPrograms))
        return {};

    // Hosts ask for names from any thread; the string is built outside the lock.
    ProgramImage::Block image;
    {
        const juce::SpinLock::ScopedLockType sl (hub.getImageLock());
        image = hostBank->getProgramBlock (index);
    }
    return ProgramImage::readName (ByteArray (image.data(), ProgramImage::kSize), ProgramImage::kNameOffset);
}

void VellixAudioProcessor::changeProgramName (int index, const juce::String& newName)
{
    if (! juce::isPositiveAndBelow (index, Bank_Program::kNumPrograms))
        return;

    {
        const juce::SpinLock::ScopedLockType sl (hub.getImageLock());
        hostBank->setProgramName (index, newName);
    }
    hub.setCurrentHostProgram (index);
    hub.recallHostProgram();
}

//==============================================================================
void VellixAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    using namespace HostChunk;

    destData.setSize (0);
    destData.append (kBankMarker, (size_t) kBankMarkerSize);

    const juce::SpinLock::ScopedLockType sl (hub.getImageLock());

    for (int slot = 0; slot < kNumHostPrograms; ++slot)
        destData.append (hostBank->getProgramBlock (slot).data(), ProgramImage::kSize);

    // The sound being edited is what a project must bring back; a getter
    // changes neither the bank nor the program index.
    const auto current = hostBank->getEditBufferBlock();
    destData.append (current.data(), ProgramImage::kSize);

    const auto indexByte = (juce::uint8) juce::jlimit (0, kNumHostPrograms - 1, hub.getCurrentHostProgram());
    destData.append (&indexByte, 1);
}

void VellixAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    using namespace HostChunk;

    // Shorter than its 128 programs: not ours to half-read.
    if (data == nullptr || sizeInBytes < kBankCurrentOffset)
        return;

    const auto* bytes = static_cast<const juce::uint8*> (data);
    const bool whole = sizeInBytes >= kBankChunkSize;
    {
        const juce::SpinLock::ScopedLockType sl (hub.getImageLock());

        for (int slot = 0; slot < kNumHostPrograms; ++slot)
        {
            ProgramImage::Block image;
            memcpy (image.data(), bytes + kBankSlotsOffset + slot * ProgramImage::kSize, ProgramImage::kSize);
            hostBank->setProgramBlock (slot, image);
        }

        if (whole)
        {
            ProgramImage::Block current;
            memcpy (current.data(), bytes + kBankCurrentOffset, ProgramImage::kSize);
            hostBank->setEditBufferBlock (current);
        }
    }

    if (whole)
    {
        hub.setCurrentHostProgram (juce::jlimit (0, kNumHostPrograms - 1, (int) bytes[kBankIndexOffset]));
        hub.postEvent (kUiEditBufferReplaced, 0, 0, 0);
        // The current preset is another one now, as after a host's program change.
        hub.postEvent (kUiHostProgramSelected, 0, 0, 0);
    }
}

void VellixAudioProcessor::writeProgramStateChunk (const ProgramImage::Block& image, juce::MemoryBlock& destData)
{
    destData.setSize (0);
    destData.append (HostChunk::kProgramMarker, (size_t) HostChunk::kProgramMarkerSize);
    destData.append (image.data(), ProgramImage::kSize);
}

void VellixAudioProcessor::getCurrentProgramStateInformation (juce::MemoryBlock& destData)
{
    const int index = juce::jmax (0, hub.getCurrentHostProgram());
    hub.setCurrentHostProgram (index);

    ProgramImage::Block image;
    {
        const juce::SpinLock::ScopedLockType sl (hub.getImageLock());
        image = hostBank->storeEditBuffer (index);
    }

    writeProgramStateChunk (image, destData);
}

void VellixAudioProcessor::setCurrentProgramStateInformation (const void* data, int sizeInBytes)
{
    using namespace HostChunk;

    if (data == nullptr || sizeInBytes < kProgramChunkSize)
        return;

    const int index = juce::jmax (0, hub.getCurrentHostProgram());
    hub.setCurrentHostProgram (index);

    ProgramImage::Block image;
    memcpy (image.data(), static_cast<const juce::uint8*> (data) + kProgramMarkerSize, ProgramImage::kSize);
    {
        const juce::SpinLock::ScopedLockType sl (hub.getImageLock());
        hostBank->setProgramAndEditBuffer (index, image);
    }

    hub.postEvent (kUiEditBufferReplaced, 0, 0, 0);
}

static bool readChunkFile (const juce::String& path, juce::MemoryBlock& block)
{
    const juce::File file (juce::File::isAbsolutePath (path) ? path : juce::String());
    return file.existsAsFile() && file.loadFileAsData (block);
}

bool VellixAudioProcessor::loadBankStateFile (const juce::String& path)
{
    juce::MemoryBlock block;
    if (! readChunkFile (path, block))
        return false;

    setStateInformation (block.getData(), (int) block.getSize());
    return true;
}

bool VellixAudioProcessor::loadProgramStateFile (const juce::String& path)
{
    juce::MemoryBlock block;
    if (! readChunkFile (path, block))
        return false;

    setCurrentProgramStateInformation (block.getData(), (int) block.getSize());
    return true;
}

bool VellixAudioProcessor::saveBankStateFile (const juce::String& path)
{
    juce::MemoryBlock block;
    getStateInformation (block);
    return juce::File::isAbsolutePath (path) && writeBlockToFile (block, juce::File (path));
}

bool VellixAudioProcessor::saveProgramStateFile (const juce::String& path)
{
    juce::MemoryBlock block;
    getCurrentProgramStateInformation (block);
    return juce::File::isAbsolutePath (path) && writeBlockToFile (block, juce::File (path));
}

//==============================================================================
using namespace HostParameter;

namespace
{
constexpr int kPitchBendRange = 16363;

// value x range to the nearest integer, halves to even, in single precision.
int toInteger (float value, int range)
{
    return (int) std::nearbyint (value * (float) range);
}
} // namespace

int VellixAudioProcessor::getControllerRange (int index) noexcept
{
    if (index == kBank)
        return 2;
    if (index == kPitchBend)
        return kPitchBendRange;
    return 127;
}

juce::String VellixAudioProcessor::getControllerParameterName (int index)
{
    if (index == kProgram)          return "PROGRAM";
    if (index == kModWheel)         return "MOD WHEEL";
    if (index == kVolume)           return "VOLUME";
    if (index == kBank)             return "BANK";
    if (index == kPitchBend)        return "PITCHBEND";
    if (index == kChannelPressure)  return "CHANNELPRESS";
    if (index >= kFirstController && index <= kLastController)
        return "CC# " + juce::String (index - kFirstController);
    if (index >= kFirstPolyPressure && index <= kLastPolyPressure)
        return "AT# " + juce::String (index - kFirstPolyPressure);
    return {};
}

int VellixAudioProcessor::getControllerValue (int index) const noexcept
{
    return index >= 0 && index < kParameterSlots ? controllerValues[(size_t) index].load() : 0;
}

float VellixAudioProcessor::hostValueOf (int index, int value) const
{
    const int range = isProgramByte (index) ? hub.getParameterTables().getMax (index) : getControllerRange (index);

    // A hardware bend reaches 16383 while the range stays 16363, which saved
    // automation relies on: the host never sees more than 1.
    return range > 0 ? juce::jmin (1.0f, (float) value / (float) range) : 0.0f;
}

const juce::String VellixAudioProcessor::getParameterName (int index)
{
    if (isProgramByte (index))
        return ParDes::getParameterName (index);

    if (isVst2())
        return {};

    return getControllerParameterName (index);
}

const juce::String VellixAudioProcessor::getParameterText (int index)
{
    if (isProgramByte (index))
        return ParDes::getValueText (hub.getParameterTables().getDisplayKind (index), hub.getEditBufferByte (index));

    if (index >= getNumParameters() || index < 0)
        return {};

    const int bank = getControllerValue (kBank);
    const bool validBank = hub.getBank (bank) != nullptr;
    const auto bankText = validBank ? juce::String::charToString ((juce::juce_wchar) ('A' + bank)) : juce::String (bank);

    if (index == kBank)
        return bankText;

    if (index == kProgram)
    {
        const int program = getControllerValue (kProgram);
        const auto name = validBank ? hub.getBank (bank)->getProgramName (program) : juce::String();
        return bankText + ":" + juce::String (program + 1).paddedLeft ('0', 3) + " " + name;
    }

    return juce::String (getControllerValue (index));
}

float VellixAudioProcessor::getParameterDefaultValue (int index)
{
    if (isProgramByte (index))
        return hostValueOf (index, initProgram[(size_t) index]);

    if (index == kVolume)
        return hostValueOf (index, kVolumeStartValue);

    return 0.0f;
}

float VellixAudioProcessor::getParameter (int index)
{
    if (isProgramByte (index))
        return hostValueOf (index, hub.getEditBufferByte (index));

    if (index < getNumParameters() && index >= 0)
        return hostValueOf (index, getControllerValue (index));

    return 0.0f;
}

void VellixAudioProcessor::setParameter (int index, float newValue)
{
    if (index < 0 || index >= getNumParameters())
        return;

    // A host may send anything; only 0..1 means something.
    newValue = juce::jlimit (0.0f, 1.0f, std::isfinite (newValue) ? newValue : 0.0f);

    if (isVst2())
    {
        // The VST2 path: no gesture, no notification back to the host.
        const int byte = toInteger (newValue, hub.getParameterTables().getMax (index));
        if (byte != hub.getEditBufferByte (index))
            hub.setProgramParameter (index, byte);
        return;
    }

    if (isProgramByte (index))
    {
        const auto& tables = hub.getParameterTables();
        const int byte = toInteger (newValue, tables.getMax (index));

        if (byte == hub.getEditBufferByte (index))
            return;

        hub.setEditBufferByte (index, byte);
        if (tables.sendsOwnNrpn (index))
            hub.sendNrpn (tables.getNrpn (index), byte, hub.getMidiDelayInForce(), hub.getSampleRate());
        hub.postEvent (kUiProgramByteChanged, 0, index, byte);
    }

    const int range = isProgramByte (index) ? 127 : getControllerRange (index);
    const int value = toInteger (newValue, range);

    if (controllerValues[(size_t) index].exchange (value) != value)
        hub.sendControllerParameter (index, value);
}

//==============================================================================
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")

void VellixAudioProcessor::beginGestureOnce (int position)
{
    if (position < 0 || position >= kParameterSlots || gestureFlags[(size_t) position] != 0)
        return;

    gestureFlags[(size_t) position] = 1;

    if (position < getNumParameters())
        beginParameterChangeGesture (position);
}

void VellixAudioProcessor::endGestureOnce (int position)
{
    if (position < 0 || position >= kParameterSlots || gestureFlags[(size_t) position] == 0)
        return;

    gestureFlags[(size_t) position] = 0;

    if (position < getNumParameters())
        endParameterChangeGesture (position);
}

void VellixAudioProcessor::changeProgramParameter (int position, int value, bool endGestureNow, bool send)
{
    if (position < 0)
        return;

    hub.setEditBufferByte (position, value);
    beginGestureOnce (position);

    if (position < getNumParameters())
        setParameterNotifyingHost (position, hostValueOf (position, value));

    const auto& tables = hub.getParameterTables();
    if (send && tables.sendsOwnNrpn (position))
        hub.sendNrpn (tables.getNrpn (position), value, 0.0, hub.getSampleRate());

    hub.postEvent (kUiProgramByteChanged, 0, position, value);

    if (endGestureNow)
        endGestureOnce (position);
    else
        queueGestureEnd (position);
}

void VellixAudioProcessor::changeControllerParameter (int position, int value)
{
    if (position < kProgram || position >= kParameterSlots)
        return;

    // Stored within the host's range, so the host's echo through setParameter
    // finds it unchanged and sends nothing back to the synthesizer.
    controllerValues[(size_t) position] = juce::jmin (value, getControllerRange (position));
    beginGestureOnce (position);

    if (position < getNumParameters())
        setParameterNotifyingHost (position, hostValueOf (position, value));

    queueGestureEnd (position);
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE

bool VellixAudioProcessor::isGestureOpen (int position) const noexcept
{
    return position >= 0 && position < kParameterSlots && gestureFlags[(size_t) position] != 0;
}

void VellixAudioProcessor::queueGestureEnd (int position)
{
    gestureEndQueue.addIfNotAlreadyThere ((juce::uint16) position);
    startTimer (kGestureEndDelayMs);
}

void VellixAudioProcessor::timerCallback()
{
    const auto positions = gestureEndQueue;
    gestureEndQueue.clearQuick();

    for (auto position : positions)
        endGestureOnce (position);

    stopTimer();
}

void VellixAudioProcessor::tellHostTheEditBufferChanged()
{
    // A VST3 host keeps its own copy of every value and re-reads none on a
    // display update: each program parameter is told. A VST2 host re-reads
    // them all on the display update.
    if (! isVst2())
        for (int position = 0; position < kNumProgramParameters; ++position)
            sendParamChangeMessageToListeners (position, hostValueOf (position, hub.getEditBufferByte (position)));

    updateHostDisplay (ChangeDetails().withParameterInfoChanged (true));
}

void VellixAudioProcessor::changeListenerCallback (juce::ChangeBroadcaster*)
{
    for (const auto code : hub.takeControllerChanges())
    {
        const int position = ControllerChangeCode::position (code);
        const int value = ControllerChangeCode::value (code);

        // From the synthesizer: the edit buffer, host and editor follow;
        // nothing goes back. The VST2 build has no controller parameters.
        if (position < kProgram || isVst2())
            changeProgramParameter (position, value, false, false);
        else
            changeControllerParameter (position, value);
    }
}

const juce::String VellixAudioProcessor::getInputChannelName (int channelIndex) const
{
    return juce::String (channelIndex + 1);
}

const juce::String VellixAudioProcessor::getOutputChannelName (int channelIndex) const
{
    return juce::String (channelIndex + 1);
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new VellixAudioProcessor();
}
