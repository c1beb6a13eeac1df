#include "windows/library/TextInputCont.h"

#include "core/model/ProgramImage.h"
#include "editor/EditorLook.h"
#include "editor/ProgramCategoryNames.h"

namespace
{
constexpr float kMessageFontHeight = 24.0f;
constexpr float kTextFontHeight = 16.0f;
constexpr float kCategoryFontHeight = 15.0f;
const juce::Rectangle<int> parkedBounds { -100, -100, 50, 50 };
} // namespace

TextInputCont::TextInputCont()
{
    for (auto* button : { &acceptButton, &cancelButton, &declineButton })
    {
        addChildComponent (*button);
        button->addListener (this);
    }
    acceptButton.setVisible (true);

    textField.setMultiLine (false, false);
    textField.setReturnKeyStartsNewLine (false);
    textField.setReadOnly (false);
    textField.setCaretVisible (true);
    textField.setScrollbarsShown (true);
    textField.setPopupMenuEnabled (true);
    textField.setFont (EditorLook::font (kTextFontHeight));
    textField.setIndents (4, 2); // descenders fit the 24-pixel field
    addAndMakeVisible (textField);

    messageLabel.setFont (EditorLook::font (kMessageFontHeight));
    messageLabel.setJustificationType (juce::Justification::centred);
    messageLabel.setEditable (false);
    messageLabel.setBorderSize ({}); // the 30-pixel line holds the 24-pixel text whole
    messageLabel.setColour (juce::Label::textColourId, EditorLook::questionText);
    addAndMakeVisible (messageLabel);

    setSize (600, 400);
}

TextInputCont::~TextInputCont() = default;

void TextInputCont::addListener (textmsgListener* listener)
{
    const juce::ScopedLock sl (listenerLock);
    listeners.addIfNotAlreadyThere (listener);
}

LibBut& TextInputCont::getButton (int answerId) noexcept
{
    return answerId == kAcceptId ? acceptButton : answerId == kDeclineId ? declineButton : cancelButton;
}

void TextInputCont::setup (const juce::String& messageText, const juce::String& defaultText, const juce::String& cancelText,
                           const juce::String& acceptText, const juce::String& declineText, int newCategory, int newDialogId,
                           int newKind)
{
    message = messageText;
    messageLabel.setText (messageText, juce::dontSendNotification);
    textField.setText (defaultText, false);

    dialogId = newDialogId;
    kind = newKind;
    categoryBoxShown = newCategory >= 0;
    setCategory (newCategory);

    const std::pair<LibBut*, const juce::String*> texts[] = {
        { &cancelButton, &cancelText }, { &acceptButton, &acceptText }, { &declineButton, &declineText }
    };
    for (auto [button, text] : texts)
    {
        if (text->isNotEmpty())
            button->setCaption (*text);
        button->setVisible (text->isNotEmpty());
    }

    resized();
    repaint();
}

void TextInputCont::dismiss()
{
    setVisible (false);
    setBounds (parkedBounds);
}

void TextInputCont::setCategory (int newCategory)
{
    category = newCategory;
    categoryText = getCategoryName (newCategory).toUpperCase();
}

void TextInputCont::resized()
{
    const int w = getWidth();
    textField.setBounds ((w - kTextFieldWidth) / 2, kTextFieldY, kTextFieldWidth, kTextFieldHeight);
    messageLabel.setBounds (20, 24, w - 40, 30);

    int y = kButtonRowY;
    if (categoryBoxShown)
    {
        categoryBox.setWidth (kCategoryBoxWidth);
        categoryBox.setY (kCategoryBoxY);
        categoryBox.setX ((w - kCategoryBoxWidth) / 2);
        y = kButtonRowYWithCategory;
    }

    if (declineButton.isVisible())
    {
        const int x0 = (w - 340) / 2;
        acceptButton.placeAt (x0, y);
        declineButton.placeAt (x0 + kButtonStep, y);
        cancelButton.placeAt (x0 + 2 * kButtonStep, y);
    }
    else
    {
        const int x0 = (w - 220) / 2;
        acceptButton.placeAt (x0, y);
        cancelButton.placeAt (x0 + kButtonStep, y);
    }
}

void TextInputCont::paint (juce::Graphics& g)
{
    g.fillAll (EditorLook::questionFill);

    if (! categoryBoxShown)
        return;

    categoryBox.setX ((getWidth() - categoryBox.getWidth()) / 2);
    g.setColour (EditorLook::categoryBoxFill);
    g.fillRect (categoryBox);
    g.setColour (EditorLook::categoryBoxText);
    g.setFont (EditorLook::font (kCategoryFontHeight));
    g.drawText (categoryText, categoryBox, juce::Justification::centred, true);
}

void TextInputCont::mouseDown (const juce::MouseEvent& e)
{
    const auto p = e.getPosition();
    const auto& box = categoryBox;
    if (categoryBoxShown && p.x > box.getX() && p.x < box.getRight() && p.y > box.getY() && p.y < box.getBottom())
        showCategoryMenu();
}

void TextInputCont::showCategoryMenu()
{
    juce::PopupMenu menu;
    for (int c = 0; c < ProgramImage::kNumCategories; ++c)
        menu.addItem (c + 1, getCategoryName (c));
    menu.setLookAndFeel (&getLookAndFeel());

    juce::Component::SafePointer<TextInputCont> safeThis (this);
    menu.showMenuAsync (juce::PopupMenu::Options().withTargetComponent (&textField), [safeThis] (int itemId) {
        if (safeThis != nullptr)
            safeThis->handleCategoryMenu (itemId);
    });
}

void TextInputCont::handleCategoryMenu (int itemId)
{
    if (itemId < 1 || itemId > ProgramImage::kNumCategories)
        return;

    setCategory (itemId - 1);
    repaint (categoryBox);
}

void TextInputCont::libButtonClicked (LibBut*, int id)
{
    using Answer = void (textmsgListener::*) (int, int);
    const Answer answer = id == kAcceptId    ? &textmsgListener::textMsgAccepted
                        : id == kDeclineId   ? &textmsgListener::textMsgDeclined
                        : id == kCancelId    ? &textmsgListener::textMsgCancelled
                                             : nullptr;
    if (answer == nullptr)
        return;

    // A listener may delete the overlay with its page.
    const juce::Component::SafePointer<TextInputCont> alive (this);
    const int id0 = dialogId, kind0 = kind;
    for (int i = listeners.size(); --i >= 0 && alive != nullptr;)
        (listeners.getUnchecked (i)->*answer) (id0, kind0);
}
