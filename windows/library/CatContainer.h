#pragma once

#include "editor/widgets/KwBut.h"
#include "editor/widgets/SimpleLabel.h"

#include <array>
#include <memory>

class CatListener
{
public:
    virtual ~CatListener() = default;
    virtual void categorySelected (int index) = 0; // 0-25 a category, 26 LIST ALL
};

// The category buttons of the LIBRARY page, each over a label that the page
// fills with the count of its category; the last label shows the library
// size. The container keeps no filter and counts nothing. Message thread only.
class CatContainer : public juce::Component,
                     public juce::ChangeListener
{
public:
    static constexpr int kNumCategories = 26;
    static constexpr int kListAllIndex = kNumCategories;
    static constexpr int kNumButtons = kNumCategories + 1;
    static constexpr int kSizeLabel = kNumCategories;

    CatContainer();
    ~CatContainer() override;

    // Places the grid; the owner calls it once.
    void createCategoryButtons();

    // Registration takes the lock and ignores duplicates.
    void addListener (CatListener* listener);

    KwBut& getButton (int index) noexcept { return *buttons[(size_t) index]; }
    SimpleLabel& getCountLabel (int index) noexcept { return *countLabels[(size_t) index]; }

    void paint (juce::Graphics& g) override;
    bool keyPressed (const juce::KeyPress&) override { return false; }
    void resized() override {}

    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

private:
    // Additions only, under the lock; notification walks without it.
    juce::Array<CatListener*> listeners;
    juce::CriticalSection listenerLock;

    std::array<std::unique_ptr<SimpleLabel>, kNumButtons> countLabels;
    std::array<std::unique_ptr<KwBut>, kNumButtons> buttons;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CatContainer)
};
