#include "editor/widgets/ScaledArt.h"

const juce::Image& ScaledArt::get (const juce::Image& image, juce::Rectangle<int> source, int width, int height)
{
    const Key key { image.getPixelData(), source.getX(), source.getY(), source.getWidth(), source.getHeight(), width,
                    height };

    if (auto found = pictures.find (key); found != pictures.end())
        return found->second.resampled;

    if (pictures.size() >= kMostPictures)
        pictures.clear();

    Picture made { image, juce::Image (juce::Image::ARGB, width, height, true) };
    {
        juce::Graphics g (made.resampled);
        g.setImageResamplingQuality (juce::Graphics::mediumResamplingQuality);
        g.drawImage (image, 0, 0, width, height, source.getX(), source.getY(), source.getWidth(), source.getHeight());
    }
    return pictures.emplace (key, std::move (made)).first->second.resampled;
}
