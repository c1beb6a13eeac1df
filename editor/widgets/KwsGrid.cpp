#include "editor/widgets/KwsGrid.h"

#include "core/midi/MidiCntrState.h"
#include "core/model/Bank_Program.h"
#include "core/model/ProgramImage.h"
#include "editor/EditorLook.h"
#include "editor/LCD_Comp.h"
#include "editor/ProgramCategoryNames.h"

#include <BrindlemarkAssets.h>

namespace
{
constexpr int kCategoryColumn = 2;
constexpr int kPageColumnWidths[] = { 50, 140, 100, 0 };
constexpr int kPageColumnCount = 2, kPageRowCount = 128, kPageRowHeight = 26, kPageFontHeight = 15;
constexpr int kPageScrollBarWidth = 32;
// The artwork's own size: the background is stretched from all of it.
constexpr int kBackgroundWidth = 246, kBackgroundHeight = 360, kThumbWidth = 25, kThumbSourceHeight = 43;
constexpr int kImageRightMargin = 15;
} // namespace

KwsGrid::KwsGrid (MidiCntrState& h) : hub (h)
{
    backgroundImage = juce::ImageCache::getFromMemory (BrindlemarkAssets::grid_background_png, BrindlemarkAssets::grid_background_pngSize);
    thumbImage = juce::ImageCache::getFromMemory (BrindlemarkAssets::grid_thumb_png, BrindlemarkAssets::grid_thumb_pngSize);
    setWantsKeyboardFocus (true);
}

KwsGrid::~KwsGrid() = default;

void KwsGrid::configureForPages()
{
    setColumnWidths (juce::Array<int> (kPageColumnWidths, (int) std::size (kPageColumnWidths)));
    rowCount = kPageRowCount;
    rowHeight = kPageRowHeight;
    fontHeight = kPageFontHeight;
    columnCount = kPageColumnCount;
    rowFill = EditorLook::transparent;
    selectedFill = EditorLook::gridSelectedFill;
    labelColour = EditorLook::gridLabel;
    nameColour = EditorLook::gridName;
    categoryColour = EditorLook::gridCategory;
    selectedLabelColour = EditorLook::gridSelectedLabel;
    selectedNameColour = EditorLook::gridSelectedName;
    selectedCategoryColour = EditorLook::gridSelectedCategory;
    scrollBarWidth = kPageScrollBarWidth;
}

void KwsGrid::setColumnWidths (const juce::Array<int>& widths)
{
    selectedRow = -1;
    firstVisibleRow = 0;
    scrollPosition = 0;
    columnCount = widths.size();
    columnWidths = widths;
}

void KwsGrid::fillList (int mode, int parameter)
{
    listMode = mode;
    listParameter = parameter;
    selectedRow = -1;
    // A right click on an empty list must not act on the last list's slot.
    selectedBank = selectedProgram = -1;
    firstVisibleRow = 0;
    scrollPosition = 0;
    programs.clearQuick();
    banks.clearQuick();

    for (int bank = 0; bank < MidiCntrState::kNumHardwareBanks; ++bank)
    {
        if (mode == kGridOneBank && bank != parameter)
            continue;

        for (int program = 0; program < Bank_Program::kNumPrograms; ++program)
        {
            if (mode == kGridCategory)
            {
                const auto image = hub.getProgramImage (bank, program);
                if (! image || (*image)[(size_t) ProgramImage::kCategoryOffset] != parameter)
                    continue;
            }
            programs.add (program);
            banks.add (bank);
        }
    }

    rowCount = programs.size();
    repaint();
}

void KwsGrid::showBank (int bank)
{
    hub.selectProgram (bank, hub.getCurrentHardwareProgram(), true, true);
    fillList (kGridOneBank, bank);
}

int KwsGrid::getVisibleRows() const noexcept
{
    return rowHeight > 0 ? height / rowHeight : 0;
}

int KwsGrid::getHighestFirstRow() const noexcept
{
    return juce::jmax (0, rowCount - getVisibleRows());
}

std::pair<int, int> KwsGrid::entryAt (int row) const noexcept
{
    if (! juce::isPositiveAndBelow (row, juce::jmin (rowCount, programs.size())))
        return { -1, -1 };
    return { banks[row], programs[row] };
}

