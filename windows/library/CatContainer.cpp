#include "windows/library/CatContainer.h"

#include "editor/EditorLook.h"
#include "editor/ProgramCategoryNames.h"

namespace
{
constexpr int gridColumns[] = { 0, 110, 220, 330 };
constexpr int kRowPitch = 46;
constexpr int kLabelBelow = 18;
constexpr int kCellWidth = 100, kCellHeight = 18;
constexpr float kCountFontHeight = 12.0f;
constexpr int kListAllColumn = 3; // the column before it stays empty on the last row

juce::String captionOf (int index)
{
    if (index == CatContainer::kListAllIndex)
        return "LIST ALL";
    // Category 0 is "no category": its button shows a rule rather than a name.
    return index == 0 ? juce::String ("-----") : getCategoryName (index).toUpperCase();
}
} // namespace

CatContainer::CatContainer()
{
    setBufferedToImage (true);

    for (int i = 0; i < kNumButtons; ++i)
    {
        buttons[(size_t) i] = std::make_unique<KwBut> (captionOf (i), i);
        addAndMakeVisible (*buttons[(size_t) i]);
        countLabels[(size_t) i] = std::make_unique<SimpleLabel> (kCountFontHeight, EditorLook::libraryPage, juce::Font::plain,
                                                                 juce::Justification::centred);
        addAndMakeVisible (*countLabels[(size_t) i]);
    }

    for (auto& button : buttons)
        button->addChangeListener (this);

    for (int i = 0; i < kNumButtons; ++i)
    {
        buttons[(size_t) i]->loadImages();
        countLabels[(size_t) i]->setSize (kCellWidth, kCellHeight);
    }
}

CatContainer::~CatContainer()
{
    for (auto& button : buttons)
        button->removeChangeListener (this);
}

void CatContainer::createCategoryButtons()
{
    for (int i = 0; i < kNumButtons; ++i)
    {
        const int column = i == kListAllIndex ? kListAllColumn : i % 4;
        const int row = i == kListAllIndex ? (kNumCategories - 1) / 4 : i / 4;
        const int x = gridColumns[column], y = row * kRowPitch;

        buttons[(size_t) i]->setPosition (x, y);
        countLabels[(size_t) i]->setBounds (x, y + kLabelBelow, kCellWidth, kCellHeight);
    }
}

void CatContainer::addListener (CatListener* listener)
{
    const juce::ScopedLock sl (listenerLock);
    listeners.addIfNotAlreadyThere (listener);
}

void CatContainer::paint (juce::Graphics& g)
{
    g.fillAll (EditorLook::libraryPage);
}

void CatContainer::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    for (int i = 0; i < kNumButtons; ++i)
    {
        if (source == buttons[(size_t) i].get())
        {
            for (int l = listeners.size(); --l >= 0;)
                listeners.getUnchecked (l)->categorySelected (i);
            return;
        }
    }
}
