#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class MidiCntrState;

// What a change message of the grid reports; read with getChangeCode().
enum KwsGridCode : int
{
    kGridRowSelected = 91,       // '[': a press selected a row
    kGridRightClick = 90,        // 'Z': a right click on a row, outside the category column
    kGridCategoryClick = 88      // 'X': a right click on a row, in the category column
};

enum KwsGridListMode : int
{
    kGridOneBank = 0,            // the 128 programs of one bank
    kGridCategory = 1            // every program of banks A-C with one category, A first
};

// The scrolling list of the synthesizer's programs on the bank and write
// pages, with its own scroll bar. Selections and right clicks reach the owner
// as change messages, which coalesce: the owner reads the code and the
// selected bank and program when its callback comes. Message thread only.
class KwsGrid : public juce::Component,
                public juce::ChangeListener,
                public juce::ChangeBroadcaster
{
public:
    explicit KwsGrid (MidiCntrState& hub);
    ~KwsGrid() override;

    // The set-up both pages give it: three columns, 128 rows of 26 px, the
    // grid's colours and a 32 px scroll bar.
    void configureForPages();

    void setColumnWidths (const juce::Array<int>& widths);
    void fillList (int mode, int parameter);
    // Also selects the bank on the synthesizer at the current program.
    void showBank (int bank);
    void setSelectedRow (int row);
    void scrollToRow (int row);
    void selectRow (int row);
    void setScrollPosition (int position);

    int getSelectedRow() const noexcept { return selectedRow; }
    int getSelectedProgram() const noexcept { return selectedProgram; }
    int getSelectedBank() const noexcept { return selectedBank; }
    int getChangeCode() const noexcept { return changeCode; }
    int getRowCount() const noexcept { return rowCount; }
    int getFirstVisibleRow() const noexcept { return firstVisibleRow; }
    int getScrollPosition() const noexcept { return scrollPosition; }
    int getListMode() const noexcept { return listMode; }
    int getListParameter() const noexcept { return listParameter; }
    int getVisibleRows() const noexcept;
    int getHighestFirstRow() const noexcept;
    // The entry of a row: (bank, program), or (-1, -1) for no row.
    std::pair<int, int> entryAt (int row) const noexcept;

    void changeListenerCallback (juce::ChangeBroadcaster*) override {}
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;
    bool keyPressed (const juce::KeyPress& key) override;
    void paint (juce::Graphics& g) override;
    void resized() override;

    // Configuration that owners write.
    int columnCount = 0;
    int rowHeight = 26;
    int fontHeight = 15;
    int thumbHeight = 31;
    int scrollBarWidth = 18;
    juce::Colour rowFill, selectedFill;
    juce::Colour labelColour, nameColour, categoryColour;
    juce::Colour selectedLabelColour, selectedNameColour, selectedCategoryColour;

private:
    int rowWidth() const noexcept;
    int nameX() const noexcept;
    int categoryX() const noexcept;
    void paintRows (juce::Graphics& g);
    void paintScrollBar (juce::Graphics& g);
    void paintBackground (juce::Graphics& g);

    MidiCntrState& hub;
    int width = 0, height = 0;
    int selectedRow = -1;
    int rowCount = 0;
    int selectedProgram = 0, selectedBank = 0;
    int changeCode = 0;
    juce::Array<int> programs, banks;
    int listMode = kGridOneBank, listParameter = 0;
    juce::Image backgroundImage, thumbImage;
    int firstVisibleRow = 0;
    float scrollRatio = 0.0f;
    int lastScrollRequest = 0, scrollPosition = 0;
    juce::Array<int> columnWidths;
    bool rowDrag = false, scrollDrag = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KwsGrid)
};
