#include "core/VellixAudioProcessor.h"
#include "editor/EditorLook.h"
#include "editor/MainComp.h"
#include "support/MessageLoop.h"
#include "support/Waiting.h"

#include <gtest/gtest.h>

TEST (EditorLook, DesignRectanglesScaleAndTruncateEachEdgeOnItsOwn)
{
    struct Case
    {
        juce::Rectangle<float> design;
        float scale;
        juce::Rectangle<int> pixels;
    };

    const Case cases[] = {
        { { 8.0f, 1.0f, 850.0f, 158.0f }, 1.0f, { 8, 1, 850, 158 } },
        { { 8.0f, 166.0f, 660.0f, 158.0f }, 0.5f, { 4, 83, 330, 79 } },
        { { 33.0f, 33.0f, 33.0f, 33.0f }, 0.5f, { 16, 16, 16, 16 } },
        { { 0.0f, 0.0f, 1148.0f, 700.0f }, 975.0f / 1148.0f, { 0, 0, 975, 594 } },
        { { 740.0f, 500.0f, 23.0f, 23.0f }, 0.849f, { 628, 424, 19, 19 } },
    };

    for (const auto& c : cases)
        EXPECT_EQ (EditorLook::scaled (c.design, c.scale), c.pixels) << c.design.toString() << " at " << c.scale;
}

TEST (EditorLook, MenusAreWhiteOnBlackAndTheHighlightedItemWhiteOnGrey)
{
    EditorLook look;

    struct Case
    {
        bool highlighted;
        juce::Colour fill;
    };

    for (const auto& c : { Case { false, EditorLook::menuBackground }, Case { true, EditorLook::menuHighlight } })
    {
        juce::Image image (juce::Image::ARGB, 200, 24, true);
        {
            juce::Graphics g (image);
            look.drawPopupMenuBackground (g, 200, 24);
            look.drawPopupMenuItem (g, { 0, 0, 200, 24 }, false, true, c.highlighted, false, false, "Channel 1", {},
                                    nullptr, nullptr);
        }

        // Row 13: clear of the background's faint stripes on every third row.
        EXPECT_EQ (image.getPixelAt (190, 13), c.fill) << c.highlighted;

        bool textInWhite = false;
        for (int x = 0; x < 200 && ! textInWhite; ++x)
            for (int y = 0; y < 24 && ! textInWhite; ++y)
                textInWhite = image.getPixelAt (x, y) == juce::Colour (EditorLook::menuText);
        EXPECT_TRUE (textInWhite) << c.highlighted;
    }
}

TEST (EditorLook, TheEditorRootCarriesItAndItsMenusShowIt)
{
    VellixAudioProcessor processor;
    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
    auto* main = dynamic_cast<MainComp*> (editor->getChildComponent (0));
    ASSERT_NE (main, nullptr);

    EXPECT_EQ (&main->getLookAndFeel(), &main->getLook());
    EXPECT_NE (dynamic_cast<EditorLook*> (&main->getAppBar().getChannelLabel().getLookAndFeel()), nullptr);

    auto& desktop = juce::Desktop::getInstance();
    const int before = desktop.getNumComponents();
    main->showChannelMenu();

    ASSERT_EQ (desktop.getNumComponents(), before + 1);
    juce::Component::SafePointer<juce::Component> menu (desktop.getComponent (before));
    EXPECT_EQ (&menu->getLookAndFeel(), &main->getLook());

    // Closing the editor closes its menus before their look goes.
    editor.reset();
    EXPECT_TRUE (menu == nullptr || ! menu->isVisible());

    // The message loop deletes a dismissed menu; a later test in this process
    // would otherwise find it still active.
    waitUntil ([&] {
        deliverMessages (10);
        return menu == nullptr;
    });
    EXPECT_EQ (menu, nullptr);
}
