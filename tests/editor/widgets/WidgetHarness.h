#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Drives widgets without a window: mouse callbacks are called directly with
// events from the desktop's main mouse source, and painting goes into images.
namespace widgetharness
{
inline juce::MouseEvent mouseAt (juce::Component& component, int x, int y,
                                 juce::ModifierKeys buttons = juce::ModifierKeys::leftButtonModifier)
{
    const juce::Point<float> position ((float) x, (float) y);
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), position,
                             buttons, juce::MouseInputSource::defaultPressure,
                             juce::MouseInputSource::defaultOrientation, juce::MouseInputSource::defaultRotation,
                             juce::MouseInputSource::defaultTiltX, juce::MouseInputSource::defaultTiltY, &component,
                             &component, now, position, now, 1, false);
}

inline void press (juce::Component& component, int x, int y) { component.mouseDown (mouseAt (component, x, y)); }
inline void release (juce::Component& component, int x, int y) { component.mouseUp (mouseAt (component, x, y)); }
inline void drag (juce::Component& component, int x, int y) { component.mouseDrag (mouseAt (component, x, y)); }

inline void rightPress (juce::Component& component, int x, int y)
{
    component.mouseDown (mouseAt (component, x, y, juce::ModifierKeys::rightButtonModifier));
}

inline void click (juce::Component& component, int x, int y)
{
    press (component, x, y);
    release (component, x, y);
}

// The component and its children, as the screen would show them over nothing.
inline juce::Image render (juce::Component& component)
{
    juce::Image image (juce::Image::ARGB, component.getWidth(), component.getHeight(), true);
    juce::Graphics g (image);
    component.paintEntireComponent (g, false);
    return image;
}

inline bool sameArea (const juce::Image& painted, int left, int top, const juce::Image& expected)
{
    for (int y = 0; y < expected.getHeight(); ++y)
        for (int x = 0; x < expected.getWidth(); ++x)
            if (painted.getPixelAt (left + x, top + y) != expected.getPixelAt (x, y))
                return false;

    return true;
}

// Bounds of the pixels brighter than half, such as light text on a dark face.
inline juce::Rectangle<int> brightArea (const juce::Image& image, juce::Rectangle<int> within)
{
    juce::Rectangle<int> found;

    for (int y = within.getY(); y < within.getBottom(); ++y)
        for (int x = within.getX(); x < within.getRight(); ++x)
            if (image.getPixelAt (x, y).getBrightness() > 0.5f)
                found = found.isEmpty() ? juce::Rectangle<int> (x, y, 1, 1)
                                        : found.getUnion ({ x, y, 1, 1 });

    return found;
}

struct ChangeCounter : juce::ChangeListener
{
    int count = 0;
    std::function<void()> onChange;

    void changeListenerCallback (juce::ChangeBroadcaster*) override
    {
        ++count;
        if (onChange)
            onChange();
    }
};
} // namespace widgetharness
