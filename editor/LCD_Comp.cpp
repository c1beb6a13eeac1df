#include "editor/LCD_Comp.h"

#include "core/midi/MidiCntrState.h"
#include "editor/EditorLook.h"

#include <BrindlemarkAssets.h>

namespace
{
constexpr int kBackgroundWidth = 164, kBackgroundHeight = 43;
constexpr int kOverlayWidth = 210, kOverlayHeight = 66;
constexpr float kOverlayOpacity = 128.0f / 255.0f;
constexpr int kLightSize = 5;

// Design rectangles of the three texts, in display units.
const juce::Rectangle<float> numberArea { 10.0f, 5.0f, 104.0f, 14.0f };
const juce::Rectangle<float> categoryArea { 62.0f, 5.0f, 108.0f, 13.0f };
const juce::Rectangle<float> nameArea { 10.0f, 22.0f, 170.0f, 12.0f };
constexpr float kSmallTextHeight = 13.0f, kNameTextHeight = 18.0f;

struct Light
{
    int number;
    float x, y;
};
constexpr Light lights[] = { { 1, 150.0f, 32.0f }, { 2, 160.0f, 32.0f } };
} // namespace

LCD_Comp::LCD_Comp (MidiCntrState* h) : hub (h)
{
    backgroundImage = juce::ImageCache::getFromMemory (BrindlemarkAssets::lcd_background_png, BrindlemarkAssets::lcd_background_pngSize);
    overlayImage = juce::ImageCache::getFromMemory (BrindlemarkAssets::lcd_overlay_png, BrindlemarkAssets::lcd_overlay_pngSize);
    setSize (kWidth, kHeight);
}

LCD_Comp::~LCD_Comp()
{
    stopTimer();
}

void LCD_Comp::place (int x, int y, float newScale)
{
    scale = newScale;
    setBounds (x, y, EditorLook::scaled ((float) kWidth, scale), EditorLook::scaled ((float) kHeight, scale));
    repaint();
}

juce::String LCD_Comp::numberText (int bank, int program)
{
    return juce::String::charToString ((juce::juce_wchar) ('A' + bank)) + ":" + juce::String (program + 1).paddedLeft ('0', 3);
}

void LCD_Comp::setAll (int bank, int program, int category, const juce::String& name, const juce::String& categoryName)
{
    categoryNumber = category;
    nameText = name;
    categoryText = categoryName;
    setBankAndProgram (bank, program);
}

void LCD_Comp::setBankAndProgram (int bank, int program)
{
    bankNumber = bank;
    programNumber = program;
    numberTextShown = numberText (bank, program);
    repaint();
}

void LCD_Comp::setCategory (int category, const juce::String& categoryName)
{
    categoryNumber = category;
    categoryText = categoryName;
    repaint();
}

void LCD_Comp::setName (const juce::String& text)
{
    nameText = text;
    repaint();
}

void LCD_Comp::mouseDown (const juce::MouseEvent& e)
{
    if (e.position.y > kZoneSplitY * scale)
        clickZone = kZoneName;
    else if (e.position.x > kZoneSplitX * scale)
        clickZone = kZoneCategory;
    else
        clickZone = kZoneNumber;

    sendChangeMessage();
}

//==============================================================================
void LCD_Comp::setActivityLightsEnabled (bool enabled)
{
    lightsEnabled = enabled && hub != nullptr;
    light1 = light2 = false;
    stopTimer();
    repaint();
}

void LCD_Comp::checkActivity()
{
    if (lightsEnabled && ! isTimerRunning())
        timerCallback();
}

juce::Rectangle<int> LCD_Comp::lightArea (int light) const
{
    const auto& l = lights[light - 1];
    const int size = juce::jmax (3, EditorLook::scaled ((float) kLightSize, scale));
    return { EditorLook::scaled (l.x, scale), EditorLook::scaled (l.y, scale), size, size };
}

void LCD_Comp::timerCallback()
{
    if (hub == nullptr)
        return;

    const bool sent = hub->takeMidiOutActivity(), received = hub->takeMidiInActivity();
    if (! sent && ! received && ! light1 && ! light2)
    {
        stopTimer();
        return;
    }

    // A mark set since the last tick keeps its light lit for the hold time
    // from now, so a stream of messages holds it steadily on.
    const auto now = juce::Time::getMillisecondCounter();
    if (sent)
        light1Until = now + (juce::uint32) kLightHoldMs;
    if (received)
        light2Until = now + (juce::uint32) kLightHoldMs;

    for (const auto& l : lights)
    {
        auto& lit = l.number == 1 ? light1 : light2;
        const bool nowLit = (juce::int32) ((l.number == 1 ? light1Until : light2Until) - now) > 0;
        if (nowLit != lit)
        {
            lit = nowLit;
            repaint (lightArea (l.number).expanded (1));
        }
    }

    if (! light1 && ! light2)
        stopTimer();
    else if (! isTimerRunning())
        startTimer (kLightTickMs);
}

//==============================================================================
void LCD_Comp::paint (juce::Graphics& g)
{
    const auto s = scale;
    const auto area = [s] (juce::Rectangle<float> r) { return EditorLook::scaled (r, s); };
    const int w = EditorLook::scaled ((float) kWidth, s), h = EditorLook::scaled ((float) kHeight, s);

    g.fillAll (EditorLook::lcdFill);
    g.setOpacity (1.0f);
    g.drawImage (backgroundImage, 0, 0, w, h, 0, 0, kBackgroundWidth, kBackgroundHeight);

    g.setColour (EditorLook::lcdText);
    g.setFont (EditorLook::font (kSmallTextHeight * s));
    g.drawText (numberTextShown, area (numberArea), juce::Justification::left, true);
    g.drawText (categoryText, area (categoryArea), juce::Justification::left, true);

    g.setColour (EditorLook::lcdName);
    g.setFont (EditorLook::font (kNameTextHeight * s, juce::Font::bold));
    g.drawText (nameText, area (nameArea), juce::Justification::left, true);

    if (lightsEnabled)
    {
        for (const auto& l : lights)
        {
            const bool lit = isLightOn (l.number);
            g.setColour (lit ? juce::Colour (l.number == 1 ? EditorLook::lcdLightOut : EditorLook::lcdLightIn)
                             : juce::Colour (EditorLook::lcdLightOff));
            g.fillEllipse (lightArea (l.number).toFloat());
        }
    }

    g.setOpacity (kOverlayOpacity);
    g.drawImage (overlayImage, 0, 0, w, h, 0, 0, kOverlayWidth, kOverlayHeight);
}
