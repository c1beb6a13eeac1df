#include "editor/MainComp.h"
#include "editor/widgets/WidgetHarness.h"
#include "support/SynthRig.h"

#include <gtest/gtest.h>

using namespace widgetharness;

namespace
{
struct Opened
{
    explicit Opened (VellixAudioProcessor& p) : processor (p), editor (p.createEditorIfNeeded())
    {
        main = dynamic_cast<MainComp*> (editor->getChildComponent (0));
    }
    ~Opened() { processor.editorBeingDeleted (editor.get()); }

    VellixAudioProcessor& processor;
    std::unique_ptr<juce::AudioProcessorEditor> editor;
    MainComp* main = nullptr;
};

struct About : testing::Test, SynthRig
{
};
} // namespace

TEST_F (About, OnlyTheFirstEditorOfAProcessorShowsItAndItClosesByClickOrTimer)
{
    {
        Opened first (*processor);
        auto* about = first.main->getAboutPanel();
        ASSERT_NE (about, nullptr);
        EXPECT_TRUE (about->isAutoClosing());
        EXPECT_EQ (about->getBounds(), first.main->getLocalBounds());

        about->timerCallback();
        about->dispatchPendingMessages();
        EXPECT_EQ (first.main->getAboutPanel(), nullptr);
    }

    Opened second (*processor);
    EXPECT_EQ (second.main->getAboutPanel(), nullptr);

    second.main->handleFileMenu (3); // "About"
    auto* about = second.main->getAboutPanel();
    ASSERT_NE (about, nullptr);
    EXPECT_FALSE (about->isAutoClosing()) << "from the menu it stays until clicked";
    press (*about, 10, 10);
    about->dispatchPendingMessages();
    EXPECT_EQ (second.main->getAboutPanel(), nullptr);
}

TEST_F (About, TheWritePageKeepsTheAboutBoxOpen)
{
    Opened view (*processor);
    view.main->setWritePageShown (true);
    press (*view.main->getAboutPanel(), 10, 10);
    view.main->getAboutPanel()->dispatchPendingMessages();
    EXPECT_NE (view.main->getAboutPanel(), nullptr);
}
