#include "editor/keyboard/KeyOverlay.h"

#include "editor/keyboard/PianoKey.h"

KeyOverlay::KeyOverlay()
{
    setMouseCursor (juce::MouseCursor::PointingHandCursor);
}

int KeyOverlay::keyAt (int x, int y) const
{
    if (keyCount < 2 || keys.size() < keyCount)
        return -1;

    int found = -1;
    if (y < keys.getUnchecked (1)->getHeight())
    {
        // Up among the black keys, each key's touch starts at its hit-test edge.
        found = 0;
        for (int i = 0; i < keyCount; ++i)
            if (keys.getUnchecked (i)->getHitLeft() <= x)
                found = i;
    }
    else
    {
        for (int i = 0; i < keyCount; ++i)
            if (keys.getUnchecked (i)->getType() == PianoKey::white && keys.getUnchecked (i)->getX() <= x)
                found = i;
    }

    return found;
}

void KeyOverlay::mouseDown (const juce::MouseEvent& e)
{
    const int key = keyAt (e.x, e.y);
    if (key < 0 || key >= keyCount)
        return;

    keys.getUnchecked (key)->press (e.y);
    currentKey = key;
}

void KeyOverlay::mouseDrag (const juce::MouseEvent& e)
{
    const int key = keyAt (e.x, e.y);
    if (key < 0 || key >= keyCount || key == currentKey)
        return;

    // The old note stops before the new one starts.
    if (currentKey >= 0)
        keys.getUnchecked (currentKey)->release();

    currentKey = key;
    keys.getUnchecked (key)->press (e.y);
}

void KeyOverlay::mouseUp (const juce::MouseEvent&)
{
    for (int i = 0; i < keys.size(); ++i)
        keys.getUnchecked (i)->release();

    currentKey = -1;
}
