#include "windows/setup/Global_Container.h"

#include "editor/EditorLook.h"

#include <BrindlemarkAssets.h>

namespace
{
using L = EditorLook;

constexpr float kCorner = 10.0f, kOutline = 3.0f;
constexpr int kCloseSourceSize = 30, kCloseSize = 15, kCloseInset = 25, kCloseTop = 10;
constexpr int kLabelWidth = 200, kLabelHeight = 18;
} // namespace

Global_Container::Global_Container (MidiCntrState& hub)
    : closeBox (juce::ImageCache::getFromMemory (BrindlemarkAssets::global_close_png, BrindlemarkAssets::global_close_pngSize))
{
    for (auto& row : rows)
    {
        row = std::make_unique<GlbCont> (hub);
        addChildComponent (*row);
    }

    for (const auto& descriptor : GlobalDescriptorTable::rows)
    {
        auto& row = *rows[(size_t) descriptor.index];
        row.setup (descriptor.index);
        row.setVisible (true);
    }

    setSize (600, 400);
}

Global_Container::~Global_Container() = default;

void Global_Container::addGlobalListener (Global_Listener* listener)
{
    const juce::ScopedLock sl (listenerLock);
    listeners.addIfNotAlreadyThere (listener);
}

void Global_Container::removeGlobalListener (Global_Listener* listener)
{
    const juce::ScopedLock sl (listenerLock);
    listeners.removeAllInstancesOf (listener);
}

GlbCont* Global_Container::getRow (int globalIndex) const noexcept
{
    if (globalIndex < 0 || globalIndex >= GlobalDescriptorTable::kNumRows)
        return nullptr;
    auto* row = rows[(size_t) globalIndex].get();
    return row->getGlobalIndex() >= 0 ? row : nullptr;
}

void Global_Container::repaintRow (int globalIndex)
{
    if (auto* row = getRow (globalIndex))
        row->repaint();
}

bool Global_Container::isOnCloseBox (juce::Point<int> p, int width) noexcept
{
    return width - p.x < 27 && width - p.x > 10 && p.y >= 9 && p.y <= 24;
}

void Global_Container::mouseDown (const juce::MouseEvent& e)
{
    if (! isOnCloseBox (e.getPosition(), getWidth()))
        return;

    for (int i = listeners.size(); --i >= 0;)
        if (auto* listener = listeners[i])
            listener->globalPanelEvent (kGlobalPanelClose, 0);
}

//==============================================================================
void Global_Container::resized()
{
    drawBackground();
}

void Global_Container::drawBackground()
{
    if (getWidth() <= 0 || getHeight() <= 0)
        return;

    background = juce::Image (juce::Image::ARGB, getWidth(), getHeight(), true);
    juce::Graphics g (background);

    const auto area = getLocalBounds().toFloat().reduced (kOutline / 2.0f);
    g.setColour (L::globalPanelFill);
    g.fillRoundedRectangle (area, kCorner);
    g.setColour (L::setupFrameOutline);
    g.drawRoundedRectangle (area, kCorner, kOutline);

    g.setColour (L::text);
    g.setFont (L::font (16.0f, juce::Font::bold));
    g.drawText ("Global Settings:", 14, 4, 200, 30, juce::Justification::centredLeft);

    // The knobs carry their names inside them.
    g.setFont (L::font (12.0f));
    for (const auto& d : GlobalDescriptorTable::rows)
        if (d.style != kGlbKnob)
            g.drawText (d.name, d.x - d.labelOffset, d.y + 1, kLabelWidth, kLabelHeight, juce::Justification::centredLeft);

    g.drawImage (closeBox, getWidth() - kCloseInset, kCloseTop, kCloseSize, kCloseSize, 0, 0, kCloseSourceSize, kCloseSourceSize);
}

void Global_Container::paint (juce::Graphics& g)
{
    g.drawImageAt (background, 0, 0);
}
