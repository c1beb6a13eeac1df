#include "editor/ProgramCategoryNames.h"

#include "core/model/ProgramImage.h"

namespace
{
constexpr const char* ProgramCategoryNames[] = {
    "- Not Assigned -", "Keys",       "Organs",      "Strings",   "Soft Lead",  "Bright Lead", "Res Lead",
    "Sync",             "Soft Bass",  "Bright Bass", "Res Bass",  "Sub Bass",   "Brass",       "Instruments",
    "Evolution",        "Motion",     "Synth",       "Vox",       "Bells",      "Harmonics",   "Sequence",
    "Percussion",       "Noise",      "Sound FX",    "Pads",      "Arpeggiator",
};
static_assert (std::size (ProgramCategoryNames) == ProgramImage::kNumCategories);
} // namespace

juce::String getCategoryName (int category)
{
    return juce::isPositiveAndBelow (category, ProgramImage::kNumCategories) ? juce::String (ProgramCategoryNames[category])
                                                                             : juce::String();
}
