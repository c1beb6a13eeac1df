#pragma once

// A page that paints the unchanging art of its children (their fills, frames
// and captions) into a picture of its own, drawn once for a size and copied
// at every repaint, so that a child paints only what its value changes. A
// child that leaves its art to such a page tells it when that art changes;
// its place follows the page's scale, which the picture is kept for.
// Message thread only.
class PageArt
{
public:
    virtual ~PageArt() = default;
    virtual void childArtChanged() = 0;
};
