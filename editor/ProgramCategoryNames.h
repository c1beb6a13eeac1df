#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <iterator>

// The names of the program categories, indexed by the category number that a
// program carries in its image.
constexpr const char* ProgramCategoryNames[] = {
    "- Not Assigned -", "Keys",        "Organs",   "Strings",   "Soft Lead", "Bright Lead", "Res Lead",
    "Sync",             "Soft Bass",   "Bright Bass", "Res Bass", "Sub Bass", "Brass",     "Instruments",
    "Evolution",        "Motion",      "Synth",    "Vox",       "Bells",     "Harmonics",   "Sequence",
    "Percussion",       "Noise",       "Sound FX", "Pads",      "Arpeggiator",
};

constexpr int kNumProgramCategories = (int) std::size (ProgramCategoryNames);

// The name, or an empty text for a number that names no category.
juce::String getCategoryName (int number);

// The category chooser: item id category + 1, for every category in order.
juce::PopupMenu buildCategoryMenu();

// At the mouse, in the given look; chosen gets the category 0-25, or -1 when
// the menu is dismissed.
void showCategoryMenu (juce::LookAndFeel& look, std::function<void (int category)> chosen);

// Attached to the target; chosen gets the item id 1-26, or 0 when dismissed.
void showCategoryMenuAt (juce::Component& target, juce::LookAndFeel& look, std::function<void (int itemId)> chosen);
