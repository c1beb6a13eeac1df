#include "core/storage/PortSettingsFile.h"

#include "core/storage/BankDataFile.h"

namespace PortSettingsFile
{
namespace
{
int lastIndexOf (const juce::MemoryBlock& file, juce::uint8 marker)
{
    const auto* bytes = static_cast<const juce::uint8*> (file.getData());

    for (int i = (int) file.getSize(); --i >= 0;)
        if (bytes[i] == marker)
            return i;

    return -1;
}

// The bytes strictly between two positions, as UTF-8 text.
juce::String between (const juce::MemoryBlock& file, int after, int before)
{
    const auto* bytes = static_cast<const char*> (file.getData());
    return juce::String::fromUTF8 (bytes + after + 1, before - after - 1);
}
} // namespace

juce::StringArray defaults()
{
    return { "NONE", "NONE", "NONE", "0" };
}

juce::MemoryBlock build (const juce::StringArray& settings)
{
    const juce::uint8 markers[] = { kAfterInput, kAfterOutput, kAfterThird, kAfterMode };
    juce::MemoryBlock block;

    for (int i = 0; i < kNumSettings; ++i)
    {
        const auto item = stringToBytes (settings[i]);
        block.append (item.getData(), item.getSize());
        block.append (&markers[i], 1);
    }

    return block;
}

int parse (const juce::MemoryBlock& file, juce::StringArray& settings)
{
    const int input = lastIndexOf (file, kAfterInput);
    const int output = lastIndexOf (file, kAfterOutput);
    const int third = lastIndexOf (file, kAfterThird);
    const int mode = lastIndexOf (file, kAfterMode);

    if (input > 0)
        settings.set (0, between (file, -1, input));

    // An item is read only between markers that exist and stand in order.
    if (input >= 0 && output > input && third > output)
    {
        settings.set (1, between (file, input, output));
        settings.set (2, between (file, output, third));
    }

    settings.set (3, "0");

    if (third >= 0 && mode > third)
    {
        const int number = between (file, third, mode).getIntValue();
        settings.set (3, juce::String (number));
        return number;
    }

    return 0;
}
} // namespace PortSettingsFile
