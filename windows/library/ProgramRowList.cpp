#include "windows/library/ProgramRowList.h"

#include "editor/ProgramCategoryNames.h"

#include <BrindlemarkAssets.h>

namespace
{
// Positions inside a row image, from its top-left corner.
constexpr int kRowInsetY = 4;
constexpr float kRowCorner = 4.0f;
constexpr float kRowEdgeThickness = 2.0f;
constexpr int kRowImageMargin = 4;   // the row image is this much narrower than the row area
constexpr int kNumberX = 7;
constexpr int kNumberBaselineGap = 4; // below the number font's height
constexpr int kNameX = 44;
constexpr int kNameBaselineGap = 8;
constexpr int kCategoryRise = 8;     // the category box starts this far above the number font's height
constexpr int kCategoryRightGap = 20;
constexpr int kCategoryBoxHeight = 20;

constexpr int kTrackCutWidth = 12;
constexpr float kTrackCorner = 3.0f;
constexpr float kTrackEdgeThickness = 2.1f;
constexpr int kThumbIndentDivisor = 18; // the thumb sits strip width / 18 right of the row area
} // namespace

ProgramRowList::ProgramRowList()
{
    setWantsKeyboardFocus (true);
    thumbImage = juce::ImageCache::getFromMemory (BrindlemarkAssets::list_thumb_png, BrindlemarkAssets::list_thumb_pngSize);
}

ProgramRowList::~ProgramRowList()
{
    stopTimer();
}

void ProgramRowList::setLook (const ProgramRowLook& newLook)
{
    look = newLook;
    look.rowHeight = juce::jmax (1, look.rowHeight);
    repaint();
}

void ProgramRowList::setRowAreaWidth (int width)
{
    rowAreaWidth = width;
    repaint();
}

int ProgramRowList::getVisibleRows() const noexcept
{
    return getHeight() / look.rowHeight;
}

int ProgramRowList::getThumbY() const noexcept
{
    // Before the first layout the height leaves the thumb no room to travel.
    const int travel = getHeight() - kThumbHeight;
    const int spareRows = rowCount - getVisibleRows();

    if (travel <= 0 || spareRows <= 0)
        return 0;

    const float rowsPerPixel = (float) spareRows / (float) travel;
    return (int) ((float) scrollPosition / rowsPerPixel);
}

int ProgramRowList::thumbTravel() const noexcept
{
    return look.rowHeight * getVisibleRows() - kThumbHeight;
}

void ProgramRowList::scrollTo (int row)
{
    scrollPosition = juce::jlimit (0, juce::jmax (0, rowCount - getVisibleRows()), row);
    firstVisibleRow = scrollPosition;
    repaint();
}

void ProgramRowList::resetRows (int count)
{
    rowCount = juce::jmax (0, count);
    firstVisibleRow = scrollPosition = 0;
    selectedRow = -1;
    repaint();
}

void ProgramRowList::setSelectedRow (int row)
{
    selectedRow = row;
    repaint();
}

void ProgramRowList::setFirstVisibleRow (int row)
{
    firstVisibleRow = row;
    repaint();
}

void ProgramRowList::mouseDown (const juce::MouseEvent& e)
{
    draggingRows = draggingThumb = false;
    grabKeyboardFocus();
    const int x = e.getPosition().x, y = e.getPosition().y;

    if (x > 0 && x < rowAreaWidth - kScrollZoneWidth)
    {
        draggingRows = true;
        const int row = juce::jlimit (0, juce::jmax (0, rowCount - 1), y / look.rowHeight + firstVisibleRow);

        if (rowCount > 0)
            rowPressed (row, e);

        repaint();
    }
    else if (x > rowAreaWidth - kScrollZoneWidth && isScrollBarShown())
    {
        pressScrollStrip (y);
    }
}

void ProgramRowList::pressScrollStrip (int y)
{
    const int thumbY = getThumbY();

    // A press exactly on the thumb's top or bottom edge does nothing.
    if (y > thumbY && y < thumbY + kThumbHeight)
    {
        draggingThumb = true;
        return;
    }

    if (y == thumbY || y == thumbY + kThumbHeight)
        return;

    repeatDirection = y < thumbY ? Repeat::up : Repeat::down;
    scrollTo (scrollPosition + stepOf (repeatDirection));
    startTimer (kRepeatIntervalMs);
}

void ProgramRowList::timerCallback()
{
    scrollTo (scrollPosition + stepOf (repeatDirection));
}

