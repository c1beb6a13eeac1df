#include "windows/library/Lib_Manager_Comp.h"

#include "core/VellixAudioProcessor.h"
#include "core/midi/MidiCntrState.h"
#include "windows/library/PageButtons.h"

namespace
{
struct Tab
{
    const char* text;
    int id;
    int x;
};

constexpr Tab tabRows[] = {
    { "PRESET BANK", Lib_Manager_Comp::kPresetBankTabId, 20 },
    { "LIBRARY", Lib_Manager_Comp::kLibraryTabId, 130 },
};

constexpr int kTabY = 22;
constexpr float kTabFontHeight = 12.0f;
constexpr float kTitleFontHeight = 15.0f;
constexpr int kPageTop = 50;
constexpr int kPageBottomMargin = 42;
const juce::Rectangle<int> titleStrip { 0, 4, 0, 20 }; // full width
const juce::Rectangle<int> parkedPage { -1000, -1000, 20, 20 };
const juce::Rectangle<int> keyStripArea { 100, 4, 200, 20 };
} // namespace

Lib_Manager_Comp::Lib_Manager_Comp (VellixAudioProcessor& p) : processor (p)
{
    setLookAndFeel (&look);

    for (size_t i = 0; i < tabs.size(); ++i)
    {
        tabs[i] = std::make_unique<LibBut> (tabRows[i].text, tabRows[i].id, kTabFontHeight);
        addAndMakeVisible (*tabs[i]);
        tabs[i]->addListener (this);
    }

    toolStrip = std::make_unique<WinMovCan>();
    addAndMakeVisible (*toolStrip);

    setSize (500, kHeight);
    tabs[0]->triggerClick();

    keyStrip = std::make_unique<KeyPlayClass> (processor.getHub(), KeyPlayClass::kLibraryMode);
    addAndMakeVisible (*keyStrip);
    keyStrip->addKeyPlayListener (this);
    keyStrip->setMouseCursor (juce::MouseCursor::DraggingHandCursor);
    keyStrip->setColours (EditorLook::libraryKeyStripBackground, EditorLook::libraryKeyStripText);
    keyStrip->setBounds (keyStripArea);

    setUpLibraryStatusLabel (statusLabel);
    addAndMakeVisible (statusLabel);
}

Lib_Manager_Comp::~Lib_Manager_Comp()
{
    for (auto it = tabs.rbegin(); it != tabs.rend(); ++it)
        it->reset();
    presetBankPage.reset();
    libraryPage.reset();
    toolStrip.reset();
    keyStrip.reset();
    setLookAndFeel (nullptr);
}

void Lib_Manager_Comp::placePage (juce::Component* page)
{
    if (page != nullptr)
        page->setBounds (0, kPageTop, getWidth(), getHeight() - kPageTop - kPageBottomMargin);
}

void Lib_Manager_Comp::resized()
{
    toolStrip->setBounds (getWidth() - 20, 6, 18, 22);

    if (libraryPage != nullptr && libraryPage->isVisible())
        placePage (libraryPage.get());
    if (presetBankPage != nullptr && presetBankPage->isVisible())
        placePage (presetBankPage.get());

    for (size_t i = 0; i < tabs.size(); ++i)
        tabs[i]->placeAt (tabRows[i].x, kTabY);

    statusLabel.setBounds (getWidth() - 400, getHeight() - 30, 400, 24);
}

void Lib_Manager_Comp::paint (juce::Graphics& g)
{
    g.fillAll (EditorLook::libraryPage);

    const auto strip = titleStrip.withWidth (getWidth());
    g.setColour (EditorLook::libraryTitleStrip);
    g.fillRect (strip);
    g.setColour (EditorLook::libraryTitleText);
    g.setFont (EditorLook::font (kTitleFontHeight));
    g.drawText ("MOPHO : " + title, strip, juce::Justification::centred, true);
}

void Lib_Manager_Comp::parkPage (juce::Component* page)
{
    if (page != nullptr)
    {
        page->setBounds (parkedPage);
        page->setVisible (false);
    }
}

void Lib_Manager_Comp::showPresetBankPage()
{
    parkPage (libraryPage.get());
    title = "PRESET BANK";

    if (presetBankPage == nullptr)
    {
        presetBankPage = std::make_unique<Plugin_Bank> (processor);
        addAndMakeVisible (*presetBankPage);
        presetBankPage->getButton (Plugin_Bank::kDoneButton).addListener (this);
    }

    presetBankPage->setVisible (true);
    resized();
    presetBankPage->getList().selectRow (processor.getCurrentProgram());
    repaint();
}

void Lib_Manager_Comp::showLibraryPage()
{
    parkPage (presetBankPage.get());
    title = "LIBRARY";

    if (libraryPage == nullptr)
    {
        libraryPage = std::make_unique<LibClass> (processor);
        addAndMakeVisible (*libraryPage);
        libraryPage->getButton (LibClass::kDoneButton).addListener (this);
        libraryPage->loadDefaultLibrary();
    }

    libraryPage->setVisible (true);
    resized();
    repaint();
}

void Lib_Manager_Comp::libButtonClicked (LibBut*, int id)
{
    if (id == LibClass::kDoneId)
        toolStrip->notifyToolListeners (kWinToolHide);
    else if (id == kLibraryTabId)
        showLibraryPage();
    else if (id == kPresetBankTabId)
        showPresetBankPage();
}

void Lib_Manager_Comp::libButtonEntered (LibBut* button, int)
{
    statusLabel.setText (button->helpText, juce::dontSendNotification);
}

void Lib_Manager_Comp::libButtonExited (LibBut*, int)
{
    statusLabel.setText ({}, juce::dontSendNotification);
}

//==============================================================================
void Lib_Manager_Comp::mouseMove (const juce::MouseEvent& e)
{
    setMouseCursor (e.y < kTitleStripHeight ? juce::MouseCursor::DraggingHandCursor : juce::MouseCursor::NormalCursor);
}

void Lib_Manager_Comp::mouseDown (const juce::MouseEvent& e)
{
    pressPosition = e.getPosition();
    dragging = e.y < kTitleStripHeight;
}

void Lib_Manager_Comp::mouseDrag (const juce::MouseEvent& e)
{
    if (! dragging || window == nullptr)
        return;

    // The content moves with the window, so the pointer keeps its place on the strip.
    const auto delta = e.getPosition() - pressPosition;
    window->setTopLeftPosition (window->getPosition() + delta);
}

void Lib_Manager_Comp::keyPlayMouseDown (int x, int y)
{
    pressPosition = { x, y };
    dragging = true;
}

void Lib_Manager_Comp::keyPlayMouseDrag (int x, int y)
{
    if (window != nullptr)
        window->setTopLeftPosition (window->getPosition() + juce::Point<int> (x, y) - pressPosition);
}
