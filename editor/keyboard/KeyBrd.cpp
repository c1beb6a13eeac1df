#include "editor/keyboard/KeyBrd.h"

#include "core/midi/MidiCntrState.h"
#include "editor/EditorLook.h"

#include <BrindlemarkAssets.h>

namespace
{
constexpr int kHandleImageWidth = 100, kHandleImageHeight = 20;
constexpr int kWellImageWidth = 81, kWellImageHeight = 206;
const juce::Rectangle<int> playerBounds { 400, 4, 200, 12 }; // pixels, whatever the scale
constexpr float kPlayerFontSize = 10.0f;
} // namespace

KeyBrd::KeyBrd (MidiCntrState& h)
    : hub (h),
      handle (juce::ImageCache::getFromMemory (BrindlemarkAssets::drawer_handle_png, BrindlemarkAssets::drawer_handle_pngSize)),
      well (juce::ImageCache::getFromMemory (BrindlemarkAssets::wheel_well_png, BrindlemarkAssets::wheel_well_pngSize))
{
    velocity = std::make_unique<VelIndClass> (hub);
    addAndMakeVisible (*velocity);
    velocity->setValue (hub.getKeyboardVelocity());

    piano = std::make_unique<PianoPad> (hub);
    addAndMakeVisible (*piano);

    pitchWheel = std::make_unique<WheelCnt> (hub, WheelCnt::kPitchCentre, true);
    addAndMakeVisible (*pitchWheel);
    modWheel = std::make_unique<WheelCnt> (hub, 0, false);
    addAndMakeVisible (*modWheel);

    octaves = std::make_unique<OctaveKeyClass> (hub);
    addAndMakeVisible (*octaves);

    player = std::make_unique<KeyPlayClass> (hub, KeyPlayClass::kDrawerMode);
    player->addKeyPlayListener (this);
    player->setFontSize (kPlayerFontSize);
    player->setColours (EditorLook::playerBackground, EditorLook::text);
    player->setMouseCursor (juce::MouseCursor::UpDownResizeCursor);
    addAndMakeVisible (*player);

    layout (scale, editorHeight);
}

// The children go in this order, each releasing what it still sounds.
KeyBrd::~KeyBrd() = default;

int KeyBrd::closedTopFor (float s, int height) noexcept
{
    return height - EditorLook::scaled (kHandleHeight, s);
}

int KeyBrd::openTopFor (float s, int height) noexcept
{
    return juce::jmax (kHighestTop, height - EditorLook::scaled (kDesignHeight, s));
}

void KeyBrd::layout (float s, int height)
{
    scale = s;
    editorHeight = height;
    setBounds (0, closedTop(), EditorLook::scaled (kDesignWidth, s), EditorLook::scaled (kDesignHeight, s));
    octaves->setEditorScale (s);
    pitchWheel->setScale (s);
    modWheel->setScale (s);
    piano->layout (s);
    velocity->setScale (s);
    player->setBounds (playerBounds);
    reassertOnTop();
}

void KeyBrd::reassertOnTop()
{
    setAlwaysOnTop (false);
    setAlwaysOnTop (true);
}

int KeyBrd::snappedTop (int top, float s, int height) noexcept
{
    const int closed = closedTopFor (s, height);
    const int open = openTopFor (s, height);
    const int half = EditorLook::scaled (kDesignHeight / 2, s);

    if (top > closed - half)
        return closed;
    if (open < top || open - half < top)
        return open;
    // Pulled well above the open place: left where the hand put it.
    return top;
}

void KeyBrd::snap()
{
    setTopLeftPosition (0, snappedTop (getY(), scale, editorHeight));
    sendChangeMessage();
}

void KeyBrd::startDrag (int y)
{
    dragStartY = y;
    dragging = true;
}

void KeyBrd::dragTo (int y)
{
    const int top = juce::jlimit (kHighestTop, juce::jmax (kHighestTop, closedTop()), getY() + y - dragStartY);
    setTopLeftPosition (0, top);
}

void KeyBrd::mouseDown (const juce::MouseEvent& e)
{
    reassertOnTop();
    dragging = false;
    if (e.y < EditorLook::scaled (kHandleHeight, scale))
        startDrag (e.y);
}

void KeyBrd::mouseDrag (const juce::MouseEvent& e)
{
    if (dragging)
        dragTo (e.y);
}

void KeyBrd::mouseUp (const juce::MouseEvent&)
{
    if (dragging)
    {
        dragging = false;
        snap();
    }
}

void KeyBrd::mouseMove (const juce::MouseEvent& e)
{
    setMouseCursor (e.y < EditorLook::scaled (kHandleHeight, scale) ? juce::MouseCursor::UpDownResizeCursor
                                                                    : juce::MouseCursor::NormalCursor);
}

void KeyBrd::keyPlayMouseDown (int, int y)
{
    startDrag (y);
}

void KeyBrd::keyPlayMouseDrag (int, int y)
{
    if (dragging)
        dragTo (y);
}

void KeyBrd::keyPlayMouseUp (int, int)
{
    if (dragging)
    {
        dragging = false;
        snap();
    }
}

void KeyBrd::paint (juce::Graphics& g)
{
    g.fillAll (EditorLook::drawerFill);
    g.drawImage (handle, 0, 0, EditorLook::scaled (kDesignWidth, scale), EditorLook::scaled (kHandleHeight, scale), 0, 0,
                 kHandleImageWidth, kHandleImageHeight);

    for (const int x : { kPitchWellX, kModWellX })
    {
        const auto area = EditorLook::scaled (
            juce::Rectangle<float> ((float) x, kWellDesignY, kWellDesignWidth, kWellDesignHeight), scale);
        g.drawImage (well, area.getX(), area.getY(), area.getWidth(), area.getHeight(), 0, 0, kWellImageWidth,
                     kWellImageHeight);
    }
}
