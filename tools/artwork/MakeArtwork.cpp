// Draws the plug-in's widget images and writes them as PNG files into
// assets/images, from where the build embeds them. Run it after changing a
// drawing here:  build/tests/tools/brindlemark_artwork assets/images
#include <juce_graphics/juce_graphics.h>
#include <juce_events/juce_events.h>

#include <functional>
#include <iostream>

namespace
{
using Painter = std::function<void (juce::Graphics&, int width, int height)>;

struct Artwork
{
    const char* fileName;
    int width, height;
    bool opaque;
    Painter paint;
};

void whiteKey (juce::Graphics& g, int w, int h, bool pressed)
{
    const auto top = pressed ? juce::Colour (0xffd4dae3) : juce::Colour (0xfff7f7f4);
    const auto bottom = pressed ? juce::Colour (0xffb9c3d1) : juce::Colour (0xffe4e4df);

    g.setGradientFill (juce::ColourGradient (top, 0.0f, 0.0f, bottom, 0.0f, (float) h, false));
    g.fillAll();

    // Shadow at the top where the key meets the panel, deeper when pressed.
    g.setGradientFill (juce::ColourGradient (juce::Colour (pressed ? 0x66000000u : 0x33000000u), 0.0f, 0.0f,
                                             juce::Colours::transparentBlack, 0.0f, pressed ? 14.0f : 8.0f, false));
    g.fillRect (0, 0, w, pressed ? 14 : 8);

    if (! pressed)
    {
        g.setColour (juce::Colour (0xffcfcfc9));
        g.fillRect (1, h - 7, w - 2, 6);
    }

    g.setColour (juce::Colour (0xff5a5f66));
    g.drawRect (0, 0, w, h, 1);
}

void blackKey (juce::Graphics& g, int w, int h, bool pressed)
{
    const auto body = juce::Rectangle<float> (0.0f, -4.0f, (float) w, (float) h + 4.0f);
    const auto top = pressed ? juce::Colour (0xff3a3f47) : juce::Colour (0xff23262b);
    const auto bottom = pressed ? juce::Colour (0xff2a2e35) : juce::Colour (0xff0d0e10);

    g.setGradientFill (juce::ColourGradient (top, 0.0f, 0.0f, bottom, 0.0f, (float) h, false));
    g.fillRoundedRectangle (body, 2.5f);

    // A lighter cap at the front edge, shorter when the key is down.
    const float capHeight = pressed ? 5.0f : 10.0f;
    g.setColour (juce::Colour (pressed ? 0xff4a505a : 0xff3b4048));
    g.fillRoundedRectangle (2.0f, (float) h - capHeight - 2.0f, (float) w - 4.0f, capHeight, 2.0f);

    g.setColour (juce::Colour (0x40ffffff));
    g.fillRect (3.0f, 2.0f, 1.5f, (float) h - capHeight - 8.0f);
}

const Artwork artworks[] = {
    { "key_white_up.png", 25, 152, true, [] (auto& g, int w, int h) { whiteKey (g, w, h, false); } },
    { "key_white_down.png", 25, 152, true, [] (auto& g, int w, int h) { whiteKey (g, w, h, true); } },
    { "key_black_up.png", 16, 100, false, [] (auto& g, int w, int h) { blackKey (g, w, h, false); } },
    { "key_black_down.png", 16, 100, false, [] (auto& g, int w, int h) { blackKey (g, w, h, true); } },
};
} // namespace

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: brindlemark_artwork <output folder>\n";
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI juce;
    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
    folder.createDirectory();

    for (const auto& art : artworks)
    {
        juce::Image image (art.opaque ? juce::Image::RGB : juce::Image::ARGB, art.width, art.height, true);
        {
            juce::Graphics g (image);
            art.paint (g, art.width, art.height);
        }

        const auto file = folder.getChildFile (art.fileName);
        file.deleteFile();
        juce::FileOutputStream out (file);
        juce::PNGImageFormat png;

        if (! out.openedOk() || ! png.writeImageToStream (image, out))
        {
            std::cerr << "could not write " << file.getFullPathName() << "\n";
            return 1;
        }

        std::cout << file.getFullPathName() << "\n";
    }

    return 0;
}
