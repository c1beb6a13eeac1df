#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MidiCntrState;

// The small display, styled as the synthesizer's LCD, that shows a program's
// bank and number, category and name. It knows nothing of the model: its
// owner hands it the values. A click sends a change message; the owner reads
// the zone that was clicked. Message thread only.
class LCD_Comp : public juce::Component,
                 public juce::ChangeBroadcaster,
                 public juce::Timer
{
public:
    enum LcdClickZone : int
    {
        kZoneNone = 0,
        kZoneNumber = 1,   // the upper line, left of the category
        kZoneName = 2,     // the lower line
        kZoneCategory = 3  // the upper line from the category on
    };

    static constexpr int kWidth = 180, kHeight = 43;
    static constexpr int kZoneSplitX = 62, kZoneSplitY = 22;

    // A light stays lit this long after the last message it shows.
    static constexpr int kLightHoldMs = 100;
    static constexpr int kLightTickMs = 20;

    explicit LCD_Comp (MidiCntrState* hub);
    ~LCD_Comp() override;

    void place (int x, int y, float scale);
    void setAll (int bank, int program, int category, const juce::String& name, const juce::String& categoryName);
    void setBankAndProgram (int bank, int program);
    void setCategory (int category, const juce::String& categoryName);
    void setName (const juce::String& text);

    // "A:001" for bank 0 program 0 ... "C:128".
    static juce::String numberText (int bank, int program);

    // Light 1 shows messages to the synthesizer, light 2 messages from it,
    // taken from the hub's marks. The display's own timer runs only while a
    // light is lit; until then its owner's poll looks for marks.
    void setActivityLightsEnabled (bool enabled);
    void checkActivity();
    bool isLightOn (int light) const noexcept { return light == 1 ? light1 : light == 2 ? light2 : false; }
    void timerCallback() override;

    const juce::String& getNumberText() const noexcept { return numberTextShown; }
    const juce::String& getNameText() const noexcept { return nameText; }
    const juce::String& getCategoryText() const noexcept { return categoryText; }
    int getClickZone() const noexcept { return clickZone; }
    float getScale() const noexcept { return scale; }

    void mouseDown (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;
    void resized() override {}

private:
    juce::Rectangle<int> lightArea (int light) const;

    MidiCntrState* hub;
    float scale = 1.0f;
    juce::String nameText, numberTextShown, categoryText;
    int programNumber = 0, bankNumber = 0, categoryNumber = 0;
    bool lightsEnabled = false, light1 = false, light2 = false;
    juce::uint32 light1Until = 0, light2Until = 0;
    int clickZone = kZoneNone;
    juce::Image overlayImage, backgroundImage;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LCD_Comp)
};
