#pragma once

#include "editor/EditorLook.h"
#include "editor/widgets/LibBut.h"

// When a button of a library page shows; both pages apply the same rule.
enum class PageButtonShown
{
    always,
    withRows,      // the list shows a row
    withSelection, // and an entry is selected
    never
};

// One button of a library page's table; Page names its index and id enums.
template <typename Page>
struct PageButtonRow
{
    typename Page::ButtonIndex index;
    const char* text;
    typename Page::ButtonId id;
    const char* help;
    int y;           // from the top, or from the bottom when fromBottom
    bool fromBottom;
    PageButtonShown shown;
};

// Makes each row's button, with its help text, as a visible child of the
// page, which listens to it.
template <typename Rows, typename Buttons>
void createPageButtons (const Rows& rows, Buttons& buttons, float fontHeight, juce::Component& page, LibButListener& listener)
{
    for (const auto& row : rows)
    {
        auto& button = buttons[(size_t) row.index];
        button = std::make_unique<LibBut> (row.text, row.id, fontHeight);
        button->helpText = row.help;
        page.addAndMakeVisible (*button);
        button->addListener (&listener);
    }
}

// The status line of the library window and its pages, where help texts and
// reports show.
inline void setUpLibraryStatusLabel (juce::Label& label)
{
    constexpr float fontHeight = 15.0f;
    label.setFont (EditorLook::font (fontHeight));
    label.setJustificationType (juce::Justification::centredLeft);
    label.setEditable (false);
    label.setColour (juce::Label::textColourId, EditorLook::libraryStatusText);
}

// Shows or hides each of the page's buttons by its rule, touching only those
// that change. `Row` needs `index` and `shown`.
template <typename Rows, typename Buttons>
void applyPageButtonRule (const Rows& rows, Buttons& buttons, bool hasRows, bool hasSelection)
{
    for (const auto& row : rows)
    {
        const bool show = row.shown == PageButtonShown::always          ? true
                        : row.shown == PageButtonShown::withRows        ? hasRows
                        : row.shown == PageButtonShown::withSelection   ? hasRows && hasSelection
                                                                        : false;
        auto& button = *buttons[(size_t) row.index];
        if (button.isVisible() != show)
            button.setVisible (show);
    }
}

// The page's button column, `fromRight` pixels from its right edge; rows
// count from the top or, with `fromBottom`, from the bottom. A button that is
// never shown waits off the page. `Row` needs `index`, `y`, `fromBottom` and `shown`.
template <typename Rows, typename Buttons>
void placePageButtons (const Rows& rows, Buttons& buttons, int fromRight, int width, int height)
{
    const int x = width - fromRight;
    for (const auto& row : rows)
    {
        const int bx = row.shown == PageButtonShown::never ? -x : x;
        buttons[(size_t) row.index]->placeAt (bx, row.fromBottom ? height - row.y : row.y);
    }
}
