#include "editor/widgets/Envel.h"

#include "editor/EditorLook.h"

#include <BrindlemarkAssets.h>

namespace
{
// The sustain is drawn as long as a stage of 100.
constexpr float kSustainLength = 100.0f;
const juce::Rectangle<float> kScreenArea { 4.0f, 5.0f, 218.0f, 73.0f };
constexpr float kGlossOpacity = 0.3f;
constexpr float kLineThickness = 1.1f;
constexpr float kReadoutHeight = 11.0f;
constexpr int kReadoutOffset = 5, kReadoutTopMin = 15;
constexpr float kReadoutWidth = 200.0f, kReadoutBoxHeight = 20.0f;
} // namespace

Envel::Envel()
{
    using namespace BrindlemarkAssets;
    screen = juce::ImageCache::getFromMemory (env_screen_png, env_screen_pngSize);
    gloss = juce::ImageCache::getFromMemory (env_gloss_png, env_gloss_pngSize);
    stages.fill (30.0f);
    updateShape();
}

void Envel::setStage (int stage, float value)
{
    if (stage < 0 || stage >= numStages)
        return;

    stages[(size_t) stage] = value;
    updateShape();
    refresh();
}

void Envel::setStages (float a, float d, float s, float r)
{
    stages = { a, d, s, r };
    updateShape();
    refresh();
}

float Envel::getStage (int stage) const noexcept
{
    return stage >= 0 && stage < numStages ? stages[(size_t) stage] : 0.0f;
}

void Envel::setScale (float newScale)
{
    scale = newScale;
    updateShape();
}

void Envel::setRepaintEnabled (bool enabled)
{
    repaintEnabled = enabled;

    if (enabled && repaintPending)
    {
        repaintPending = false;
        repaint();
    }
}

void Envel::leaveArtTo (PageArt* page)
{
    artPage = page;
    repaint();
}

void Envel::visibilityChanged()
{
    if (artPage != nullptr)
        artPage->childArtChanged();
}

void Envel::refresh()
{
    if (repaintEnabled)
        repaint();
    else
        repaintPending = true;
}

juce::Point<float> Envel::getCorner (int i) const noexcept
{
    return i >= 0 && i < kNumCorners ? corners[(size_t) i] : juce::Point<float>();
}

void Envel::updateShape()
{
    const float base = top + height;
    corners[0] = { left, base };
    corners[1] = { left + stages[attack] * xStep, top };
    corners[2] = { corners[1].x + stages[decay] * xStep, base - stages[sustain] * xStep };
    corners[3] = { corners[2].x + kSustainLength * xStep, corners[2].y };
    corners[4] = { corners[3].x + stages[release] * xStep, base };

    outline.clear();
    outline.startNewSubPath (corners[0] * scale);
    for (int i = 1; i < kNumCorners; ++i)
        outline.lineTo (corners[(size_t) i] * scale);
    outline.closeSubPath();
}

void Envel::resized()
{
    updateShape();
}

int Envel::hitTestHandle (int px, int py) const noexcept
{
    const float x = (float) px, y = (float) py, s = scale, r = kHandleReach;
    const auto within = [&] (float x0, float x1, float yCentre) {
        return (x0 - r) * s < x && x < (x1 + r) * s && (yCentre - r) * s < y && y < (yCentre + r) * s;
    };

    // Where zones overlap, the peak wins over the release end, and both over
    // the sustain segment.
    if (within (corners[1].x, corners[1].x, corners[1].y))
        return envelAttackHandle;
    if (within (corners[4].x, corners[4].x, corners[4].y))
        return envelReleaseHandle;
    if (within (corners[2].x, corners[3].x, corners[2].y))
        return envelDecaySustainHandle;
    return envelNoHandle;
}

int Envel::dragSteps (int pixels) noexcept
{
    return juce::roundToInt ((float) pixels / kPixelsAStep);
}

void Envel::mouseMove (const juce::MouseEvent& e)
{
    setMouseCursor (hitTestHandle (e.x, e.y) == envelNoHandle ? juce::MouseCursor::NormalCursor
                                                              : juce::MouseCursor::CrosshairCursor);
}

void Envel::mouseDown (const juce::MouseEvent& e)
{
    dragging = false;

    if (e.mods.isRightButtonDown())
    {
        changeCode = envelRightButton;
        sendChangeMessage();
        return;
    }

    handle = hitTestHandle (e.x, e.y);
    if (handle == envelNoHandle)
        return;

    pressPosition = lastPosition = e.getPosition();
    dragStart = stages;
    dragging = true;
}

bool Envel::moveStage (int stage, int steps, int maximum)
{
    const float wanted = (float) juce::jlimit (0, maximum, (int) dragStart[(size_t) stage] + steps);
    if (wanted == stages[(size_t) stage])
        return false;

    stages[(size_t) stage] = wanted;
    return true;
}

void Envel::mouseDrag (const juce::MouseEvent& e)
{
    if (e.mods.isRightButtonDown() || ! dragging)
        return;

    readout = " ";
    bool changed = false;

    if (e.x != lastPosition.x)
    {
        lastPosition.x = e.x;
        const int stage = handle == envelAttackHandle ? attack : handle == envelDecaySustainHandle ? decay : release;
        if (moveStage (stage, dragSteps (e.x - pressPosition.x), timeMaximum))
        {
            readout = juce::String ((int) stages[(size_t) stage]);
            changed = true;
        }
    }

    if (e.y != lastPosition.y)
    {
        lastPosition.y = e.y;
        if (handle == envelDecaySustainHandle && moveStage (sustain, dragSteps (pressPosition.y - e.y), sustainMaximum))
        {
            readout << " , " << (int) stages[sustain];
            changed = true;
        }
    }

    if (! changed)
        return;

    updateShape();
    refresh();
    changeCode = envelStagesDragged;
    sendChangeMessage();
}

void Envel::paintArt (juce::Graphics& g)
{
    g.fillAll (EditorLook::controlFill);
    g.drawImage (screen, EditorLook::scaled (kScreenArea, scale).toFloat());
}

void Envel::paint (juce::Graphics& g)
{
    const float s = scale;
    if (artPage == nullptr)
        paintArt (g);

    g.setColour (EditorLook::envelopeShape);
    g.fillPath (outline);
    g.setColour (EditorLook::envelopeLine);
    g.strokePath (outline, juce::PathStrokeType (kLineThickness, juce::PathStrokeType::mitered,
                                                 juce::PathStrokeType::butt));

    if (dragging)
    {
        g.setColour (EditorLook::text);
        g.setFont (EditorLook::font (kReadoutHeight));
        g.drawText (readout, lastPosition.x + kReadoutOffset, juce::jmax (lastPosition.y, kReadoutTopMin),
                    EditorLook::scaled (kReadoutWidth, s), EditorLook::scaled (kReadoutBoxHeight, s),
                    juce::Justification::topLeft, false);
    }

    // The gloss is smaller than the screen it lies on: it covers what it has.
    const auto glossArea = kScreenArea.withSize (juce::jmin (kScreenArea.getWidth(), (float) gloss.getWidth()),
                                                 juce::jmin (kScreenArea.getHeight(), (float) gloss.getHeight()));
    g.setOpacity (kGlossOpacity);
    g.drawImage (gloss, EditorLook::scaled (glossArea, s).toFloat());
}