void ProgramRowList::mouseDrag (const juce::MouseEvent& e)
{
    if (draggingThumb)
        dragThumb (e.getPosition().y);
    else if (draggingRows)
        dragRowsPastEdges (e.getPosition().y);
}

void ProgramRowList::dragThumb (int y)
{
    const int travel = thumbTravel();
    if (travel <= 0)
        return;

    const int along = juce::jlimit (0, travel + 1, y - kThumbGrabOffset);
    const float rowsPerPixel = (float) (rowCount - getVisibleRows()) / (float) travel;
    scrollTo ((int) ((float) along * rowsPerPixel));
}

void ProgramRowList::dragRowsPastEdges (int y)
{
    // The thumb follows the rows, so the scroll bar never shows another place.
    if (y > getHeight())
        scrollTo (firstVisibleRow + 1);
    else if (y < 0 && firstVisibleRow > 0)
        scrollTo (firstVisibleRow - 1);
}

void ProgramRowList::mouseUp (const juce::MouseEvent&)
{
    stopTimer();
}

void ProgramRowList::mouseDoubleClick (const juce::MouseEvent&)
{
    listDoubleClicked();
}

void ProgramRowList::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    if (! isScrollBarShown())
        return;

    scrollTo (scrollPosition + (wheel.deltaY < 0.0f ? 1 : wheel.deltaY > 0.0f ? -1 : 0));
}

void ProgramRowList::paint (juce::Graphics& g)
{
    g.fillAll (look.background);

    for (int i = 0, shown = juce::jmin (rowCount, getVisibleRows()); i < shown; ++i)
    {
        const int row = firstVisibleRow + i;
        const int top = i * look.rowHeight;

        if (row < rowCount && g.clipRegionIntersects ({ 0, top, rowAreaWidth, look.rowHeight }))
            g.drawImageAt (renderRow (row), 0, top);
    }

    if (isScrollBarShown())
        paintScrollBar (g);
}

juce::Image ProgramRowList::renderRow (int row) const
{
    const int w = juce::jmax (1, rowAreaWidth - kRowImageMargin), h = look.rowHeight;
    const bool selected = row == selectedRow;
    const int numberHeight = (int) look.numberFontHeight;
    const int style = selected ? juce::Font::bold : juce::Font::plain;

    juce::Image image (juce::Image::ARGB, w, h, true);
    juce::Graphics g (image);
    g.fillAll (look.background);

    const juce::Rectangle<float> box (0.0f, (float) kRowInsetY, (float) w, (float) (h - 2 * kRowInsetY));
    g.setColour (selected ? EditorLook::listRowSelected : EditorLook::listRow);
    g.fillRoundedRectangle (box, kRowCorner);
    g.setColour (EditorLook::listRowEdge);
    g.drawRoundedRectangle (box, kRowCorner, kRowEdgeThickness);

    g.setColour (selected ? look.selectedNumber : look.number);
    g.setFont (EditorLook::font (look.numberFontHeight, style));
    g.drawSingleLineText (juce::String (row + 1), kNumberX, numberHeight + kNumberBaselineGap);

    g.setColour (selected ? look.selectedName : look.name);
    g.setFont (EditorLook::font (look.nameFontHeight, style));
    g.drawSingleLineText (getRowName (row), kNameX, numberHeight + kNameBaselineGap);

    g.setColour (selected ? look.selectedCategory : look.category);
    g.setFont (EditorLook::font (look.categoryFontHeight, style));
    g.drawText (getCategoryName (getRowCategory (row)),
                juce::Rectangle<int> (0, numberHeight - kCategoryRise, rowAreaWidth - kCategoryRightGap, kCategoryBoxHeight),
                juce::Justification::bottomRight, true);

    return image;
}

void ProgramRowList::paintScrollBar (juce::Graphics& g)
{
    const int x0 = rowAreaWidth + kScrollStripWidth / kThumbIndentDivisor;
    const juce::Rectangle<float> track ((float) (x0 + 1), 0.0f, (float) (kScrollStripWidth - kTrackCutWidth), (float) getHeight());

    g.setColour (EditorLook::scrollTrack);
    g.fillRoundedRectangle (track, kTrackCorner);
    g.setColour (EditorLook::scrollTrackEdge);
    g.drawRoundedRectangle (track, kTrackCorner, kTrackEdgeThickness);

    g.drawImageAt (thumbImage, x0, getThumbY());
}
