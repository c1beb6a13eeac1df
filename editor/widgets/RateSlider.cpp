#include "editor/widgets/RateSlider.h"

#include "editor/EditorLook.h"

#include <BrindlemarkAssets.h>

RateSlider::RateSlider()
    : arrows (juce::ImageCache::getFromMemory (BrindlemarkAssets::rate_arrows_png, BrindlemarkAssets::rate_arrows_pngSize)),
      track (juce::ImageCache::getFromMemory (BrindlemarkAssets::rate_track_png, BrindlemarkAssets::rate_track_pngSize))
{
    setSize (kWidth, kHeight);
}

void RateSlider::setValue (int newValue)
{
    value = newValue < 0 ? 0.0f : juce::jmin (maximum, (float) newValue);
    repaint();
}

void RateSlider::setValueAndNotify (int newValue)
{
    setValue (newValue);
    sendChangeMessage();
}

void RateSlider::mouseDown (const juce::MouseEvent& e)
{
    leftHeld = rightHeld = dragging = false;

    if (e.x < kArrowWidth)
    {
        leftHeld = true;
        step = -1;
        startTimer (kStepMs);
    }
    else if (e.x > kWidth - kArrowWidth)
    {
        rightHeld = true;
        step = 1;
        startTimer (kStepMs);
    }
    else
    {
        // The value follows only once the pointer moves.
        dragging = true;
        dragStartX = e.x;
    }

    repaint();
}

void RateSlider::mouseDrag (const juce::MouseEvent& e)
{
    if (dragging)
        setValueAndNotify ((int) ((float) (e.x - kArrowWidth) / pixelsPerUnit));
}

void RateSlider::mouseUp (const juce::MouseEvent&)
{
    leftHeld = rightHeld = false;
    stopTimer();
    repaint();
}

void RateSlider::timerCallback()
{
    setValueAndNotify ((int) (value + (float) step));
}

void RateSlider::paint (juce::Graphics& g)
{
    g.fillAll (EditorLook::rateSliderBlank);
    g.drawImageAt (track, 0, 0);

    if (leftHeld)
        g.drawImage (arrows, 0, 0, kArrowWidth, kHeight, 0, 0, kArrowWidth, kHeight);
    if (rightHeld)
        g.drawImage (arrows, kWidth - kArrowWidth, 0, kArrowWidth, kHeight, kWidth - kArrowWidth, 0, kArrowWidth, kHeight);

    const int filled = (int) (pixelsPerUnit * value);
    g.setColour (EditorLook::rateSliderHidden);
    g.fillRect (kArrowWidth + filled, 1, kTrackPixels - filled, kHeight - 2);

    g.setColour (EditorLook::rateSliderReadout);
    g.setFont (EditorLook::font (13.0f));
    g.drawText (juce::String ((int) value) + " ms", 28, 0, 140, kHeight, juce::Justification::centred, true);
}
