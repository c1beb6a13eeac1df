#include "editor/SeqClass.h"

#include "core/VellixAudioProcessor.h"
#include "editor/EditorLook.h"

#include <BrindlemarkAssets.h>

namespace
{
// Quarter tones: the synthesizer's sequencer steps a pitch in 24ths of an octave.
const char* const quarterToneNames[] = { "C",  "C+",  "C#", "C#+", "D",  "D+",  "D#", "D#+", "E",  "E+",  "F",  "F+",
                                         "F#", "F#+", "G",  "G+",  "G#", "G#+", "A",  "A+",  "A#", "A#+", "B",  "B+" };
constexpr int kStepsAnOctave = 24;

constexpr int kFaceWidth = 458, kFaceHeight = 155;
constexpr float kResetRowHeight = 15.0f; // in y factors: a press above arms no drag
constexpr float kDragTop = 23.0f;
constexpr float kCaptionHeight = 11.0f;
constexpr float kCapTooSmallBelow = 0.2f;  // x factor under which a cap is a plain block
constexpr float kResetImageWidth = 30.0f;

// The frame of a cap or reset cell: an edge, a rim inside it, and a shadow
// along the bottom (shadowRow pixels up) and right.
void drawFrame (juce::Graphics& g, int w, int h, juce::Colour rim, juce::Colour shadow, int shadowRow)
{
    g.setColour (EditorLook::seqCapEdge);
    g.drawRect (0, 0, w, h);
    g.setColour (rim);
    g.drawRect (1, 1, w - 2, h - 2);
    g.setColour (shadow);
    g.drawLine (2.0f, (float) (h - shadowRow), (float) (w - 1), (float) (h - shadowRow));
    g.drawLine ((float) (w - 2), 2.0f, (float) (w - 2), (float) (h - 1));
}

juce::Image cellImage (int w, int h)
{
    return juce::Image (juce::Image::ARGB, w > 0 && h > 0 ? w : 1, w > 0 && h > 0 ? h : 1, true);
}
} // namespace

SeqClass::SeqClass (VellixAudioProcessor& p, int trackIndex) : processor (p), track (trackIndex)
{
    setOpaque (true);
    background = juce::ImageCache::getFromMemory (BrindlemarkAssets::seq_track_png, BrindlemarkAssets::seq_track_pngSize);
    setMouseCursor (juce::MouseCursor::CrosshairCursor);
}

SeqClass::~SeqClass() = default;

void SeqClass::addListener (SeqClassListener* listener)
{
    const juce::ScopedLock sl (lock);
    listeners.addIfNotAlreadyThere (listener);
}

void SeqClass::setDesignBounds (int x, int y, int w, int h)
{
    designX = x;
    designY = y;
    designWidth = w;
    designHeight = h;
    setScale (scale);
}

void SeqClass::setScale (float s)
{
    scale = s;
    pixelX = s * (float) designX;
    pixelY = s * (float) designY;
    pixelWidth = s * (float) designWidth;
    pixelHeight = s * (float) designHeight;
    stepWidth = (int) (pixelWidth * 0.0625f);
    xFactor = pixelWidth / kReferenceWidth;
    yFactor = pixelHeight / kReferenceHeight;
    setBounds ((int) pixelX, (int) pixelY, (int) pixelWidth, (int) pixelHeight);
    repaint();
}

int SeqClass::getShownValue (int step) const noexcept
{
    return juce::isPositiveAndBelow (step, kNumSteps) ? shownValues[(size_t) step] : 0;
}

//==============================================================================
int SeqClass::stepAt (float x, int width) noexcept
{
    if (width <= 0 || ! (x > 0.0f))
        return -1;

    const int step = (int) (x / (float) width);
    // Strictly inside: a press on a boundary belongs to no step.
    if (step >= kNumSteps || ! (x > (float) (step * width)))
        return -1;

    return step;
}

int SeqClass::quantized (int value, bool quantize) noexcept
{
    return quantize && value >= 1 && (value % 2) == 1 ? value - 1 : value;
}

int SeqClass::dragValue (float y, float yFactor) noexcept
{
    if (! (yFactor > 0.0f))
        return 0;

    const float v = 125.0f - (y / yFactor - kDragTop);
    return v >= (float) kMaxDragValue ? kMaxDragValue : v <= 0.0f ? 0 : (int) v;
}

