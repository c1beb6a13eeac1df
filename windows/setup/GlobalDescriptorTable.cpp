#include "windows/setup/GlobalDescriptorTable.h"

#include <cmath>

namespace
{
constexpr GlobalDescriptor unused { -1, "", GlobalDescriptorTable::kNoNrpn, 0, kGlobalNumber, kGlbMenu, 0, 0, 0, 30, 0 };

struct ValueTexts
{
    GlobalDisplayType display;
    std::initializer_list<const char*> texts; // from value 0
};

const ValueTexts valueTexts[] = {
    { kGlobalClockMode, { "INTERNAL", "INT + SEND", "EXTERNAL", "EXT + SEND" } },
    { kGlobalParamSend, { "NRPN", "CC", "OFF" } },
    { kGlobalParamReceive, { "ALL", "NRPN", "CC", "OFF" } },
    { kGlobalOnOff, { "OFF", "ON" } },
    { kGlobalMidiOut, { "MIDI OUT", "MIDI THRU" } },
    { kGlobalPedalMode, { "NORMAL", "ARP" } },
    { kGlobalAudioOut, { "STEREO", "MONO" } },
};
} // namespace

const GlobalDescriptor& GlobalDescriptorTable::find (int index) noexcept
{
    for (const auto& row : rows)
        if (row.index == index)
            return row;
    return unused;
}

juce::String getGlobalParamName (int index)
{
    return GlobalDescriptorTable::find (index).name;
}

juce::String getParamValueText (int displayType, int value)
{
    switch (displayType)
    {
        case kGlobalTranspose: return juce::String (value - 12);
        case kGlobalFineTune: return juce::String (value - 50);
        case kGlobalChannel:
            if (value == 0)
                return "ALL CHANNELS";
            return value >= 1 && value <= 16 ? "CHANNEL " + juce::String (value) : juce::String();
        default: break;
    }

    for (const auto& entry : valueTexts)
        if (entry.display == displayType && value >= 0 && value < (int) entry.texts.size())
            return entry.texts.begin()[value];

    return juce::String (value);
}

int GlobalPanelMaths::knobFrame (int value, int maximum) noexcept
{
    if (maximum <= 0)
        return 0;

    const double frame = (290.0 - (maximum - value) * (290.0 / maximum)) / 5.35;
    return (int) std::nearbyint (juce::jlimit (0.0, 56.0, frame));
}

int GlobalPanelMaths::dragValue (int start, int dx, int dy, int maximum) noexcept
{
    const int step = maximum < 30 ? 15 : 2;
    return start + dx / step - dy / step;
}
