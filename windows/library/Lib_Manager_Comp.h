#pragma once

#include "editor/EditorLook.h"
#include "editor/keyboard/KeyPlayClass.h"
#include "editor/widgets/LibBut.h"
#include "editor/widgets/WinMovCan.h"
#include "windows/library/LibClass.h"
#include "windows/library/Plugin_Bank.h"

class VellixAudioProcessor;

// The content of the library window: the title strip that moves the window,
// with a computer-keyboard player on it, the tabs, the page shown, the close
// tool and a status line. Each page is
// made the first time its tab is chosen and then only hidden and shown.
class Lib_Manager_Comp : public juce::Component,
                         public LibButListener,
                         public KeyPlayListener,
                         public juce::ChangeBroadcaster
{
public:
    static constexpr int kWidth = 1000, kHeight = 620;
    static constexpr int kTitleStripHeight = 20; // a press above this drags the window
    static constexpr int kLibraryTabId = 1217, kPresetBankTabId = 1218;

    explicit Lib_Manager_Comp (VellixAudioProcessor& processor);
    ~Lib_Manager_Comp() override;

    void setWindow (juce::Component* owningWindow) noexcept { window = owningWindow; }

    void showPresetBankPage();
    void showLibraryPage();

    const juce::String& getTitle() const noexcept { return title; }
    WinMovCan& getToolStrip() noexcept { return *toolStrip; }
    KeyPlayClass& getKeyStrip() noexcept { return *keyStrip; }
    LibBut& getTab (int index) noexcept { return *tabs[(size_t) index]; }
    LibClass* getLibraryPage() noexcept { return libraryPage.get(); }
    Plugin_Bank* getPresetBankPage() noexcept { return presetBankPage.get(); }
    juce::Label& getStatusLabel() noexcept { return statusLabel; }

    void mouseMove (const juce::MouseEvent& e) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;
    void resized() override;

    void libButtonClicked (LibBut* button, int id) override;
    void libButtonEntered (LibBut* button, int id) override;
    void libButtonExited (LibBut* button, int id) override;

    // The key strip sits on the title strip, so it moves the window too.
    void keyPlayEvent() override {}
    void keyPlayMouseDown (int x, int y) override;
    void keyPlayMouseUp (int, int) override {}
    void keyPlayMouseDrag (int x, int y) override;

private:
    void placePage (juce::Component* page);
    static void parkPage (juce::Component* page);

    VellixAudioProcessor& processor;
    EditorLook look; // the window is not inside the editor, whose look its menus would use
    juce::Label statusLabel;
    juce::String title;
    bool dragging = false;
    juce::Point<int> pressPosition;
    juce::Component* window = nullptr;

    // Deleted in reverse: the LIBRARY page, which writes the default library, goes first.
    std::unique_ptr<KeyPlayClass> keyStrip;
    std::unique_ptr<WinMovCan> toolStrip;
    std::array<std::unique_ptr<LibBut>, 2> tabs;
    std::unique_ptr<LibClass> libraryPage;
    std::unique_ptr<Plugin_Bank> presetBankPage;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Lib_Manager_Comp)
};
