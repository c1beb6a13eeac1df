#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The editor's one look: every colour it paints with, its typeface, the
// design-unit scaling of its pages, and the look of its pop-up menus. The
// editor window sets one instance on itself, where every widget finds it and
// hands it to the menus it opens; everything but the menus keeps the
// framework's default look.
class EditorLook : public juce::LookAndFeel_V4
{
public:
    // An ARGB value with a name; constexpr, so style tables can hold it.
    struct Named
    {
        juce::uint32 argb;
        operator juce::Colour() const { return juce::Colour (argb); }
    };

    static constexpr Named transparent { 0x00000000 };
    static constexpr Named background { 0xff000000 };
    static constexpr Named text { 0xffffffff };
    static constexpr Named bar { 0xffd69000 };          // the application bar
    static constexpr Named controlFill { 0xff363a3f };  // behind a control and its section
    static constexpr Named valueText { 0xffb6fffd };    // a control's value
    static constexpr Named ledTint { 0x33814141 };      // laid over a lit LED
    static constexpr Named labelFrame { 0xff9f9f9f };
    static constexpr Named renameFill { 0xff221414 };
    static constexpr Named renameSelection { 0x40ffffff };

    // The keyboard drawer.
    static constexpr Named drawerFill { 0xff965805 };
    static constexpr Named pianoBackground { 0xff111111 };
    static constexpr Named playerBackground { 0x000a0a0a };
    static constexpr Named velocityBar { 0x66374c53 };
    static constexpr Named velocityBarEmpty { 0xff101010 };
    static constexpr Named velocityBarEdge { 0xff4d5051 };
    static constexpr Named velocityText { 0xff76bdd2 };
    static constexpr Named outOfReach { 0x66000000 };   // laid over the keys the piano does not reach

    // The program editor's front panel.
    static constexpr Named panel { 0xffd27b08 };
    static constexpr Named panelRing { 0xffd69000 };
    static constexpr Named sectionEdge { 0xffe4e4e4 };
    static constexpr Named envelopeShape { 0xff5f4405 };  // the envelope's filled outline
    static constexpr Named envelopeLine { 0xffc9910e };
    static constexpr Named popupDim { 0x77000000 };       // laid over the page under a pop-up section

    // The sequencer page and its tracks.
    static constexpr Named seqTabShade { 0xff2e3236 };   // under the edited track's tab
    static constexpr Named seqGrid { 0xff404040 };
    static constexpr Named seqBar { 0x252287a0 };
    static constexpr Named seqBarEdge { 0xff000000 };
    static constexpr Named seqCapEdge { 0xff0d0d0d };
    static constexpr Named seqCapRim { 0xff4797ee };     // also a cap too small for its caption
    static constexpr Named seqCapShadow { 0xff0000ff };
    static constexpr Named seqCapFill { 0xff133254 };
    static constexpr Named seqCellRim { 0xff565656 };
    static constexpr Named seqCellShadow { 0xff4e4e4e };
    static constexpr Named seqCellLit { 0xff00ffff };    // a reset or rest step
    static constexpr Named seqCellUnlit { 0xff007777 };

    static constexpr Named menuBackground { 0xff000000 };
    static constexpr Named menuText { 0xffffffff };
    static constexpr Named menuHighlight { 0xff808080 };

    // Button faces: the plain and toggle buttons, the bar and bank buttons'
    // inner button, and the dialog buttons'.
    static constexpr Named faceText { 0xffffffff };
    static constexpr Named faceDownText { 0xfff0f0f0 };
    static constexpr Named faceFill { 0xff202d31 };
    static constexpr Named faceDownFill { 0xff040405 };
    static constexpr Named faceEdge { 0xff000000 };
    static constexpr Named imageFaceText { 0xff000000 };
    static constexpr Named barFace { 0xffc87003 };
    static constexpr Named barFaceOn { 0xff8b4916 };
    static constexpr Named dialogFace { 0xff5a6163 };
    static constexpr Named dialogFaceOn { 0xff000000 };

