#include "core/model/ParDes.h"

#include "core/model/ParamTables.h"

namespace
{
template <size_t N>
juce::String fromList (const char* const (&list)[N], int value, const juce::String& outside)
{
    return value >= 0 && value < (int) N ? juce::String (list[value]) : outside;
}

const juce::String unknown ("*/*");

const char* const noteNames[] = { "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B" };

const char* const glideModes[] = { "Fixed Rate", "Fixed Rate Auto", "Fixed Time", "Fixed Time Auto" };

const char* const lfoShapes[] = { "Triangle", "Reverse Sawtooth", "Sawtooth", "Pulse (square)", "Random" };

constexpr int kFirstClockedLfoFreq = 151;
const char* const clockedLfoFreqs[] = { "32 st", "16 st", "8 st", "6 st", "4 st", "3 st", "2 st", "1.5 st",
                                        "1 st", "2/3 st", "1/2 st", "1/3 st", "1/4 st", "1/6 st", "1/8 st", "1/16 st" };

const char* const destinations[] = {
    "OFF", "Osc 1 Freq", "Osc 2 Freq", "Osc All Freq", "Osc Mix", "Noise Level", "Osc 1 Pulse Width",
    "Osc 2 Pulse Width", "Osc All PW", "Low Pass", "Resonance", "Audio Mod", "VCA Level", "Output Pan",
    "LFO 1 Freq", "LFO 2 Freq", "LFO 3 Freq", "LFO 4 Freq", "LFO All Freq", "LFO 1 Amt", "LFO 2 Amt",
    "LFO 3 Amt", "LFO 4 Amt", "LFO All Amt", "Env 1 Amt", "Env 2 Amt", "Env 3 Amt", "Env All Amounts",
    "Env 1 Attack", "Env 2 Attack", "Env 3 Attack", "Env All Attacks", "Env 1 Decay", "Env 2 Decay",
    "Env 3 Decay", "Env All Decays", "Env 1 Release", "Env 2 Release", "Env 3 Release", "Env All Releases",
    "Mod 1 Amt", "Mod 2 Amt", "Mod 3 Amt", "Mod 4 Amt", "Audio In Vol", "Sub Osc 1", "Sub Osc 2"
};

const char* const sources[] = {
    "OFF", "Sequence Track 1", "Sequence Track 2", "Sequence Track 3", "Sequence Track 4", "LFO 1", "LFO 2",
    "LFO 3", "LFO 4", "Filter Envelope", "Amp Envelope", "Envelope 3", "Pitch Bend", "Mod Wheel", "Pressure",
    "MIDI Breath", "MIDI Foot", "MIDI Expression", "Velocity", "Note Number", "Noise", "Env Follow", "Peak Hold"
};

const char* const divisions[] = { "Half Note", "Quarter Note", "8th Note", "8th N 1/2S", "8th N FS", "8th N T", "16th N",
                                  "16th N 1/2S", "16th N S", "16th N T", "32nd N", "32nd N T", "64th N T" };

const char* const triggers[] = { "Normal", "No Reset", "No Gate", "No G/R", "Key Step", "Audio In" };

const char* const keyModes[] = { "Low Note ", "Low Note RT", "High Note ", "High Note RT", "Last Note Hit", "Last Note Hit RT" };

const char* const arpModes[] = { "Up", "Down", "Up/Down", "Assign", "Random", "2 Oct Up", "2 Oct Down", "2 Oct Up/Down",
                                 "2 Oct Assign", "2 Oct Random", "3 Oct Up", "3 Oct Down", "3 Oct Up/Down",
                                 "3 Oct Assign", "3 Oct Random" };

const char* const pushItModes[] = { "NORMAL", "TOGGLE" };

// Knob assignment texts of positions 0-108; a few keep their double spaces.
const char* const knobTargets[] = {
    "OSC1 FREQ", "OSC1 Fine Tune", "OSC1 Shape", "OSC1 Glide", "OSC1 Kbd On/Off", "Sub OSC 1", "OSC2 FREQ",
    "OSC2 Fine Tune", "OSC2 Shape", "OSC2 Glide", "OSC2 Kbd On/Off", "Sub OSC 2", "Sync Osc 2->1", "Glide Mode",
    "OSC Slop", "P-Bend Range", "Key Assign", "OSC 1->2 Mix", "Noise Level", "Audio In Volume", "Filter Frequency",
    "Resonance", "Filter Kbd Amount", "Filter Audio Mod", "Filter Poles", "Filter Env Amount", "Filter Vel Amount",
    "Filter Env Delay", "Filter Env Attack", "Filter Env Decay", "Filter Env Sustain", "Filter Env Release",
    "VCA Level", "VCA Env Amount", "VCA Vel Amount", "VCA Env Delay", "VCA Env Attack", "VCA Env Decay",
    "VCA Env Sustain", "VCA Env Release", "Preset Volume", "LFO 1 Freq", "LFO 1 Shape", "LFO 1 Amount",
    "LFO 1 Mod  Destin", "LFO 1 Key Sync", "LFO 2 Freq", "LFO 2 Shape", "LFO 2 Amount", "LFO 2 Mod  Destin",
    "LFO 2 Key Sync", "LFO 3 Freq", "LFO 3 Shape", "LFO 3 Amount", "LFO 3 Mod  Destin", "LFO 3 Key Sync",
    "LFO 4 Freq", "LFO 4 Shape", "LFO 4 Amount", "LFO 4 Mod  Destin", "LFO 4 Key Sync", "Env 3 Mod Destin",
    "Env 3 Amount", "Env 3 Vel Amount", "Env 3 Delay", "Env 3 Attack", "Env 3 Decay", "Env 3 Sustain",
    "Env 3 Release", "Repeat Mode", "Mod 1 Source", "Mod 1 Amount", "Mod 1 Destination", "Mod 2 Source",
    "Mod 2 Amount", "Mod 2 Destination", "Mod 3 Source", "Mod 3 Amount", "Mod 3 Destination", "Mod 4 Source",
    "Mod 4 Amount", "Mod 4 Destination", "Mod Wheel Amt", "Mod Wheel  Dest", "Pressure Amount", "Pressure  Dest",
    "Breath Amount", "Breath  Destin", "Velocity Amount", "Velocity Dest", "Foot Cntr Amount", "Foot Cntr Dest",
    "Play Note", "Play Velocity", "Play Mode", "BMP Tempo", "Clock Divide", "Arp Mode", "Arp On/Off",
    "Sequencer Trigger", "Sequencer On/Off", "Sequence 1 Dest", "Sequence 2 Dest", "Sequence 3 Dest",
    "Sequence 4 Dest", "Knob 1", "Knob 2", "Knob 3", "Knob 4"
};

constexpr int kSequencerFirst = 120, kSequencerLast = 183, kStepsPerTrack = 16;
constexpr int kNameFirst = 184, kNameLast = 199;

juce::String sequencerStepName (int position)
{
    const int step = position - kSequencerFirst;
    return "Seq " + juce::String (step / kStepsPerTrack + 1) + " Step " + juce::String (step % kStepsPerTrack + 1);
}

juce::String oscShape (int value)
{
    static const char* const shapes[] = { "OFF", "SAW", "TRI", "SAW/TRI" };

    if (value < 0)
        return {};
    if (value < 4)
        return shapes[value];

    const int width = value - 4;
    return (width < 10 ? "PW 0" : "PW ") + juce::String (width);
}

juce::String knobTarget (int value)
{
    if (value < 0 || value > kNameLast)
        return {};
    if (value < (int) std::size (knobTargets))
        return knobTargets[value];
    if (value < kSequencerFirst)
        return "  Reserved";
    if (value <= kSequencerLast)
        return sequencerStepName (value);
    return "Name Character " + juce::String (value - kNameFirst + 1);
}
} // namespace

