#include "tools/render/GuideViews.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

namespace
{
bool isOneColour (const juce::Image& picture)
{
    const juce::Image::BitmapData pixels (picture, juce::Image::BitmapData::readOnly);
    const auto first = pixels.getPixelColour (0, 0);
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            if (pixels.getPixelColour (x, y) != first)
                return false;
    return true;
}

bool isSamePicture (const juce::Image& a, const juce::Image& b)
{
    if (a.getBounds() != b.getBounds() || a.getFormat() != b.getFormat())
        return false;

    const juce::Image::BitmapData pa (a, juce::Image::BitmapData::readOnly), pb (b, juce::Image::BitmapData::readOnly);
    for (int y = 0; y < pa.height; ++y)
        if (std::memcmp (pa.getLinePointer (y), pb.getLinePointer (y), (size_t) (pa.width * pa.pixelStride)) != 0)
            return false;
    return true;
}
} // namespace

// Every view of the guide shows something of its own: none is missing, empty
// or a single colour, and none is the picture of another, as a page that
// failed to open would leave the editor looking as it did a view before.
TEST (GuidePictures, EveryViewRendersAPictureOfItsOwn)
{
    std::vector<std::pair<juce::String, juce::Image>> pictures;
    const auto problems = GuideViews::render ([&] (const juce::String& name, const juce::Image& picture) {
        pictures.emplace_back (name, picture);
    });
    EXPECT_TRUE (problems.isEmpty()) << problems.joinIntoString ("; ");

    const auto names = GuideViews::names();
    ASSERT_EQ (pictures.size(), (size_t) names.size());
    for (size_t i = 0; i < pictures.size(); ++i)
    {
        const auto& [name, picture] = pictures[i];
        EXPECT_EQ (name, names[(int) i]);
        ASSERT_TRUE (picture.isValid() && picture.getWidth() > 0 && picture.getHeight() > 0) << name;
        EXPECT_FALSE (isOneColour (picture)) << name << " is a single colour";

        for (size_t j = 0; j < i; ++j)
            EXPECT_FALSE (isSamePicture (picture, pictures[j].second)) << name << " looks just like " << pictures[j].first;
    }
}

// The README shows the committed pictures: one for each view and none for a
// view that is gone, so the list of views and the folder cannot drift apart.
TEST (GuidePictures, TheGuideFolderHoldsAPictureOfEachView)
{
    const juce::File folder (BRINDLEMARK_GUIDE_PICTURES);
    const auto names = GuideViews::names();

    for (const auto& name : names)
    {
        const auto file = folder.getChildFile (name + ".png");
        EXPECT_TRUE (juce::ImageFileFormat::loadFrom (file).isValid()) << file.getFullPathName() << " is missing or no picture";
    }

    for (const auto& file : folder.findChildFiles (juce::File::findFiles, false, "*.png"))
        EXPECT_TRUE (names.contains (file.getFileNameWithoutExtension())) << file.getFileName() << " shows no view of the guide";
}