    // The MIDI setup page and its latency panel.
    static constexpr Named setupShade { 0x88000000 };        // laid over the editor
    static constexpr Named setupFrameFill { 0xdd15222a };
    static constexpr Named setupFrameOutline { 0xdd457089 };
    static constexpr Named setupCaption { 0xfff3f3f3 };
    static constexpr Named setupNote { 0xff888888 };
    static constexpr Named setupHelpText { 0xffdddddd };
    static constexpr Named portField { 0xff282626 };
    static constexpr Named portFieldOutline { 0xfffbffff };
    static constexpr Named portLampOpen { 0xffff0000 };
    static constexpr Named portLampClosed { 0xff432d24 };    // also the open lamp's outline
    static constexpr Named portLampClosedOutline { 0xff000000 };

    // The global-parameter panel, the connection help page and the about box.
    static constexpr Named globalPanelFill { 0xdd000000 };
    static constexpr Named globalMenuText { 0xfff7d8d2 };
    static constexpr Named scanFill { 0xee15222a };
    static constexpr Named scanOutline { 0xddffffff };
    static constexpr Named scanLink { 0xcc8ed3ff };
    static constexpr Named aboutShade { 0x55000000 };
    static constexpr Named aboutText { 0xff000000 };
    static constexpr Named aboutTitle { 0xff222558 };

    // The library-window widgets.
    static constexpr Named libButText { 0xfff7f7f7 };
    static constexpr Named kwButHoverShade { 0x11000000 };
    static constexpr Named kwButPressShade { 0x22000000 };
    static constexpr Named rateSliderBlank { 0xffffffff };
    static constexpr Named rateSliderHidden { 0xff000000 }; // covers the bar right of the value
    static constexpr Named rateSliderReadout { 0xfffff2ff };

    // The program lists of the library window: rows, their texts and the scroll track.
    static constexpr Named listBackground { 0xff373535 };
    static constexpr Named listRow { 0xff3b3b43 };
    static constexpr Named listRowSelected { 0xff7b7f95 };
    static constexpr Named listRowEdge { 0xff000000 };
    static constexpr Named listNumber { 0xffaaaaaa };
    static constexpr Named listName { 0xffcccccc };
    static constexpr Named listCategory { 0xffbbbbbb };
    static constexpr Named listSelectedNumber { 0xffeeeeee };
    static constexpr Named listSelectedName { 0xffffffff };
    static constexpr Named listSelectedCategory { 0xffffffff };
    static constexpr Named scrollTrack { 0x50323030 };
    static constexpr Named scrollTrackEdge { 0x5a4b4f57 };


    // The hardware program grid of the bank and write pages.
    static constexpr Named gridSelectedFill { 0x22038fbe };
    static constexpr Named gridLabel { 0xff00bbbb };
    static constexpr Named gridName { 0xff80ffff };
    static constexpr Named gridCategory { 0xffcccccc };
    static constexpr Named gridSelectedLabel { 0xff00cccc };
    static constexpr Named gridSelectedName { 0xff80ffff };
    static constexpr Named gridSelectedCategory { 0xffbbbbbb };
    static constexpr Named gridLine { 0xff555555 };
    static constexpr Named gridTrack { 0xff1f2224 };
    static constexpr Named gridTrackEdge { 0x55808040 };
    static constexpr Named gridImageShade { 0x40000000 };  // the background image's opacity
    static constexpr Named gridTrackShade { 0x33000000 };
    static constexpr Named gridThumbShade { 0xe6000000 };

    // The bank and write pages, and the LED switch.
    static constexpr Named pagePanel { 0xff212326 };
    static constexpr Named pagePanelEdge { 0xffe4e4e4 };
    static constexpr Named writePageDim { 0x55221e1f };
    static constexpr Named writeCaption { 0xfff0e8e8 };
    static constexpr Named writeNotice { 0xffffb340 };   // a write that never reached the synthesizer
    static constexpr Named switchText { 0xfffefefe };