juce::String ParDes::noteName (int note)
{
    if (note < 0)
        return {};

    return juce::String (noteNames[note % 12]) + juce::String (note / 12);
}

juce::String ParDes::getParameterName (int position)
{
    if (position >= kSequencerFirst && position <= kSequencerLast)
        return sequencerStepName (position);

    juce::String name;
    if (position >= 0 && position < ParamTables::kNumListedPositions)
        name = ParamTables::kListedPositions[(size_t) position].hostName;

    // Hosts need a title for every parameter they list.
    if (name.isEmpty() && position >= 0 && position < kSequencerFirst)
        name = "Reserved " + juce::String (position);

    return name;
}

juce::String ParDes::getValueText (int kind, int value)
{
    switch (kind)
    {
        case kKindOscShape:     return oscShape (value);
        case kKindGlideMode:    return fromList (glideModes, value, unknown);
        case kKindLfoShape:     return fromList (lfoShapes, value, unknown);
        case kKindModDest:      return fromList (destinations, value, {});
        case kKindModSource:    return fromList (sources, value, unknown);
        case kKindClockDivide:  return fromList (divisions, value, unknown);
        case kKindBendRange:    return "Range   " + juce::String (value);
        case kKindSeqTrigger:   return fromList (triggers, value, unknown);
        case kKindKeyMode:      return fromList (keyModes, value, unknown);
        case kKindArpMode:      return fromList (arpModes, value, unknown);
        case kKindKnobAssign:   return knobTarget (value);
        case kKindNoteName:     return noteName (value);
        case kKindPushItMode:   return fromList (pushItModes, value, unknown);
        case kKindOnOff:        return value == 0 ? "OFF" : "ON";
        case kKindBpm:          return juce::String (value) + " bpm";
        case kKindBipolar:      return juce::String (value - 127);
        case kKindOscFreq:      return noteName (value + 24);
        case kKindFineTune:     return juce::String (value - 50);

        case kKindLfoFreq:
            return fromList (clockedLfoFreqs, value - kFirstClockedLfoFreq, juce::String (value));

        case kKindSeq2Dest:
            return value == 47 ? "Sequencer 1 Slew" : getValueText (kKindModDest, value);

        case kKindSeq4Dest:
            return value == 47 ? "Sequencer 2 Slew" : getValueText (kKindModDest, value);

        default:
            return juce::String (value);
    }
}
