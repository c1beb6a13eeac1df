#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <functional>

// The pictures of a page's unchanging art for the last two scales it was
// shown at, so that a page shown at two sizes in turn (the program page and
// its miniature beside the sequencer) draws each only once.
class PageArtCache
{
public:
    using Painter = std::function<void (juce::Graphics&)>;

    // Copies the part of the picture for this size and scale that the
    // context's clip asks for; paints the picture first when none is kept.
    void draw (juce::Graphics& g, int width, int height, float scale, const Painter& paintArt);
    void invalidate() noexcept;

private:
    struct Picture
    {
        juce::Image image;
        float scale = 0.0f;
    };
    std::array<Picture, 2> pictures;
    size_t newest = 0;
};