void KwsGrid::setSelectedRow (int row)
{
    selectedRow = row;
    scrollToRow (row);
}

void KwsGrid::scrollToRow (int row)
{
    if (row < 0)
        return;

    firstVisibleRow = juce::jmin (juce::jmin (row, rowCount - 1), getHighestFirstRow());
    // The thumb follows the rows it reveals.
    scrollPosition = juce::jmax (0, firstVisibleRow);
}

void KwsGrid::selectRow (int row)
{
    const auto [bank, program] = entryAt (row);
    if (bank < 0)
        return;

    selectedRow = row;
    selectedBank = bank;
    selectedProgram = program;
    changeCode = kGridRowSelected;
    sendChangeMessage();
    repaint();
}

void KwsGrid::setScrollPosition (int position)
{
    // Held inside the track even when the request repeats, so the thumb never leaves it.
    scrollPosition = juce::jlimit (0, getHighestFirstRow(), position);
    if (position == lastScrollRequest)
        return;
    lastScrollRequest = position;

    firstVisibleRow = juce::jmin (juce::jmin (rowCount - 1, scrollPosition), getHighestFirstRow());
    firstVisibleRow = juce::jmax (0, firstVisibleRow);
    repaint();
}

void KwsGrid::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    if (e.y < 0)
        return;
    setScrollPosition (scrollPosition + (wheel.deltaY < 0 ? 1 : wheel.deltaY > 0 ? -1 : 0));
}

void KwsGrid::mouseDown (const juce::MouseEvent& e)
{
    rowDrag = scrollDrag = false;
    grabKeyboardFocus();

    const int barLeft = width - scrollBarWidth;
    if (e.x <= 0 || e.x >= barLeft)
    {
        scrollDrag = e.x > barLeft;
        return;
    }

    rowDrag = true;
    const int row = rowHeight > 0 ? e.y / rowHeight + firstVisibleRow : -1;
    const int hit = rowCount > 0 ? juce::jlimit (0, rowCount - 1, row) : -1;
    if (hit < 0)
        return; // no row: nothing is selected, and a right click asks for nothing

    selectRow (hit);

    if (! e.mods.isPopupMenu())
        return;

    int column = columnCount, left = 0;
    for (int i = 0; i < columnCount && i < columnWidths.size(); ++i)
    {
        if (left < e.x && e.x < left + columnWidths[i])
        {
            column = i;
            break;
        }
        left += columnWidths[i];
    }

    changeCode = column == kCategoryColumn ? kGridCategoryClick : kGridRightClick;
    sendChangeMessage();
}

void KwsGrid::mouseDrag (const juce::MouseEvent& e)
{
    const int visible = getVisibleRows();

    if (scrollDrag)
    {
        const int track = rowHeight * visible - thumbHeight;
        if (track <= 0)
            return;
        scrollRatio = (float) (rowCount - visible) / (float) track;
        int a = juce::jmax (0, e.y - thumbHeight);
        if (a > track)
            a = track + 1;
        setScrollPosition ((int) ((float) a * scrollRatio));
    }
    else if (rowDrag)
    {
        // The list runs on under a drag past its ends; the thumb stays.
        if (e.y > height)
            firstVisibleRow = juce::jmin (juce::jmin (firstVisibleRow + 1, rowCount - 1), getHighestFirstRow());
        else if (e.y < 0 && firstVisibleRow > 0)
            firstVisibleRow = juce::jmin (firstVisibleRow - 1, getHighestFirstRow());
        else
            return;
        firstVisibleRow = juce::jmax (0, firstVisibleRow);
        repaint();
    }
}

bool KwsGrid::keyPressed (const juce::KeyPress& key)
{
    const int step = key == juce::KeyPress::upKey ? -1 : key == juce::KeyPress::downKey ? 1 : 0;
    if (step == 0 || rowCount == 0)
        return false;

    const int row = juce::jlimit (0, rowCount - 1, selectedRow + step);
    const int visible = juce::jmax (1, getVisibleRows());
    if (row < firstVisibleRow)
        scrollToRow (row);
    else if (row >= firstVisibleRow + visible)
        scrollToRow (row - visible + 1);
    if (row != selectedRow)
        selectRow (row);
    repaint();
    return true;
}

