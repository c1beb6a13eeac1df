#include "editor/EditorLook.h"

const juce::String& EditorLook::typefaceName()
{
    static const juce::String resolved = [] {
        const auto installed = juce::Font::findAllTypefaceNames();
        for (auto* name : { kTypefaceName, kTypefaceStandIn })
            if (installed.contains (name, true))
                return juce::String (name);

        return juce::Font::getDefaultSansSerifFontName();
    }();

    return resolved;
}

juce::Font EditorLook::font (float height, int styleFlags)
{
    return juce::Font (typefaceName(), height, styleFlags);
}

juce::Rectangle<int> EditorLook::scaled (juce::Rectangle<float> design, float scale) noexcept
{
    return { scaled (design.getX(), scale), scaled (design.getY(), scale), scaled (design.getWidth(), scale),
             scaled (design.getHeight(), scale) };
}

EditorLook::EditorLook()
{
    setColour (juce::PopupMenu::backgroundColourId, menuBackground);
    setColour (juce::PopupMenu::textColourId, menuText);
    setColour (juce::PopupMenu::headerTextColourId, menuText);
    setColour (juce::PopupMenu::highlightedBackgroundColourId, menuHighlight);
    setColour (juce::PopupMenu::highlightedTextColourId, menuText);
}

void EditorLook::drawPopupMenuBackground (juce::Graphics& g, int width, int height)
{
    LookAndFeel_V2::drawPopupMenuBackground (g, width, height);
}

void EditorLook::drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator,
                                    bool isActive, bool isHighlighted, bool isTicked, bool hasSubMenu,
                                    const juce::String& itemText, const juce::String& shortcutKeyText,
                                    const juce::Drawable* icon, const juce::Colour* textColour)
{
    LookAndFeel_V2::drawPopupMenuItem (g, area, isSeparator, isActive, isHighlighted, isTicked, hasSubMenu, itemText,
                                       shortcutKeyText, icon, textColour);
}

void EditorLook::getIdealPopupMenuItemSize (const juce::String& itemText, bool isSeparator, int standardMenuItemHeight,
                                            int& idealWidth, int& idealHeight)
{
    LookAndFeel_V2::getIdealPopupMenuItemSize (itemText, isSeparator, standardMenuItemHeight, idealWidth, idealHeight);
}

void EditorLook::paintPagePanel (juce::Graphics& g, juce::Rectangle<int> panel, juce::Colour dim)
{
    constexpr float corner = 10.0f, outline = 2.0f;
    g.fillAll (dim);
    g.setColour (pagePanel);
    g.fillRoundedRectangle (panel.toFloat(), corner);
    g.setColour (pagePanelEdge);
    g.drawRoundedRectangle (panel.toFloat(), corner, outline);
}

void EditorLook::paintPanelRings (juce::Graphics& g, float firstDiameter, float s)
{
    constexpr float centreX = 740.0f, centreY = 500.0f, growth = 1.7f;
    constexpr int numRings = 5;

    // Each ring filled as the area between two ellipses: the same shape as a
    // stroked outline, at a fraction of the cost of stroking so wide a line.
    juce::Path rings;
    rings.setUsingNonZeroWinding (false);
    float diameter = firstDiameter, thickness = 15.0f;
    for (int ring = 0; ring < numRings; ++ring)
    {
        diameter *= growth;
        thickness *= growth;
        for (const float d : { diameter + thickness, diameter - thickness })
            rings.addEllipse ((centreX - d * 0.5f) * s, (centreY - d * 0.5f) * s, d * s, d * s);
    }
    g.setColour (panelRing);
    g.fillPath (rings);
}
