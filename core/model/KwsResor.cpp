#include "core/model/KwsResor.h"

#include <BrindlemarkAssets.h>

namespace
{
juce::Image decode (const char* data, int size)
{
    return juce::ImageCache::getFromMemory (data, size);
}

void drawWhole (juce::Graphics& g, const juce::Image& image, int width, int height, float scale)
{
    g.drawImage (image, 0, 0, (int) (width * scale), (int) (height * scale), 0, 0, width, height);
}
} // namespace

KwsResor::KwsResor()
    : whiteKeyReleased (decode (BrindlemarkAssets::key_white_up_png, BrindlemarkAssets::key_white_up_pngSize)),
      whiteKeyPressed (decode (BrindlemarkAssets::key_white_down_png, BrindlemarkAssets::key_white_down_pngSize)),
      blackKeyReleased (decode (BrindlemarkAssets::key_black_up_png, BrindlemarkAssets::key_black_up_pngSize)),
      blackKeyPressed (decode (BrindlemarkAssets::key_black_down_png, BrindlemarkAssets::key_black_down_pngSize))
{
}

void KwsResor::drawWhiteKey (juce::Graphics& g, bool pressed, float scale) const
{
    drawWhole (g, getWhiteKey (pressed), kWhiteKeyWidth, kWhiteKeyHeight, scale);
}

void KwsResor::drawBlackKey (juce::Graphics& g, bool pressed, float scale) const
{
    drawWhole (g, getBlackKey (pressed), kBlackKeyWidth, kBlackKeyHeight, scale);
}