void KwsGrid::resized()
{
    width = getWidth();
    height = getHeight();
}

//==============================================================================
int KwsGrid::rowWidth() const noexcept
{
    int sum = 0;
    for (int i = 0; i < juce::jmin (3, columnWidths.size()); ++i)
        sum += columnWidths[i];
    return sum + 4;
}

int KwsGrid::nameX() const noexcept
{
    return (columnWidths.isEmpty() ? 0 : columnWidths[0]) + (columnWidths.isEmpty() ? 4 : 6);
}

int KwsGrid::categoryX() const noexcept
{
    return columnWidths.size() < 2 ? 4 : columnWidths[0] + columnWidths[1] + 6;
}

void KwsGrid::paint (juce::Graphics& g)
{
    paintBackground (g);
    paintRows (g);
    g.setColour (EditorLook::gridTrackShade);
    paintScrollBar (g);
    paintBackground (g);
}

void KwsGrid::paintBackground (juce::Graphics& g)
{
    g.setColour (EditorLook::gridImageShade);
    g.drawImage (backgroundImage, 0, 0, width - scrollBarWidth - kImageRightMargin, height, 0, 0, kBackgroundWidth, kBackgroundHeight);
}

void KwsGrid::paintRows (juce::Graphics& g)
{
    const auto plain = EditorLook::font ((float) fontHeight);
    const auto bold = EditorLook::font ((float) fontHeight, juce::Font::bold);
    const int rows = juce::jmin (rowCount, getVisibleRows());

    for (int i = 0; i < rows; ++i)
    {
        const int y = i * rowHeight, r = firstVisibleRow + i;
        const auto [bank, program] = entryAt (r);
        if (bank < 0)
            break;

        const auto image = hub.getProgramImage (bank, program);
        const int category = image ? (*image)[(size_t) ProgramImage::kCategoryOffset] : 0;
        const auto name = image ? ProgramImage::readName (ProgramImage::toArray (*image), ProgramImage::kNameOffset) : juce::String();

        g.setColour (EditorLook::gridLine);
        g.drawRect (0, y, rowWidth(), 1, 1);

        const bool selected = r == selectedRow;
        g.setFont (selected ? bold : plain);
        if (selected && ! selectedFill.isTransparent())
        {
            g.setColour (selectedFill);
            g.fillRect (0, y, rowWidth(), rowHeight + 3);
        }
        else if (! selected && ! rowFill.isTransparent())
        {
            g.setColour (rowFill);
            g.fillRect (0, y, rowWidth(), rowHeight - 1);
        }

        const int baseline = y + fontHeight + 4;
        g.setColour (selected ? selectedLabelColour : labelColour);
        g.drawSingleLineText (LCD_Comp::numberText (bank, program), 7, baseline);
        g.setColour (selected ? selectedNameColour : nameColour);
        g.drawSingleLineText (name, nameX(), baseline);
        g.setColour (selected ? selectedCategoryColour : categoryColour);
        g.drawSingleLineText (getCategoryName (category), categoryX(), baseline);
    }
}

void KwsGrid::paintScrollBar (juce::Graphics& g)
{
    const int visible = getVisibleRows();
    if (height > thumbHeight)
        scrollRatio = (float) (rowCount - visible) / (float) (height - thumbHeight);

    const auto bar = juce::Rectangle<int> (width - scrollBarWidth, 0, scrollBarWidth - 2, rowHeight * visible);
    if (! rowFill.isTransparent())
    {
        g.setColour (rowFill);
        g.fillRect (bar);
    }

    if (rowHeight * rowCount <= rowHeight * visible || scrollRatio <= 0.0f)
        return;

    g.setColour (EditorLook::gridTrack);
    g.fillRoundedRectangle (bar.toFloat(), 2.0f);
    g.setColour (EditorLook::gridTrackEdge);
    g.drawRoundedRectangle (bar.toFloat(), 2.0f, 1.0f);
    g.setColour (EditorLook::gridThumbShade);
    g.drawImage (thumbImage, width - scrollBarWidth + scrollBarWidth / 18, (int) ((float) scrollPosition / scrollRatio),
                 scrollBarWidth - 2, thumbHeight + 2, 0, 0, kThumbWidth, kThumbSourceHeight);
}