juce::String SeqClass::noteName (int value)
{
    if (value < 0)
        return {};

    return juce::String (quarterToneNames[value % kStepsAnOctave]) + juce::String (value / kStepsAnOctave);
}

juce::String SeqClass::captionFor (int value, bool pitch)
{
    if (value == kResetValue)
        return "RST";
    if (value == kRestValue)
        return "OFF";
    return pitch ? noteName (value) : juce::String (value);
}

//==============================================================================
void SeqClass::setStepsFromProgram (const std::array<int, kNumSteps>& bytes)
{
    for (size_t step = 0; step < (size_t) kNumSteps; ++step)
    {
        const int value = juce::jlimit (0, kRestValue, bytes[step]);
        penValues[step] = value;
        shownValues[step] = value;
    }
    repaint();
}

void SeqClass::showStepValue (int step, int value)
{
    if (! juce::isPositiveAndBelow (step, kNumSteps))
        return;

    value = juce::jlimit (0, kRestValue, value);
    if (shownValues[(size_t) step] == value)
        return;

    shownValues[(size_t) step] = value;
    repaintStep (step);
}

void SeqClass::setDestination (int destination)
{
    const bool pitch = destination >= 1 && destination <= 3;
    if (pitch != destinationIsPitch)
    {
        destinationIsPitch = pitch;
        repaint();
    }
}

void SeqClass::requestEdit()
{
    for (int i = listeners.size(); --i >= 0;)
        listeners.getUnchecked (i)->seqClassEvent (kEditRequestCode, track, 0);
}

void SeqClass::send (int step, int value, bool endGestureNow)
{
    processor.changeProgramParameter (kFirstPosition + kNumSteps * track + step, value, endGestureNow, true);
}

void SeqClass::repaintStep (int step)
{
    repaint (step * stepWidth, 0, stepWidth, getHeight());
}

//==============================================================================
void SeqClass::mouseDown (const juce::MouseEvent& e)
{
    dragArmed = false;

    if (displayMode == seqTrackTab)
    {
        requestEdit();
        return;
    }

    currentStep = stepAt (e.position.x, stepWidth);
    if (currentStep < 0)
        return;

    if (e.position.y >= kResetRowHeight * yFactor)
        dragArmed = true;
    else
        clickResetCell (currentStep);
}

void SeqClass::clickResetCell (int step)
{
    const auto s = (size_t) step;
    const int shown = shownValues[s];
    auto& sent = sentValues[s];

    if (shown == kResetValue)
    {
        // A reset step becomes a rest, or stays a reset step under quantize.
        if (sent != kRestValue)
            sent = quantize ? kResetValue : kRestValue;
    }
    else if (shown == kRestValue)
    {
        // A rest returns to the value it had before it was reset.
        if (sent != savedValues[s])
            sent = quantized (juce::jlimit (0, kRestValue, savedValues[s]), quantize);
    }
    else
    {
        savedValues[s] = shown;
        sent = kResetValue;
    }

    send (step, sent, true);
}

void SeqClass::mouseDrag (const juce::MouseEvent& e)
{
    if (! dragArmed)
        return;

    const int value = dragValue (e.position.y, yFactor);

    int step = -1;
    if (drawMode == seqDrawPen)
        step = currentStep = stepAt (e.position.x, stepWidth);
    else if (drawMode == seqDrawSliders)
        step = currentStep;

    if (step < 0)
        return;

    const auto s = (size_t) step;
    if (penValues[s] == value)
        return;

    penValues[s] = value;
    if (sentValues[s] != value)
        sentValues[s] = quantized (value, quantize);
    send (step, sentValues[s], false);
}

void SeqClass::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    const int increment = quantize ? 2 : 1;
    currentStep = stepAt (e.position.x, stepWidth);
    if (currentStep < 0 || wheel.deltaY == 0.0f)
        return;

    const auto s = (size_t) currentStep;
    const int value = shownValues[s] + (wheel.deltaY > 0.0f ? increment : -increment);
    if (value < 0 || value > kRestValue)
        return;

    shownValues[s] = quantized (juce::jlimit (0, kRestValue, value), quantize);
    repaintStep (currentStep);
    send (currentStep, shownValues[s], false);
}

