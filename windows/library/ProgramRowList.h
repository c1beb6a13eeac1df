#pragma once

#include "editor/EditorLook.h"

// Sizes, fonts and colours of a program list; the page that places the list
// sets them. Both lists of the library window use these values.
struct ProgramRowLook
{
    int rowHeight = 34;
    float numberFontHeight = 14.0f, nameFontHeight = 15.0f, categoryFontHeight = 12.0f;
    juce::Colour background = EditorLook::listBackground;
    juce::Colour number = EditorLook::listNumber, name = EditorLook::listName, category = EditorLook::listCategory;
    juce::Colour selectedNumber = EditorLook::listSelectedNumber, selectedName = EditorLook::listSelectedName,
                 selectedCategory = EditorLook::listSelectedCategory;
};

// A scrolling list of fixed-height program rows (number, name, category) with
// a selection and a scroll bar whose image thumb is dragged, whose track
// repeats while held, and which the wheel moves. What the rows hold and what
// a press or a double click means is the subclass's. Message thread only.
class ProgramRowList : public juce::Component,
                       public juce::Timer
{
public:
    static constexpr int kThumbHeight = 43;
    static constexpr int kScrollStripWidth = 36;
    static constexpr int kScrollZoneWidth = 30;  // the right of the row area belongs to the scroll strip
    static constexpr int kThumbGrabOffset = 23;  // a dragged thumb's centre follows the mouse
    static constexpr int kRepeatIntervalMs = 200;
    static constexpr int kInitialRowAreaWidth = 242;

    ProgramRowList();
    ~ProgramRowList() override;

    void setLook (const ProgramRowLook& newLook);
    const ProgramRowLook& getLook() const noexcept { return look; }
    void setRowAreaWidth (int width);
    int getRowAreaWidth() const noexcept { return rowAreaWidth; }

    int getRowCount() const noexcept { return rowCount; }
    int getVisibleRows() const noexcept;
    bool isScrollBarShown() const noexcept { return rowCount > getVisibleRows(); }
    int getScrollPosition() const noexcept { return scrollPosition; }
    int getFirstVisibleRow() const noexcept { return firstVisibleRow; }
    int getSelectedRow() const noexcept { return selectedRow; }
    int getThumbY() const noexcept;

    // Clamped to 0 .. rows that fit below the last page.
    void scrollTo (int row);

    juce::Image renderRow (int row) const;

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void mouseDoubleClick (const juce::MouseEvent& e) override;
    void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;
    void paint (juce::Graphics& g) override;
    bool keyPressed (const juce::KeyPress&) override { return false; } // keys go on to the page
    void timerCallback() override;

protected:
    // A new set of rows: scrolled to the top, nothing selected.
    void resetRows (int count);
    void setSelectedRow (int row);
    void setFirstVisibleRow (int row);

    virtual juce::String getRowName (int row) const = 0;
    virtual int getRowCategory (int row) const = 0;
    virtual void rowPressed (int row, const juce::MouseEvent& e) = 0;
    virtual void listDoubleClicked() = 0;

private:
    enum class Repeat
    {
        down, // one row forward
        up
    };

    void paintScrollBar (juce::Graphics& g);
    void pressScrollStrip (int y);
    void dragThumb (int y);
    void dragRowsPastEdges (int y);
    int thumbTravel() const noexcept;
    int stepOf (Repeat direction) const noexcept { return direction == Repeat::down ? 1 : -1; }

    ProgramRowLook look;
    int rowAreaWidth = kInitialRowAreaWidth;
    int rowCount = 0;
    int scrollPosition = 0;
    int firstVisibleRow = 0;
    int selectedRow = -1;
    Repeat repeatDirection = Repeat::down;
    bool draggingRows = false, draggingThumb = false;
    juce::Image thumbImage;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ProgramRowList)
};
