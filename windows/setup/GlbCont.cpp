#include "windows/setup/GlbCont.h"

#include "core/midi/MidiCntrState.h"
#include "editor/EditorLook.h"

#include <BrindlemarkAssets.h>

namespace
{
using L = EditorLook;

// The film strip's frames and the switch's two states, as the images lay them out.
constexpr int kKnobFrameSize = 56, kKnobFramePitch = 58, kKnobDrawSize = 50, kValueHeight = 12;
constexpr int kSwitchFrameWidth = 35, kSwitchFrameHeight = 22, kSwitchOnX = 36;
constexpr int kFieldWidth = 200, kFieldHeight = 18, kFieldCap = 4;

juce::Image asset (const void* data, int size)
{
    return juce::ImageCache::getFromMemory (data, size);
}
} // namespace

GlbCont::GlbCont (MidiCntrState& h)
    : hub (h),
      descriptor (&GlobalDescriptorTable::find (-1)),
      knobStrip (asset (BrindlemarkAssets::global_knob_png, BrindlemarkAssets::global_knob_pngSize)),
      menuField (asset (BrindlemarkAssets::global_field_png, BrindlemarkAssets::global_field_pngSize)),
      switchImage (asset (BrindlemarkAssets::global_switch_png, BrindlemarkAssets::global_switch_pngSize))
{
}

void GlbCont::setup (int index)
{
    globalIndex = index;
    descriptor = &GlobalDescriptorTable::find (index);
    setBounds (descriptor->x, descriptor->y, descriptor->width, descriptor->height);
}

int GlbCont::getValue() const noexcept
{
    return (juce::int8) hub.getGlobalValue (globalIndex);
}

void GlbCont::setValue (int value)
{
    value = juce::jmax (0, juce::jmin (value, descriptor->maximum));
    if (globalIndex < 0 || value == getValue())
        return;

    hub.setGlobalValue (globalIndex, value);

    if (descriptor->nrpn == GlobalDescriptorTable::kNoNrpn)
        return;

    hub.sendNrpnNow (descriptor->nrpn, value);
    repaint();
}

//==============================================================================
juce::PopupMenu GlbCont::buildValueMenu() const
{
    juce::PopupMenu menu;
    for (int value = 0; value <= descriptor->maximum; ++value)
        if (const auto text = getParamValueText (descriptor->display, value); text.isNotEmpty())
            menu.addItem (value + 1, text);
    return menu;
}

void GlbCont::showValueMenu()
{
    auto menu = buildValueMenu();
    menu.setLookAndFeel (&getLookAndFeel());

    juce::Component::SafePointer<GlbCont> safeThis (this);
    menu.showMenuAsync (juce::PopupMenu::Options().withTargetComponent (this), [safeThis] (int itemId) {
        if (safeThis != nullptr)
            safeThis->handleValueMenu (itemId);
    });
}

void GlbCont::handleValueMenu (int itemId)
{
    if (itemId >= 1)
        setValue (itemId - 1);
}

//==============================================================================
void GlbCont::mouseDown (const juce::MouseEvent&)
{
    switch (descriptor->style)
    {
        case kGlbMenu: menuArmed = true; break;
        case kGlbSwitch:
        case kGlbToggle:
        case kGlbToggleAlt: setValue (getValue() == 0 ? 1 : 0); break;
        case kGlbKnob:
            dragging = true;
            dragStartValue = getValue();
            break;
    }
}

void GlbCont::mouseDrag (const juce::MouseEvent& e)
{
    if (descriptor->style == kGlbKnob && dragging)
        setValue (GlobalPanelMaths::dragValue (dragStartValue, e.getDistanceFromDragStartX(),
                                               e.getDistanceFromDragStartY(), descriptor->maximum));
}

void GlbCont::mouseUp (const juce::MouseEvent&)
{
    const bool openMenu = descriptor->style == kGlbMenu && menuArmed;
    dragging = menuArmed = false;
    if (openMenu)
        showValueMenu();
}

void GlbCont::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    if (wheel.deltaY > 0.0f)
        setValue (getValue() + 1);
    else if (wheel.deltaY < 0.0f)
        setValue (getValue() - 1);
}

//==============================================================================
void GlbCont::paint (juce::Graphics& g)
{
    if (globalIndex < 0)
        return;

    switch (descriptor->style)
    {
        case kGlbMenu: paintMenuField (g); break;
        case kGlbSwitch: paintSwitch (g); break;
        case kGlbKnob: paintKnob (g); break;
        default: break;
    }
}

void GlbCont::paintMenuField (juce::Graphics& g)
{
    const int width = getWidth();
    g.drawImage (menuField, 0, 0, kFieldWidth, kFieldHeight, 0, 0, kFieldWidth, kFieldHeight);
    g.drawImage (menuField, width - kFieldCap, 0, kFieldCap, kFieldHeight, kFieldWidth - kFieldCap, 0, kFieldCap, kFieldHeight);

    g.setColour (L::globalMenuText);
    g.setFont (L::font (12.0f));
    g.drawText (getParamValueText (descriptor->display, getValue()), 0, 0, width, kFieldHeight, juce::Justification::centred);
}

void GlbCont::paintSwitch (juce::Graphics& g)
{
    const int value = getValue();
    if (value != 0 && value != 1)
        return;

    g.drawImage (switchImage, 0, 0, kSwitchFrameWidth, kSwitchFrameHeight, value == 0 ? 0 : kSwitchOnX, 0,
                 kSwitchFrameWidth, kSwitchFrameHeight);
}

juce::Rectangle<int> GlbCont::getKnobArea() const noexcept
{
    return { (getWidth() - kKnobDrawSize) / 2, 0, kKnobDrawSize, kKnobDrawSize };
}

void GlbCont::paintKnob (juce::Graphics& g)
{
    const int value = getValue();
    const int frame = GlobalPanelMaths::knobFrame (value, descriptor->maximum);
    const auto knob = getKnobArea();
    g.drawImage (knobStrip, knob.getX(), knob.getY(), knob.getWidth(), knob.getHeight(), kKnobFramePitch * frame, 0,
                 kKnobFrameSize, kKnobFrameSize);

    g.setColour (L::text);
    g.setFont (L::font (11.0f));
    // In the ring's opening below the knob's body, off the ring.
    g.drawText (getParamValueText (descriptor->display, value), knob.getX(), knob.getBottom() - kValueHeight, knob.getWidth(),
                kValueHeight, juce::Justification::centred);
    g.setFont (L::font (12.0f));
    g.drawText (descriptor->name, 0, 26, getWidth(), getHeight(), juce::Justification::centred);
}
