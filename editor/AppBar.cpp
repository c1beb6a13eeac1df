#include "editor/AppBar.h"

#include "editor/EditorLook.h"

namespace
{
constexpr int kButtonStyle = 130;

struct BarButton
{
    const char* text;
    int id, x;
};

const BarButton barButtons[] = {
    { "MIDI", AppBar::kMidi, 58 },  { "BANK", AppBar::kBank, 112 }, { "FILE", AppBar::kFile, 166 },
    { "EDIT", AppBar::kEdit, 217 }, { "Send", AppBar::kSend, 271 }, { "Recv", AppBar::kRecv, 322 },
    { "WRITE", AppBar::kWrite, 376 },
};
} // namespace

AppBar::AppBar (MidiCntrState& h) : hub (h)
{
    setOpaque (true);

    toolButton = std::make_unique<AppSetBarBut>();
    toolButton->setSize (36, 36);
    addAndMakeVisible (*toolButton);
    toolButton->setBounds (10, -4, 36, 36); // overhangs the bar's top edge

    for (const auto& b : barButtons)
    {
        auto* button = commandButtons.add (new KwsBut (b.text, b.id, kButtonStyle));
        addAndMakeVisible (button);
        button->placeWithStyleImages (b.x, 2, 50, 18, true);
    }

    channelLabel = std::make_unique<KwsLabel>();
    channelLabel->setBounds (493, 3, 62, 15);
    channelLabel->setTextStyle ({}, EditorLook::typefaceName(), 12.0f, juce::Justification::centred);
    channelLabel->setFrame (2, EditorLook::background, EditorLook::labelFrame);
    addAndMakeVisible (*channelLabel);

    statusLabel = std::make_unique<KwsLabel>();
    statusLabel->setBounds (564, 2, 300, 15);
    statusLabel->setTextStyle ({}, EditorLook::typefaceName(), 13.0f, juce::Justification::left);
    statusLabel->setFrame (1, EditorLook::bar, EditorLook::bar);
    addAndMakeVisible (*statusLabel);

    setSize (1024, kHeight);
}

AppBar::~AppBar()
{
    statusLabel.reset();
    channelLabel.reset();
    commandButtons.clear();
    toolButton.reset();
}

void AppBar::paint (juce::Graphics& g)
{
    g.fillAll (EditorLook::bar);
}

KwsBut* AppBar::findButton (int id) const
{
    for (auto* button : commandButtons)
        if (button->getId() == id)
            return button;
    return nullptr;
}
