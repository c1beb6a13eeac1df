#include "editor/widgets/PageArtCache.h"

void PageArtCache::draw (juce::Graphics& g, int width, int height, float scale, const Painter& paintArt)
{
    width = juce::jmax (1, width);
    height = juce::jmax (1, height);
    const auto fits = [&] (const Picture& p) {
        return p.image.getWidth() == width && p.image.getHeight() == height && p.scale == scale;
    };

    if (! fits (pictures[newest]))
    {
        const size_t other = 1 - newest;
        if (! fits (pictures[other]))
        {
            pictures[other].image = juce::Image (juce::Image::RGB, width, height, false);
            pictures[other].scale = scale;
            juce::Graphics art (pictures[other].image);
            paintArt (art);
        }
        newest = other;
    }

    // Only what the clip needs: a control's repaint copies its own area,
    // not the page's whole picture through the clip.
    const auto& image = pictures[newest].image;
    const auto area = g.getClipBounds().getIntersection (image.getBounds());
    if (! area.isEmpty())
        g.drawImage (image, area.getX(), area.getY(), area.getWidth(), area.getHeight(), area.getX(), area.getY(),
                     area.getWidth(), area.getHeight());
}

void PageArtCache::invalidate() noexcept
{
    for (auto& p : pictures)
        p = {};
}
