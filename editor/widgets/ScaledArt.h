#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <map>
#include <tuple>

// Widget images resampled to the sizes they are drawn at, shared by every
// widget that draws them: the 60 knobs of a page turn through one set of
// resampled frames, made once per scale, not one picture each, made again at
// every turn. Held through juce::SharedResourcePointer, so it goes with the
// last widget. Message thread only.
class ScaledArt
{
public:
    // The part `source` of `image` resampled to width x height.
    const juce::Image& get (const juce::Image& image, juce::Rectangle<int> source, int width, int height);

private:
    using Key = std::tuple<const juce::ImagePixelData*, int, int, int, int, int, int>;
    struct Picture
    {
        juce::Image original; // kept, so that its address names no other image while this lives
        juce::Image resampled;
    };
    // Some scales' worth; a window dragged through many sizes starts afresh.
    static constexpr size_t kMostPictures = 400;
    std::map<Key, Picture> pictures;
};
