#include "windows/library/TextSetCurCont.h"

#include "core/VellixAudioProcessor.h"
#include "editor/EditorLook.h"

namespace
{
constexpr float kNameFontHeight = 16.0f;
constexpr float kTargetFontHeight = 20.0f;
constexpr float kHeadingFontHeight = 24.0f;
constexpr int kNameFieldY = 64, kNameFieldHeight = 24;
constexpr int kButtonY = 256, kButtonStep = 120, kButtonPairWidth = 220;
const char* const kUnnamed = "Untitled";
} // namespace

TextSetCurCont::TextSetCurCont (VellixAudioProcessor& p) : processor (p)
{
    for (auto* button : { &okButton, &cancelButton })
    {
        addAndMakeVisible (*button);
        button->addListener (this);
    }

    nameField.setMultiLine (false, false);
    nameField.setReturnKeyStartsNewLine (false);
    nameField.setFont (EditorLook::font (kNameFontHeight));
    nameField.setIndents (4, 2); // descenders fit the 24-pixel field
    addAndMakeVisible (nameField);

    setSize (600, 400);
}

TextSetCurCont::~TextSetCurCont() = default;

void TextSetCurCont::addListener (textSetCurListener* listener)
{
    const juce::ScopedLock sl (listenerLock);
    listeners.addIfNotAlreadyThere (listener);
}

juce::String TextSetCurCont::targetTextOf (int preset) const
{
    const juce::SpinLock::ScopedLockType sl (processor.getHub().getImageLock());
    return juce::String (preset + 1) + "    " + processor.getHostBank().getProgramName (preset);
}

void TextSetCurCont::setTarget (int preset)
{
    targetPreset = preset;
    targetText = targetTextOf (preset);
}

void TextSetCurCont::setup()
{
    juce::String name;
    {
        const juce::SpinLock::ScopedLockType sl (processor.getHub().getImageLock());
        name = processor.getHostBank().getEditBufferName();
    }

    // "---" is how the synthesizer marks a program nobody named.
    if (name.isEmpty() || name.startsWith ("---"))
        name = kUnnamed;

    nameField.setText (name.trimEnd(), false);
    setTarget (processor.getCurrentProgram());
    resized();
    repaint();
}

void TextSetCurCont::resized()
{
    const int w = getWidth();
    boxX = (w - kBoxWidth) / 2;
    nameField.setBounds (boxX, kNameFieldY, kBoxWidth, kNameFieldHeight);
    okButton.placeAt ((w - kButtonPairWidth) / 2, kButtonY);
    cancelButton.placeAt ((w - kButtonPairWidth) / 2 + kButtonStep, kButtonY);
    okButton.repaint();
    cancelButton.repaint();
}

void TextSetCurCont::paint (juce::Graphics& g)
{
    g.fillAll (EditorLook::questionFill);

    const juce::Rectangle<int> frame (boxX - 1, kBoxY - 1, kBoxWidth + 2, kBoxHeight + 4);
    g.setColour (EditorLook::targetBoxFill);
    g.fillRect (frame);
    g.setColour (EditorLook::targetBoxEdge);
    g.drawRect (frame, 1);

    g.setColour (EditorLook::questionText);
    g.setFont (EditorLook::font (kTargetFontHeight));
    g.drawText (targetText, getTargetBox(), juce::Justification::centred, true);

    g.setFont (EditorLook::font (kHeadingFontHeight));
    g.drawText ("Preset name:", 20, 24, getWidth() - 40, 30, juce::Justification::centred, true);
    g.drawText ("Replace:", 20, 24, getWidth() - 40, 180, juce::Justification::centred, true);
}

void TextSetCurCont::mouseDown (const juce::MouseEvent& e)
{
    // Strictly inside: a press on the box's edge opens nothing.
    const auto p = e.getPosition();
    if (p.x > boxX && p.x < boxX + kBoxWidth && p.y > kBoxY && p.y < kBoxY + kBoxHeight)
        showTargetMenu();
}

void TextSetCurCont::showTargetMenu()
{
    juce::PopupMenu menu;
    for (int preset = 0; preset < VellixAudioProcessor::kNumHostPrograms; ++preset)
        menu.addItem (kFirstTargetItem + preset, targetTextOf (preset));
    menu.setLookAndFeel (&getLookAndFeel());

    juce::Component::SafePointer<TextSetCurCont> safeThis (this);
    menu.showMenuAsync (juce::PopupMenu::Options(), [safeThis] (int itemId) {
        if (safeThis != nullptr)
            safeThis->handleTargetMenu (itemId);
    });
}

void TextSetCurCont::handleTargetMenu (int itemId)
{
    const int preset = itemId - kFirstTargetItem;
    if (! juce::isPositiveAndBelow (preset, VellixAudioProcessor::kNumHostPrograms))
        return;

    setTarget (preset);
    repaint();
}

void TextSetCurCont::libButtonClicked (LibBut*, int id)
{
    // A listener may delete the dialog with its page.
    const juce::Component::SafePointer<TextSetCurCont> alive (this);
    const int target = targetPreset;

    for (int i = listeners.size(); --i >= 0 && alive != nullptr;)
    {
        if (id == kAcceptId)
            listeners.getUnchecked (i)->setCurrentAccepted (target);
        else if (id == kCancelId)
            listeners.getUnchecked (i)->setCurrentCancelled();
    }
}