//==============================================================================
void SeqClass::paint (juce::Graphics& g)
{
    const float w = pixelWidth, h = pixelHeight, xf = xFactor, yf = yFactor;
    const int sw = stepWidth;

    g.drawImage (background, 0, 0, (int) w, (int) h, 0, 0, kFaceWidth, kFaceHeight);
    paintGrid (g, w, h);

    const int cw = (int) (w * 0.0625f - 2.0f * xf);
    const int ch = (int) (13.0f * yf);
    const float k = (h - 30.0f * yf) / 125.0f;

    for (int i = 0; i < kNumSteps; ++i)
    {
        paintResetCell (g, i, i * sw + 1, (int) (2.0f * yf), cw, ch);

        const int v = shownValues[(size_t) i];
        if (v >= kResetValue)
            continue;

        const int capTop = (int) ((float) (int) ((float) (125 - v) * k) + 17.0f * yf);
        const int barX = (int) ((float) (i * sw) + xf);
        const int barTop = capTop + ch;
        const int barHeight = (int) (h - (float) barTop - (float) (int) (5.0f * yf));

        g.setColour (EditorLook::seqBar);
        g.fillRect (barX, barTop, cw, barHeight);
        g.setColour (EditorLook::seqBarEdge);
        g.drawRect (barX, barTop, cw, barHeight, 1);
        paintCap (g, i, barX, capTop, cw, ch);
    }
}

void SeqClass::paintGrid (juce::Graphics& g, float w, float h) const
{
    const float xf = xFactor, yf = yFactor;
    if (! (w - 6.0f * xf > 3.0f * xf))
        return;

    g.setColour (EditorLook::seqGrid);
    const bool editor = displayMode == seqTrackEditor;
    for (int k = editor ? 12 : 24; k <= (editor ? 177 : 144); k += editor ? 3 : 24)
        g.fillRect ((int) (3.0f * xf), (int) ((float) k * yf + 4.0f * yf), (int) (w - 9.0f * xf), 1);

    if (editor && w - 6.0f * xf > 30.0f * xf)
        for (int i = 0; i < kNumSteps; ++i)
        {
            const int top = (int) (30.0f * xf);
            g.fillRect ((int) ((float) (i * stepWidth + stepWidth / 2) + 2.0f * xf), top, 1, (int) h - top);
        }
}

void SeqClass::paintCap (juce::Graphics& g, int step, int x, int y, int cw, int ch)
{
    auto cap = cellImage (cw, ch);
    {
        juce::Graphics c (cap);
        if (xFactor < kCapTooSmallBelow)
        {
            c.fillAll (EditorLook::seqCapRim);
        }
        else
        {
            drawFrame (c, cw, ch, EditorLook::seqCapRim, EditorLook::seqCapShadow, 2);
            c.setColour (EditorLook::seqCapFill);
            c.fillRect (2, 2, cw - 4, ch - 4);

            stepTexts[(size_t) step] = captionFor (shownValues[(size_t) step], destinationIsPitch);
            c.setColour (EditorLook::text);
            c.setFont (EditorLook::font (kCaptionHeight * xFactor));
            c.drawText (stepTexts[(size_t) step], 0, 0, cw, ch, juce::Justification::centred, false);
        }
    }
    g.drawImageAt (cap, x, y);
}

void SeqClass::paintResetCell (juce::Graphics& g, int step, int x, int y, int cw, int ch) const
{
    const int v = shownValues[(size_t) step];
    const int bw = (int) (kResetImageWidth * xFactor), bh = ch;

    auto cell = cellImage (bw, bh);
    if (bw > 0 && bh > 0)
    {
        juce::Graphics c (cell);
        drawFrame (c, bw, bh, EditorLook::seqCellRim, EditorLook::seqCellShadow, 1);

        c.setColour (v >= kResetValue ? EditorLook::seqCellLit : EditorLook::seqCellUnlit);
        c.setFont (EditorLook::font (kCaptionHeight * xFactor));
        c.drawText (v == kRestValue ? "OFF" : "RST", 0, 0, bw, bh, juce::Justification::centred, false);
    }

    if (cw > 0 && ch > 0)
        g.drawImage (cell, x, y, cw, ch, 0, 0, cell.getWidth(), cell.getHeight());
}
