#pragma once

#include "editor/widgets/LibBut.h"

// The answers of a question, each with the dialog id and kind the asker gave.
class textmsgListener
{
public:
    virtual ~textmsgListener() = default;
    virtual void textMsgAccepted (int dialogId, int kind) = 0;
    virtual void textMsgDeclined (int dialogId, int kind) = 0;
    virtual void textMsgCancelled (int dialogId, int kind) = 0;
};

// The panel a library-window page lays over itself to ask a question: a
// message, up to three answers, and when asked for a text field and a
// category box. Not modal: it covers the page, not the window. The asker
// dismisses it after an answer and reads the text and category then.
class TextInputCont : public juce::Component,
                      public LibButListener,
                      public juce::ChangeBroadcaster
{
public:
    enum AnswerId : int
    {
        kDeclineId = 1200,
        kAcceptId = 1201,
        kCancelId = 1202
    };

    static constexpr int kButtonRowY = 116, kButtonRowYWithCategory = 136;
    static constexpr int kButtonStep = 120;
    static constexpr int kTextFieldWidth = 280, kTextFieldY = 64, kTextFieldHeight = 24;
    static constexpr int kCategoryBoxWidth = 280, kCategoryBoxY = 94, kCategoryBoxHeight = 30;

    TextInputCont();
    ~TextInputCont() override;

    void addListener (textmsgListener* listener);

    // An empty button text hides that button; a category below 0 hides the box.
    void setup (const juce::String& message, const juce::String& defaultText, const juce::String& cancelText,
                const juce::String& acceptText, const juce::String& declineText, int category, int dialogId, int kind);
    void dismiss();

    juce::TextEditor& getTextField() noexcept { return textField; }
    juce::String getText() const { return textField.getText(); }
    int getCategory() const noexcept { return category; }
    bool isCategoryBoxShown() const noexcept { return categoryBoxShown; }
    const juce::String& getCategoryText() const noexcept { return categoryText; }
    const juce::String& getMessage() const noexcept { return message; }
    juce::Rectangle<int> getCategoryBox() const noexcept { return categoryBox; }
    LibBut& getButton (int answerId) noexcept;

    // The category pop-up: item ids 1-26 choose category id - 1; 0 (dismissed) keeps it.
    void showCategoryMenu();
    void handleCategoryMenu (int itemId);

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent&) override {}
    void paint (juce::Graphics& g) override;
    bool keyPressed (const juce::KeyPress&) override { return false; }
    void resized() override;

    void libButtonClicked (LibBut* button, int id) override;
    void libButtonEntered (LibBut*, int) override {}
    void libButtonExited (LibBut*, int) override {}

private:
    void setCategory (int newCategory);

    // Additions only, under the lock; answers walk the array without it.
    juce::Array<textmsgListener*> listeners;
    juce::CriticalSection listenerLock;

    juce::TextEditor textField;
    juce::Rectangle<int> categoryBox { 0, 0, 150, kCategoryBoxHeight };
    bool categoryBoxShown = false;
    juce::String categoryText, message;
    int category = -1;
    int dialogId = 0, kind = 0;
    LibBut acceptButton { "OK", kAcceptId, 12.0f };
    LibBut cancelButton { "Cancel", kCancelId, 12.0f };
    LibBut declineButton { "NO", kDeclineId, 12.0f };
    juce::Label messageLabel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TextInputCont)
};