    // The program display, styled as the synthesizer's LCD, and its lights.
    static constexpr Named lcdFill { 0xffffffff };
    static constexpr Named lcdText { 0xff202020 };
    static constexpr Named lcdName { 0xff101010 };
    static constexpr Named lcdLightOff { 0xff4a5238 };
    static constexpr Named lcdLightOut { 0xff2fd84a };  // a message to the synthesizer
    static constexpr Named lcdLightIn { 0xffff5a2a };   // a message from it

    // The transfer overlay.
    static constexpr Named overlayDim { 0x55000000 };
    static constexpr Named overlayBox { 0xff050606 };
    static constexpr Named progressTrack { 0xff767681 };
    static constexpr Named progressTrackOn { 0xff9b9ba6 };
    static constexpr Named progressFill { 0xff37a6c8 };
    static constexpr Named progressFillOn { 0xff113f48 };
    static constexpr Named progressText { 0xfffcf5f5 };

    // The library window: its pages, title strip, status line and question overlay.
    static constexpr Named libraryPage { 0xff373535 };
    static constexpr Named libraryPageRule { 0xff0a0a0a };
    static constexpr Named libraryTitleStrip { 0xff0a0a0a };
    static constexpr Named libraryTitleText { 0xffede9e9 };
    static constexpr Named libraryStatusText { 0xffcebdbd };
    static constexpr Named libraryKeyStripBackground { 0x000a0a0a }; // the title strip shows through
    static constexpr Named libraryKeyStripText { 0xffffffff };
    static constexpr Named questionFill { 0xff191919 };
    static constexpr Named questionText { 0xffffffff };
    static constexpr Named categoryBoxFill { 0xff272527 };
    static constexpr Named categoryBoxText { 0xfff2f0f0 };
    static constexpr Named targetBoxFill { 0xff000000 };
    static constexpr Named targetBoxEdge { 0xffffffff };


    // The one typeface of the editor, as designed. The framework finds fonts
    // by their own family name only, so where no "Arial" is installed the
    // metric-compatible "Liberation Sans" stands in for it, and failing that
    // the system's sans serif: texts then measure a little differently.
    static constexpr const char* kTypefaceName = "Arial";
    static constexpr const char* kTypefaceStandIn = "Liberation Sans";
    static const juce::String& typefaceName();
    static juce::Font font (float height, int styleFlags = juce::Font::plain);

    // Design units (of the 1148 x 700 canvas) at the editor's scale, each
    // product truncated toward zero to whole pixels.
    static int scaled (float designUnits, float scale) noexcept { return (int) (designUnits * scale); }
    static juce::Rectangle<int> scaled (juce::Rectangle<float> design, float scale) noexcept;

    // The bank and write pages' ground: the editor dimmed, then the rounded panel.
    static void paintPagePanel (juce::Graphics& g, juce::Rectangle<int> panel, juce::Colour dim);

    // The front panel's five rings, spreading from one centre, each 1.7
    // times the last, the first firstDiameter design units across before it grows.
    static void paintPanelRings (juce::Graphics& g, float firstDiameter, float scale);

    EditorLook();

    // Menus keep the framework's classic drawing, in the colours above.
    void drawPopupMenuBackground (juce::Graphics& g, int width, int height) override;
    void drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator, bool isActive,
                            bool isHighlighted, bool isTicked, bool hasSubMenu, const juce::String& itemText,
                            const juce::String& shortcutKeyText, const juce::Drawable* icon,
                            const juce::Colour* textColour) override;
    void getIdealPopupMenuItemSize (const juce::String& itemText, bool isSeparator, int standardMenuItemHeight,
                                    int& idealWidth, int& idealHeight) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorLook)
};
